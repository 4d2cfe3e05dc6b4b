#include "designer/picture_loading.h"

#include <QFileInfo>
#include <QImageReader>

namespace vintora {

namespace {

// The file's own name, or the whole path when it has none (a folder).
QString quotedName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return u'"' + (name.isEmpty() ? path : name) + u'"';
}

} // namespace

LoadedPicture loadPicture(const QString &path)
{
    LoadedPicture result;
    if (!QFileInfo(path).isFile()) {
        // A missing file and a folder given as a path read the same way to
        // the user: there is no such picture file.
        result.problem = QStringLiteral("Could not find the file %1.").arg(quotedName(path));
        return result;
    }

    QImageReader reader(path);
    // Let the contents decide, so that a picture with the wrong extension
    // still loads; no orientation tags are applied, the picture shows as
    // stored.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    result.image = reader.read();
    if (!result.image.isNull())
        return result;

    if (reader.error() == QImageReader::DeviceError)
        result.problem = QStringLiteral("Could not open the file %1.").arg(quotedName(path));
    else
        result.problem
                = QStringLiteral("%1 is not a picture Vintora can show.").arg(quotedName(path));
    return result;
}

QString tooLargeToTileMessage(const QString &path)
{
    return QStringLiteral("%1 is too large to use as a background.").arg(quotedName(path));
}

} // namespace vintora
