#include "pictures/thumbnail_decode.h"

#include "pictures/heif_picture.h"
#include "pictures/thumbnail_jpeg.h"
#include "pictures/webp_picture.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QImageWriter>

namespace vintora {

namespace {

qint64 imageBytes(QSize size)
{
    return qint64(size.width()) * size.height() * 4;
}

// The size asked of the reader: as stored, before the turn.
QSize storedSize(const PictureHeader &header, QSize pixelSize)
{
    const bool turned = header.transformation.testFlag(QImageIOHandler::TransformationRotate90);
    return turned ? pixelSize.transposed() : pixelSize;
}

// The size asked of Qt's reader: JPEG is scaled while it is decoded, in
// eighths; other formats are scaled by the reader once decoded whole.
QSize requestedSize(const PictureHeader &header, QSize pixelSize)
{
    const QSize stored = storedSize(header, pixelSize);
    return header.format == "jpeg" ? JpegDecodeSize(header.size, stored) : stored;
}

// Colours held in another RGB space (a phone's Display P3, Adobe RGB,
// ProPhoto) are turned into sRGB, the space a page's pictures are shown
// in, and the profile dropped: the files carry no metadata. A picture
// without a profile or already in sRGB is left as it is, and so is one
// whose profile cannot be used (grey, CMYK, damaged), which Qt reads as no
// colour space at all.
void convertToSrgb(QImage &image)
{
    const QColorSpace space = image.colorSpace();
    const QColorSpace srgb(QColorSpace::SRgb);
    if (!space.isValid() || space == srgb)
        return;
    image.convertToColorSpace(srgb);
    image.setColorSpace(QColorSpace());
}

// The pictures of the formats Qt does not read: a WebP scaled while it is
// decoded, a HEIF or AVIF decoded whole.
QImage decodeOwnFormat(const QByteArray &bytes, const PictureHeader &header, QSize pixelSize,
                       QString *why)
{
    if (header.format == "webp")
        return DecodeWebp(bytes, pixelSize, why);
    QString reason;
    QImage image = DecodeHeif(bytes, header.decodedSize, &reason);
    if (image.isNull())
        *why = QStringLiteral("it is damaged or cannot be read (%1)").arg(reason);
    return image;
}

} // namespace

bool IsOwnReaderFormat(const QByteArray &format)
{
    return format == "heif" || format == "avif" || format == "webp";
}

qint64 ThumbnailDecodeBytes(const PictureHeader &header, QSize pixelSize)
{
    const QSize requested = requestedSize(header, pixelSize);
    const QSize decoded = header.format == "jpeg" ? JpegDecodedSize(header.size, requested)
                                                  : header.decodedSize;
    // The decode with the copy its smooth scaling makes, the reader's
    // scaled picture, and the thumbnail turned or scaled to its exact size.
    // A colour profile's conversion to sRGB is made at the thumbnail's
    // size once the reader's picture is gone, its copy taking no more than
    // that picture did.
    return header.decodeAndScaleBytes(decoded) + imageBytes(requested) + imageBytes(pixelSize);
}

QImage DecodeThumbnail(QByteArray &bytes, const PictureHeader &header, QSize pixelSize,
                       QString *why)
{
    if (IsOwnReaderFormat(header.format)) {
        QImage image = decodeOwnFormat(bytes, header, pixelSize, why);
        if (image.isNull())
            return {};
        if (image.size() != pixelSize)
            image = image.scaled(pixelSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        convertToSrgb(image);
        return image;
    }
    const QSize requested = requestedSize(header, pixelSize);
    if (header.format == "jpeg" && DecodesAtOneEighth(header.size, requested))
        LightenJpegForOneEighth(bytes);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QImageReader reader(&in, header.format);
    // A thumbnail would stop an animation; a small one is kept whole by
    // the caller.
    if (reader.supportsAnimation() && reader.imageCount() > 1) {
        *why = QStringLiteral("it is animated");
        return {};
    }
    // The cost was judged from the header; this only stops a reader whose
    // picture turns out larger than its header said.
    reader.setAllocationLimit(int(kThumbnailDecodeLimit >> 20));
    // The reader scales first (pictures of other formats smoothly once
    // decoded) and turns the small picture after.
    reader.setAutoTransform(true);
    reader.setScaledSize(requested);
    QImage image = reader.read();
    if (image.isNull()) {
        *why = QStringLiteral("it is damaged or cannot be read (%1)").arg(reader.errorString());
        return {};
    }
    if (image.size() != pixelSize)
        image = image.scaled(pixelSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    convertToSrgb(image);
    return image;
}

QByteArray FullSizeJpeg(QByteArray bytes, const PictureHeader &header, QString *why)
{
    const QSize size = header.orientedSize();
    if (ThumbnailDecodeBytes(header, size) > kThumbnailDecodeLimit) {
        *why = QStringLiteral("it would take too much memory (%1 × %2 pixels)")
                       .arg(size.width())
                       .arg(size.height());
        return {};
    }
    const QImage image = DecodeThumbnail(bytes, header, size, why);
    if (image.isNull())
        return {};
    QByteArray jpeg;
    QBuffer out(&jpeg);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image)) {
        *why = writer.errorString();
        return {};
    }
    return jpeg;
}

} // namespace vintora
