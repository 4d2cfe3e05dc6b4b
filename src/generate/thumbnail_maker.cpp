#include "generate/thumbnail_maker.h"

#include "generate/memory_budget.h"
#include "generate/thumbnail_decode.h"
#include "generate/thumbnail_file.h"
#include "pictures/file_name_bytes.h"
#include "pictures/picture_bytes.h"
#include "pictures/picture_header.h"
#include "pictures/picture_integrity.h"
#include "pictures/source_file.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <optional>

namespace vintora {

namespace {

// Larger picture files are not read into memory to be made small.
constexpr qint64 kLargestPictureFile = qint64(512) << 20;

ThumbnailResult failed(ThumbnailResult result, const QString &source, const QString &why)
{
    result.outcome = ThumbnailResult::Outcome::Failed;
    result.reason
            = QStringLiteral("No thumbnail for \"%1\": %2.").arg(DisplayFileName(source), why);
    return result;
}

// True when some pixel is not fully opaque. A picture with an alpha
// channel that it does not use (as many PNG files have) is marked opaque.
bool usesTransparency(QImage &image)
{
    if (!image.hasAlphaChannel())
        return false;
    const bool argb = image.format() == QImage::Format_ARGB32
                      || image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage pixels = argb ? image : image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(pixels.constScanLine(y));
        quint32 all = 0xFF000000;
        for (int x = 0; x < pixels.width(); ++x)
            all &= line[x];
        if (all < 0xFF000000)
            return true;
    }
    if (argb)
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return false;
}

// An existing thumbnail made from this version of the picture, at the size
// it should have now.
bool keepable(const QString &destination, const FileStatus &existing, const FileStatus &picture,
              QSize pixelSize)
{
    if (!existing.isRegular() || existing.modifiedMs <= picture.modifiedMs)
        return false;
    SourceFile thumbnail(destination);
    if (!thumbnail.isOpen())
        return false;
    const PictureHeader header = ReadPictureHeader(thumbnail.device());
    return header.isValid() && header.orientedSize() == pixelSize;
}

} // namespace

ThumbnailResult MakeThumbnail(const ThumbnailJob &job, MemoryBudget *budget)
{
    ThumbnailResult result;
    if (!job.box.isValid())
        return failed(result, job.source, QStringLiteral("the thumbnail size is 0"));

    SourceFile source(job.source);
    if (!source.isOpen())
        return failed(result, job.source, source.problem());
    QFile &device = source.device();
    const PictureHeader header = ReadPictureHeader(device);
    if (!header.isValid())
        return failed(result, job.source, QStringLiteral("it is not a picture that can be read"));
    if (header.format.startsWith("svg"))
        return failed(result, job.source, QStringLiteral("it is a drawing, shown as it is"));

    result.pictureSize = header.orientedSize();
    result.pixelSize = ThumbnailPixelSize(result.pictureSize, job.box);
    result.shownSize = ShownSize(result.pictureSize, job.box);
    const bool asItIs = result.pixelSize == result.pictureSize;

    // A picture chosen from an earlier run's thumbnails is never written
    // over.
    const FileStatus destination = StatFile(job.destination);
    if (destination.sameFileAs(source.status()))
        return failed(result, job.source, QStringLiteral("it is where its thumbnail would go"));
    if (keepable(job.destination, destination, source.status(), result.pixelSize)) {
        result.outcome = ThumbnailResult::Outcome::Kept;
        return result;
    }

    if (source.status().size > kLargestPictureFile)
        return failed(result, job.source, QStringLiteral("the file is too large"));
    // What making it holds in memory: the file and, unless it is kept as it
    // is, its decode. Judged from the header, before any of it is read.
    const qint64 decodeBytes = asItIs ? 0 : ThumbnailDecodeBytes(header, result.pixelSize);
    const QSize decoded
            = header.decodedSize == header.size ? result.pictureSize : header.decodedSize;
    const QString tooCostly
            = QStringLiteral("it would take more memory than a thumbnail is worth (%1 × %2 pixels)")
                      .arg(decoded.width())
                      .arg(decoded.height());
    if (decodeBytes > kThumbnailDecodeLimit)
        return failed(result, job.source, tooCostly);

    QByteArray thumbnail;
    QString why;
    {
        const MemoryHold hold(budget, source.status().size + decodeBytes);
        if (!hold.held())
            return failed(result, job.source, tooCostly);
        std::optional<QByteArray> bytes = ReadPictureBytes(device, source.status().size, &why);
        if (!bytes)
            return failed(result, job.source, why);
        if (!PictureLooksComplete(*bytes))
            return failed(result, job.source, QStringLiteral("it is damaged or incomplete"));
        if (asItIs) {
            thumbnail = *bytes;
        } else {
            QImage image = DecodeThumbnail(*bytes, header, result.pixelSize, &why);
            if (image.isNull())
                return failed(result, job.source, why);
            QBuffer out(&thumbnail);
            out.open(QIODevice::WriteOnly);
            const bool transparent = usesTransparency(image);
            QImageWriter writer(&out, transparent ? "png" : "jpeg");
            if (!transparent) {
                writer.setQuality(kThumbnailJpegQuality);
                writer.setOptimizedWrite(true);
            }
            if (!writer.write(image))
                return failed(result, job.source,
                              QStringLiteral("it could not be made small (%1)")
                                      .arg(writer.errorString()));
        }
    }

    if (!WriteFileReplacing(job.destination, thumbnail, &why))
        return failed(result, job.source,
                      QStringLiteral("the thumbnail \"%1\" %2")
                              .arg(DisplayFileName(job.destination), why));
    result.outcome = ThumbnailResult::Outcome::Made;
    return result;
}

} // namespace vintora
