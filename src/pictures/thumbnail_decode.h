#pragma once

#include "pictures/picture_header.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace vintora {

// The most memory decoding one picture for its thumbnail may take. A
// camera's 45-megapixel JPEG needs 3 MB decoded at 1/8, or 136 to
// 272 MB as a progressive JPEG (whose coefficients libjpeg keeps whole); a
// 100-megapixel panorama 300 to 600 MB as a progressive JPEG, 400 MB as a
// PNG and 800 MB as a PNG of 16 bits per sample. A picture whose header
// promises more is refused before any of it is read: a 16,000 x 16,000
// GIF (1 GB whatever its file's size) or a 32,768 x 32,768 progressive
// JPEG (2.1 GB of coefficients).
inline constexpr qint64 kThumbnailDecodeLimit = qint64(768) << 20;

// The memory, in bytes, that decoding the picture (as its header gives it)
// into a thumbnail of pixelSize (as shown, its orientation applied) takes:
// a JPEG is decoded at the smallest eighth of its size still at least the
// thumbnail's, other formats whole, then scaled to the thumbnail. (Qt
// reads a PNG of 8 bits per sample without interlacing row by row into the
// small picture; it is counted whole all the same, as its decode takes as
// long as a whole one, so that the limit bounds the time too.)
qint64 ThumbnailDecodeBytes(const PictureHeader &header, QSize pixelSize);

// Decodes a picture file's bytes into its thumbnail of pixelSize, its
// orientation applied. The bytes may be changed on the way (a progressive
// JPEG loses the scans a small decode does not need) but never grow. A
// null image when it cannot, with the reason in why, in plain words that
// follow the picture's name ("it is animated").
QImage DecodeThumbnail(QByteArray &bytes, const PictureHeader &header, QSize pixelSize,
                       QString *why);

} // namespace vintora
