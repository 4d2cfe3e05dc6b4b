#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace vintora {

// What a JPEG's segments before its first scan say of its colours.
struct JpegColours
{
    int components = 0; // of its frame: 1 grey, 3 colour, 4 CMYK
    // An "Adobe" segment (APP14): a CMYK picture's samples are then
    // inverted, 255 for no ink, as Adobe's programs write them.
    bool adobe = false;
    // The embedded ICC profile, its APP2 chunks put together in order;
    // empty when there is none or its chunks do not fit together.
    QByteArray iccProfile;
};

JpegColours ReadJpegColours(QByteArrayView jpeg);

class CmykToSrgb;

// Decodes a CMYK JPEG at eighths/8 of its stored size into sRGB pixels
// (QImage::Format_RGB32), each row turned into sRGB by conversion as it is
// decoded. A null image, with the reason in why, when it cannot be
// decoded or its decode and row would take more than mostBytes.
QImage DecodeCmykJpeg(QByteArrayView jpeg, int eighths, const CmykToSrgb &conversion,
                      qint64 mostBytes, QString *why);

} // namespace vintora
