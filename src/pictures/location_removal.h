#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vintora {

// What became of where a picture was taken.
struct LocationRemoval
{
    enum class Outcome {
        // The file tells nothing of where it was taken: publish it as it is.
        NoLocation,
        // bytes is the file without it, its picture unchanged byte for byte.
        Removed,
        // It cannot be removed without touching the picture, or it cannot
        // be told whether there is one: why says so, in words that follow
        // the file's name ("its metadata is damaged").
        NotPossible,
    };
    Outcome outcome = Outcome::NoLocation;
    QByteArray bytes;
    QString why;
};

// Removes where a picture was taken from the bytes of its file, without
// decoding the picture: the GPS block of its EXIF, XMP's GPS properties,
// and the names of the place in IPTC and XMP (city, sub-location, state,
// country, location). Everything else the metadata holds is kept, as far
// as Exiv2 can read it; what it cannot read is dropped.
//
// JPEG, PNG and WebP are rewritten; the result is checked to hold the same
// picture (see PictureParts) and no location before it is given. HEIF and
// AVIF (whose metadata cannot be rewritten), GIF with XMP, damaged
// metadata, metadata over the reader's bounds, and a JPEG with another
// picture after its end (a second frame) that tells where it was taken
// give NotPossible when they may tell it.
LocationRemoval RemoveLocation(QByteArrayView file);

} // namespace vintora
