#pragma once

#include <QImage>
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
LoadedPicture loadPicture(const QString &path);

// The line shown when a picture is too large to be tiled as a background.
QString tooLargeToTileMessage(const QString &path);

} // namespace vintora
