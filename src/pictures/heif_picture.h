#pragma once

#include "pictures/picture_header.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

namespace vintora {

// HEIC/HEIF (the pictures of many phones) and AVIF, read with libheif: the
// primary picture, turned and mirrored as its container asks, at 8 bits per
// sample.

// Whether the bytes start a HEIF file libheif reads: an "ftyp" box naming a
// still-picture brand. "avif" when it is AVIF, "heif" for the others, empty
// when it is neither.
QByteArray HeifFormatOf(QByteArrayView start);

// The header of the HEIF file the device holds from its current position,
// read box by box without its coded pixels: the size as shown (the
// container's turn applied) and what decoding it costs. Invalid when the
// file has no primary picture libheif can read.
PictureHeader ReadHeifHeader(QIODevice &device, const QByteArray &format);

// Decodes the primary picture whole, turned as shown, with its colour
// space (from its ICC profile, or Display P3 from its colour description)
// set on the image. No side of any picture it decodes may exceed judged's
// longer side, the size its cost was judged by. A null image with the
// reason in why when it cannot.
QImage DecodeHeif(const QByteArray &bytes, QSize judged, QString *why);

} // namespace vintora
