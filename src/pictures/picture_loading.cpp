#include "pictures/picture_loading.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "pictures/picture_bytes.h"
#include "pictures/picture_header.h"
#include "pictures/picture_integrity.h"

#include <QBuffer>
#include <QImageReader>
#include <QLocale>

#include <new>

namespace vintora {

namespace {

// The most memory one picture may take once decoded. Qt's readers refuse
// anything above 128 MB by default, which turns away the 45-megapixel
// pictures of full-frame cameras (181 MB); this allows those and 100- to
// 190-megapixel panoramas, while a picture whose header promises more (a
// GIF of 16,000 x 16,000 pixels in a file of 35 bytes) is refused before
// any of it is read, in moments rather than the wizard standing still.
constexpr qint64 kMaxPictureBytes = qint64(768) << 20;
// Larger files are not read: no picture worth showing here needs more.
constexpr qint64 kLargestPictureFile = qint64(512) << 20;

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

QString damagedMessage(const QString &path)
{
    return QStringLiteral("%1 is damaged or incomplete, so Vintora cannot use it.")
            .arg(quotedName(path));
}

QString notAPictureMessage(const QString &path)
{
    return QStringLiteral("%1 is not a picture Vintora can show.").arg(quotedName(path));
}

QString problemOpening(const SourceFile &file, const QString &path)
{
    const FileStatus &status = file.status();
    if (!status.exists() || status.kind == FileStatus::Kind::Folder)
        // A missing file and a folder given as a path read the same way to
        // the user: there is no such picture file.
        return QStringLiteral("Could not find the file %1.").arg(quotedName(path));
    if (status.isRegular())
        return QStringLiteral("Could not open the file %1.").arg(quotedName(path));
    return QStringLiteral("%1 is %2, not a picture file.").arg(quotedName(path), status.what);
}

// Why a file whose header could not be read is refused: a picture cut
// short in its header is damaged; anything else is no picture.
QString unreadableHeaderMessage(SourceFile &file, const QString &path)
{
    QString why;
    const std::optional<QByteArray> bytes
            = file.status().size <= kLargestPictureFile
                      ? ReadPictureBytes(file.device(), file.status().size, &why)
                      : std::nullopt;
    return bytes && !PictureLooksComplete(*bytes) ? damagedMessage(path) : notAPictureMessage(path);
}

} // namespace

LoadedPicture loadPicture(const QString &path, const QSize &topLeft)
{
    LoadedPicture result;
    SourceFile file(path);
    if (!file.isOpen()) {
        result.problem = problemOpening(file, path);
        return result;
    }

    // Everything is judged from the header before the rest is read.
    const PictureHeader header = ReadPictureHeader(file.device());
    if (!header.isValid()) {
        result.problem = unreadableHeaderMessage(file, path);
        return result;
    }
    const QSize size = header.size;
    QSize wanted = size;
    if (topLeft.isValid() && !topLeft.isEmpty())
        wanted = size.boundedTo(topLeft);
    // A JPEG decodes no more than the part wanted; other formats are
    // decoded whole and the part copied out.
    const qint64 part = wanted == size ? 0 : qint64(wanted.width()) * wanted.height() * 4;
    const qint64 bytesNeeded = header.format == "jpeg"
                                       ? header.decodeBytes(wanted)
                                       : header.decodeBytes(header.decodedSize) + part;
    if (bytesNeeded > kMaxPictureBytes) {
        result.problem = tooLargeMessage(path, header.decodedSize);
        return result;
    }
    const qint64 fileSize = file.status().size;
    if (fileSize > kLargestPictureFile) {
        result.problem
                = QStringLiteral("%1 is too large a file to read (%2).")
                          .arg(quotedName(path), QLocale::c().formattedDataSize(
                                                         fileSize, 1, QLocale::DataSizeSIFormat));
        return result;
    }

    // Read once: Qt's readers show a picture that ends early without a word
    // (a JPEG cut short comes back grey below the cut), so the bytes are
    // checked whole first, then decoded from memory.
    QString why;
    std::optional<QByteArray> bytes = ReadPictureBytes(file.device(), fileSize, &why);
    if (!bytes) {
        result.problem = QStringLiteral("Could not open the file %1.").arg(quotedName(path));
        return result;
    }
    if (!PictureLooksComplete(*bytes)) {
        result.problem = damagedMessage(path);
        return result;
    }

    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // No orientation tags are applied: the picture shows as stored.
    reader.setAutoTransform(false);
    if (wanted != size)
        reader.setClipRect(QRect(QPoint(0, 0), wanted));
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

    if (reader.error() != QImageReader::InvalidDataError)
        // The header was read, so it is a picture: the memory ran out.
        result.problem = tooLargeMessage(path, size);
    else
        result.problem = notAPictureMessage(path);
    return result;
}

QString tooLargeToTileMessage(const QString &path)
{
    return QStringLiteral("%1 is too large to use as a background.").arg(quotedName(path));
}

} // namespace vintora
