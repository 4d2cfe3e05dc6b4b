#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vintora {

// A picture file read at its natural size, or the line that tells the user
// in plain words why it could not be read.
struct LoadedPicture
{
    QImage image;    // null when the file did not load
    QString problem; // empty when it did

    bool loaded() const { return problem.isEmpty(); }
};

// Reads a picture file (PNG, JPEG, GIF, BMP and whatever else the installed
// image plug-ins decode), recognised by its contents rather than its name.
// Only regular files are read, opened without blocking. When only the
// top-left part of the picture is shown, topLeft gives its size and no more
// is decoded than that (a camera picture of 45 megapixels behind a small
// swatch costs no more than the swatch); an empty size reads it whole. The
// image has the picture's own size, or the part's when it is smaller.
LoadedPicture loadPicture(const QString &path, const QSize &topLeft = QSize());

// The line shown when a picture is too large to be tiled as a background.
QString tooLargeToTileMessage(const QString &path);

} // namespace vintora
