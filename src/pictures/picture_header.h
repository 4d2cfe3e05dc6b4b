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

    bool isValid() const { return !format.isEmpty() && size.width() > 0 && size.height() > 0; }
    // The size as shown, with its orientation applied.
    QSize orientedSize() const
    {
        return transformation.testFlag(QImageIOHandler::TransformationRotate90) ? size.transposed()
                                                                                : size;
    }
};

// Reads the header of the picture the device holds, from its current
// position. The device's position afterwards is wherever the reader left it.
PictureHeader ReadPictureHeader(QIODevice &device);

} // namespace vintora
