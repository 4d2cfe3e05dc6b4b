#pragma once

#include <QByteArrayView>
#include <QList>

#include <optional>

namespace vintora {

// The parts of a picture file that make its picture, in order, leaving out
// the parts that only hold metadata, so that two files whose parts are
// equal show the same picture byte for byte:
//
// - JPEG: every segment but the APPn and comment segments before the first
//   scan, then everything from that scan on;
// - PNG: every chunk but the text chunks (tEXt, zTXt, iTXt) and EXIF
//   (eXIf), and what follows the end;
// - WebP: every chunk but EXIF and XMP, the canvas size of the extended
//   header (not its flags, which tell whether there is metadata), and what
//   follows the end.
//
// Nothing for another format, or where the file's structure cannot be
// followed. The parts point into file.
std::optional<QList<QByteArrayView>> PictureParts(QByteArrayView file);

// Whether both files have parts, and the same.
bool SamePicture(QByteArrayView one, QByteArrayView other);

} // namespace vintora
