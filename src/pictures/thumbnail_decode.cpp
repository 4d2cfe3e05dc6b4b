#include "pictures/thumbnail_decode.h"

#include "pictures/cmyk_jpeg.h"
#include "pictures/colour_profiles.h"
#include "pictures/heif_picture.h"
#include "pictures/thumbnail_jpeg.h"
#include "pictures/webp_picture.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QImageWriter>
#include <QTransform>

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
// in, by Qt, and the profile dropped: the files carry no metadata. Grey
// levels with a grey profile (a gamma of 2.2, say, darker in the shadows
// than sRGB) are turned into sRGB's through Little CMS, as Qt reads such a
// profile as no colour space at all. A picture without a profile or
// already in sRGB is left as it is, and so is one whose profile cannot be
// used (damaged, or not of the picture's colours).
void convertToSrgb(QImage &image, const QByteArray &iccProfile)
{
    const ProfileColours colours = IccProfileColours(iccProfile);
    if (image.format() == QImage::Format_Grayscale8 && colours == ProfileColours::Grey) {
        ConvertGreyToSrgb(image, iccProfile);
        image.setColorSpace(QColorSpace());
        return;
    }
    // A grey or CMYK profile does not describe a picture of RGB colours,
    // though Qt may take a grey one's curve for all three: it is dropped.
    if (colours == ProfileColours::Grey || colours == ProfileColours::Cmyk) {
        image.setColorSpace(QColorSpace());
        return;
    }
    const QColorSpace space = image.colorSpace();
    const QColorSpace srgb(QColorSpace::SRgb);
    if (!space.isValid() || space == srgb)
        return;
    image.convertToColorSpace(srgb);
    image.setColorSpace(QColorSpace());
}

// The decoded picture brought to the thumbnail: scaled smoothly as stored,
// then turned, as Qt's reader does.
QImage scaledAndTurned(const QImage &decoded, const PictureHeader &header, QSize pixelSize)
{
    const QSize stored = storedSize(header, pixelSize);
    QImage image = decoded.size() == stored ? decoded
                                            : decoded.scaled(stored, Qt::IgnoreAspectRatio,
                                                             Qt::SmoothTransformation);
    const QImageIOHandler::Transformations turn = header.transformation;
    image = image.mirrored(turn.testFlag(QImageIOHandler::TransformationMirror),
                           turn.testFlag(QImageIOHandler::TransformationFlip));
    if (turn.testFlag(QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
    return image;
}

// A CMYK JPEG that Qt's reader cannot show as it looks: one with a CMYK
// profile, or one whose samples are not inverted (Qt takes every CMYK
// JPEG's as inverted, as Adobe's programs write them). Decoded with
// libjpeg at the size Qt's reader would, each row turned into sRGB as it
// comes. A null image with why empty when Qt's reader decodes it as well:
// an inverted picture whose profile, if any, cannot be used.
QImage decodeCmykJpeg(const QByteArray &bytes, const JpegColours &colours,
                      const PictureHeader &header, QSize pixelSize, QString *why)
{
    const CmykToSrgb conversion(colours.iccProfile, colours.adobe);
    if (colours.adobe && !conversion.usesProfile())
        return {};
    const int eighths = JpegDecodeEighths(header.size, requestedSize(header, pixelSize));
    const QImage decoded = DecodeCmykJpeg(bytes, eighths, conversion, kThumbnailDecodeLimit, why);
    return decoded.isNull() ? decoded : scaledAndTurned(decoded, header, pixelSize);
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
    // A colour profile or CMYK samples take the conversion's tables too.
    const qint64 conversion = header.convertsColours ? kColourConversionBytes : 0;
    return header.decodeAndScaleBytes(decoded) + imageBytes(requested) + imageBytes(pixelSize)
           + conversion;
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
        convertToSrgb(image, QByteArray()); // its reader gave the colour space
        return image;
    }
    const QSize requested = requestedSize(header, pixelSize);
    const JpegColours colours = header.format == "jpeg" ? ReadJpegColours(bytes) : JpegColours();
    if (header.format == "jpeg" && DecodesAtOneEighth(header.size, requested))
        LightenJpegForOneEighth(bytes);
    if (colours.components == 4) {
        QString reason;
        QImage image = decodeCmykJpeg(bytes, colours, header, pixelSize, &reason);
        if (!reason.isEmpty())
            *why = reason;
        if (!image.isNull() || !reason.isEmpty())
            return image;
    }
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
    convertToSrgb(image, colours.iccProfile);
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
