#pragma once

#include <QtGlobal>

namespace vintora {

// The artwork as it is built into the program: for each picture this header,
// then its rows of 32-bit pixels in QImage's layout, width pixels each,
// without padding.
inline constexpr char kArtworkMagic[4] = {'V', 'P', 'X', '1'};

struct ArtworkHeader
{
    char magic[4];
    quint32 width;
    quint32 height;
    quint32 format; // a QImage::Format of 32 bits a pixel
};

} // namespace vintora
