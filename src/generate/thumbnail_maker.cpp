#include "generate/thumbnail_maker.h"

#include "generate/thumbnail_file.h"
#include "generate/thumbnail_jpeg.h"
#include "pictures/file_name_bytes.h"
#include "pictures/picture_header.h"
#include "pictures/picture_integrity.h"
#include "pictures/source_file.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

namespace vintora {

namespace {

// Larger picture files are not read into memory to be made small.
constexpr qint64 kLargestPictureFile = qint64(512) << 20;
// Room for a decoded picture of about 16,000 x 16,000 pixels; Qt's
// default of 256 MB would refuse large panoramas, which need a thumbnail
// most.
constexpr int kDecodeLimitMegabytes = 1024;

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

ThumbnailResult MakeThumbnail(const ThumbnailJob &job)
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
    if (!device.seek(0))
        return failed(result, job.source,
                      QStringLiteral("it cannot be read (%1)").arg(device.errorString()));
    QByteArray bytes = device.readAll();
    if (!PictureLooksComplete(bytes))
        return failed(result, job.source, QStringLiteral("it is damaged or incomplete"));

    QByteArray thumbnail;
    if (asItIs) {
        thumbnail = bytes;
    } else {
        // The size asked of the reader is as stored, before the turn.
        const bool turned = header.transformation.testFlag(QImageIOHandler::TransformationRotate90);
        const QSize stored = turned ? result.pixelSize.transposed() : result.pixelSize;
        const bool jpeg = header.format == "jpeg";
        const QSize requested = jpeg ? JpegDecodeSize(header.size, stored) : stored;
        if (jpeg && DecodesAtOneEighth(header.size, requested)) {
            QByteArray lighter = JpegForOneEighth(bytes);
            if (!lighter.isEmpty())
                bytes = std::move(lighter);
        }
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        QImageReader reader(&in, header.format);
        // A thumbnail would stop an animation; a small one is kept whole
        // above.
        if (reader.supportsAnimation() && reader.imageCount() > 1)
            return failed(result, job.source, QStringLiteral("it is animated"));
        reader.setAllocationLimit(kDecodeLimitMegabytes);
        // The reader scales first (pictures of other formats smoothly once
        // decoded) and turns the small picture after.
        reader.setAutoTransform(true);
        reader.setScaledSize(requested);
        QImage image = reader.read();
        if (image.isNull())
            return failed(result, job.source,
                          QStringLiteral("it is damaged or cannot be read (%1)")
                                  .arg(reader.errorString()));
        if (image.size() != result.pixelSize)
            image = image.scaled(result.pixelSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

        QBuffer out(&thumbnail);
        out.open(QIODevice::WriteOnly);
        const bool transparent = usesTransparency(image);
        QImageWriter writer(&out, transparent ? "png" : "jpeg");
        if (!transparent) {
            writer.setQuality(kThumbnailJpegQuality);
            writer.setOptimizedWrite(true);
        }
        if (!writer.write(image))
            return failed(
                    result, job.source,
                    QStringLiteral("it could not be made small (%1)").arg(writer.errorString()));
    }

    QString why;
    if (!WriteFileReplacing(job.destination, thumbnail, &why))
        return failed(result, job.source,
                      QStringLiteral("the thumbnail \"%1\" %2")
                              .arg(DisplayFileName(job.destination), why));
    result.outcome = ThumbnailResult::Outcome::Made;
    return result;
}

} // namespace vintora
