#pragma once

#include "pictures/picture_header.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace vintora {

// The most memory decoding one picture for its files may take, so that a
// run making them stays within 300 MB whatever the picture. A camera's
// 45-megapixel JPEG needs 3 MB decoded at 1/8, or 136 MB as a progressive
// JPEG of subsampled colour (whose coefficients libjpeg keeps whole at any
// scale); a 50-megapixel PNG 200 MB. A picture whose header promises more
// is refused before any of it is read: a GIF whose screen is 14,000 x
// 14,000 (1.5 GB with the copy made to scale it, whatever its file's
// size), a progressive JPEG of 11,000 x 11,000 in full colour (726 MB of
// coefficients in a file of a kilobyte), a PNG of 9,000 x 9,000 of 16 bits
// per sample (648 MB decoded).
inline constexpr qint64 kThumbnailDecodeLimit = qint64(256) << 20;

// The memory, in bytes, that decoding the picture (as its header gives it)
// into a thumbnail of pixelSize (as shown, its orientation applied) takes:
// a JPEG is decoded at the smallest eighth of its size still at least the
// thumbnail's, other formats whole, then scaled to the thumbnail, through a
// copy in the form Qt's smooth scaling reads where the decode is not in it.
// (Qt reads a PNG of 8 bits per sample without interlacing row by row into
// the small picture; it is counted whole all the same, as its decode takes
// as long as a whole one, so that the limit bounds the time too.)
qint64 ThumbnailDecodeBytes(const PictureHeader &header, QSize pixelSize);

// Whether the format is one Qt does not read, read here with libheif
// ("heif", "avif") or libwebp ("webp").
bool IsOwnReaderFormat(const QByteArray &format);

// Decodes a picture file's bytes into its thumbnail of pixelSize, its
// orientation applied. The bytes may be changed on the way (a progressive
// JPEG loses the scans a small decode does not need) but never grow. A
// null image when it cannot, with the reason in why, in plain words that
// follow the picture's name ("it is animated").
QImage DecodeThumbnail(QByteArray &bytes, const PictureHeader &header, QSize pixelSize,
                       QString *why);

// The picture decoded whole, turned as it is shown and in sRGB, as a JPEG
// of quality 90 that carries no metadata: what a page shows at full size in
// place of a picture browsers do not show (HEIC). Empty, with the reason in
// why, when it cannot be decoded or its decode would take more memory than
// kThumbnailDecodeLimit.
QByteArray FullSizeJpeg(QByteArray bytes, const PictureHeader &header, QString *why);

} // namespace vintora
