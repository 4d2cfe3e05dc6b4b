#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImageIOHandler>
#include <QSize>

namespace vintora {

// What a picture's header says, read without decoding its pixels.
struct PictureHeader
{
    QByteArray format; // as Qt names it ("jpeg", "png"); empty when unknown
    QSize size;        // as stored
    // The turn or flip the picture asks to be shown with (EXIF orientation).
    QImageIOHandler::Transformations transformation = QImageIOHandler::TransformationNone;

    // What decoding it costs, beyond what size alone tells:
    // The size a whole decode gives: size, except for a GIF whose screen
    // (which Qt's reader fills) is larger than its first frame.
    QSize decodedSize;
    // Bytes of one decoded pixel: 8 for PNG of 16 bits per sample, which
    // Qt decodes to 64-bit pixels; 4 otherwise.
    int bytesPerPixel = 4;
    // Bytes per decoded pixel of the copy Qt makes to scale a picture
    // decoded whole smoothly: the same picture in a form its scaling reads
    // (premultiplied alpha, or 32-bit pixels in place of a palette or grey
    // levels). None for a JPEG, scaled while decoded, nor for a PNG of RGB
    // without transparency, whose pixels are in that form already.
    int scalingCopyBytesPerPixel = 4;
    // A JPEG decoded from more than one scan (progressive, or with its
    // components in separate scans) has libjpeg keep every coefficient of
    // the picture at full size, whatever size it is decoded at: these bytes.
    qint64 coefficientBytes = 0;
    // A JPEG with an embedded colour profile (APP2) or CMYK samples, whose
    // colours may be converted through tables of their own.
    bool convertsColours = false;

    bool isValid() const { return !format.isEmpty() && size.width() > 0 && size.height() > 0; }
    // The size as shown, with its orientation applied.
    QSize orientedSize() const
    {
        return transformation.testFlag(QImageIOHandler::TransformationRotate90) ? size.transposed()
                                                                                : size;
    }
    // The memory a decode to an image of decoded pixels takes: the image
    // and the coefficients kept on the way.
    qint64 decodeBytes(QSize decoded) const
    {
        return qint64(decoded.width()) * decoded.height() * bytesPerPixel + coefficientBytes;
    }
    // The same with the copy made to scale the decoded image smoothly,
    // which lives beside it.
    qint64 decodeAndScaleBytes(QSize decoded) const
    {
        return decodeBytes(decoded)
               + qint64(decoded.width()) * decoded.height() * scalingCopyBytesPerPixel;
    }
};

// Reads the header of the picture the device holds, from its current
// position. The device's position afterwards is wherever the reader left it.
PictureHeader ReadPictureHeader(QIODevice &device);

} // namespace vintora
