#include "shell/welcome_targets.h"

#include "generate/maker.h"

#include <QDir>

namespace vintora {

QUrl welcomeLinkTarget(int index, const QString &programFolder)
{
    switch (index) {
    case 0:
        // QDir joins without doubling the separator after a root folder; a
        // doubled leading slash would read as a network host in a file URL.
        return QUrl::fromLocalFile(
                QDir(QDir::fromNativeSeparators(programFolder)).filePath(kReadmeFileName));
    case 1:
        return QUrl(QStringLiteral("mailto:") + QLatin1String(maker::kMail));
    case 2:
        return QUrl(QLatin1String(maker::kWebAddress));
    default:
        return QUrl();
    }
}

} // namespace vintora
