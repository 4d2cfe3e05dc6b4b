#include "desktop/url_opener.h"

#include "base/file_name_bytes.h"

#include <QDesktopServices>
#include <QDir>

namespace vintora {

void DesktopUrlOpener::open(const QUrl &url)
{
    // The result is of no interest: a failure leaves the wizard as it was.
    QDesktopServices::openUrl(url);
}

QUrl localFileUrl(const QString &path)
{
    if (!HasRawBytes(path))
        return QUrl::fromLocalFile(path);
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(QString::fromLatin1(
                        EncodeFileName(QDir::fromNativeSeparators(path)).toPercentEncoding("/")),
                QUrl::TolerantMode);
    return url;
}

} // namespace vintora
