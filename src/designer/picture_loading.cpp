#include "designer/picture_loading.h"

#include "generate/text_helpers.h"
#include "pictures/file_name_bytes.h"
#include "pictures/picture_integrity.h"
#include "pictures/source_file.h"

#include <QImageReader>

#include <limits>
#include <new>

namespace vintora {

namespace {

// The most memory one picture may take once decoded. Qt's readers refuse
// anything above 128 MB by default, which turns away the 45-megapixel
// pictures of full-frame cameras (181 MB); this allows those and more,
// while a picture whose header promises more than this is refused before
// any of it is decoded.
constexpr qint64 kMaxPictureBytes = qint64(1) << 30;

// The file's own name, or the whole path when it has none.
QString quotedName(const QString &path)
{
    const QString name = FileNameOf(path);
    return u'"' + DisplayFileName(name.isEmpty() ? path : name) + u'"';
}

QString tooLargeMessage(const QString &path, const QSize &size)
{
    return QStringLiteral("%1 is too large to hold in memory (%2 × %3 pixels).")
            .arg(quotedName(path))
            .arg(size.width())
            .arg(size.height());
}

} // namespace

LoadedPicture loadPicture(const QString &path, const QSize &topLeft)
{
    LoadedPicture result;
    SourceFile file(path);
    if (!file.isOpen()) {
        const FileStatus &status = file.status();
        if (!status.exists() || status.kind == FileStatus::Kind::Folder)
            // A missing file and a folder given as a path read the same way
            // to the user: there is no such picture file.
            result.problem = QStringLiteral("Could not find the file %1.").arg(quotedName(path));
        else if (status.isRegular())
            result.problem = QStringLiteral("Could not open the file %1.").arg(quotedName(path));
        else
            result.problem = QStringLiteral("%1 is %2, not a picture file.")
                                     .arg(quotedName(path), status.what);
        return result;
    }

    // Qt's readers show a picture that ends early without a word (a JPEG
    // cut short comes back grey below the cut), so the file is checked
    // whole first.
    if (!PictureLooksComplete(file.device())) {
        result.problem = QStringLiteral("%1 is damaged or incomplete, so Vintora cannot use it.")
                                 .arg(quotedName(path));
        return result;
    }

    QImageReader reader(&file.device());
    // No orientation tags are applied: the picture shows as stored.
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    QSize wanted = size;
    if (size.isValid() && topLeft.isValid() && !topLeft.isEmpty()) {
        wanted = size.boundedTo(topLeft);
        if (wanted != size)
            reader.setClipRect(QRect(QPoint(0, 0), wanted));
    }
    if (wanted.isValid() && qint64(wanted.width()) * wanted.height() * 4 > kMaxPictureBytes) {
        result.problem = tooLargeMessage(path, size);
        return result;
    }
    const int limitMb = int(kMaxPictureBytes >> 20);
    if (QImageReader::allocationLimit() < limitMb)
        QImageReader::setAllocationLimit(limitMb);

    try {
        result.image = reader.read();
    } catch (const std::bad_alloc &) {
        result.image = QImage();
    }
    if (!result.image.isNull())
        return result;

    if (reader.error() == QImageReader::DeviceError)
        result.problem = QStringLiteral("Could not open the file %1.").arg(quotedName(path));
    else if (size.isValid() && reader.error() != QImageReader::InvalidDataError)
        // The header was read, so it is a picture: the memory ran out.
        result.problem = tooLargeMessage(path, size);
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
