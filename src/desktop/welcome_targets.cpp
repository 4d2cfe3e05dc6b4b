#include "desktop/welcome_targets.h"

#include "base/maker.h"
#include "install_dirs.h"

#include <QDir>
#include <QFileInfo>

namespace vintora {

QString readmePath(const QString &programFolder)
{
    const QDir folder(QDir::fromNativeSeparators(programFolder));
    // Looked for in the documentation folder first: an install over an older
    // one may have left a stale copy beside the program.
    const QString installed
            = QDir::cleanPath(folder.filePath(QLatin1String(kDocFolderFromProgramFolder)
                                              + QLatin1Char('/') + QLatin1String(kReadmeFileName)));
    if (QFileInfo(installed).isFile())
        return installed;
    // QDir joins without doubling the separator after a root folder; a
    // doubled leading slash would read as a network host in a file URL.
    return folder.filePath(QLatin1String(kReadmeFileName));
}

QUrl welcomeLinkTarget(int index, const QString &programFolder)
{
    switch (index) {
    case 0:
        return QUrl::fromLocalFile(readmePath(programFolder));
    case 1:
        return QUrl(QStringLiteral("mailto:") + QLatin1String(maker::kMail));
    case 2:
        return QUrl(QLatin1String(maker::kWebAddress));
    default:
        return QUrl();
    }
}

} // namespace vintora
