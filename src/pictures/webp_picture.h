#pragma once

#include "pictures/picture_header.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

namespace vintora {

// WebP pictures, read with libwebp.

// Whether the bytes start a WebP file: a RIFF file of the form "WEBP".
bool IsWebp(QByteArrayView start);

// The header of the WebP file the device holds from its current position,
// from its first chunks: its size, and what decoding it costs. Invalid when
// libwebp does not take it for a WebP picture.
PictureHeader ReadWebpHeader(QIODevice &device);

// Decodes the picture scaled to pixelSize (its whole size when pixelSize
// is empty) while it is decoded. A null image with the reason in why when
// it cannot: an animation ("it is animated") or damaged data.
QImage DecodeWebp(const QByteArray &bytes, QSize pixelSize, QString *why);

} // namespace vintora
