#include "pictures/picture_header.h"

#include "pictures/heif_picture.h"
#include "pictures/webp_picture.h"

#include <QImageReader>

#include <algorithm>
#include <cstring>

namespace vintora {

namespace {

// A JPEG holds each 8 x 8 block of coefficients as 64 16-bit numbers.
constexpr qint64 kJpegBlockBytes = 128;
// A JPEG has a handful of segments before its first scan; one with more is
// not walked further.
constexpr int kMostJpegSegments = 4096;
// Nor a PNG with more chunks than this before its data.
constexpr int kMostPngChunksBeforeData = 256;

int bigEndian16(const unsigned char *at)
{
    return at[0] << 8 | at[1];
}

int littleEndian16(const unsigned char *at)
{
    return at[1] << 8 | at[0];
}

qint64 roundUp(qint64 value, int multiple)
{
    return (value + multiple - 1) / multiple * multiple;
}

bool readExactly(QIODevice &device, unsigned char *to, qint64 count)
{
    return device.read(reinterpret_cast<char *>(to), count) == count;
}

// The coefficient blocks libjpeg keeps for a picture of this size when it
// buffers the whole picture: per component, its blocks rounded up to whole
// units of its sampling factors.
qint64 jpegBufferedBlocks(QSize size, const unsigned char *components, int count)
{
    int largestH = 1;
    int largestV = 1;
    for (int c = 0; c < count; ++c) {
        largestH = std::max(largestH, components[3 * c + 1] >> 4);
        largestV = std::max(largestV, components[3 * c + 1] & 15);
    }
    qint64 blocks = 0;
    for (int c = 0; c < count; ++c) {
        const int h = std::max(1, components[3 * c + 1] >> 4);
        const int v = std::max(1, components[3 * c + 1] & 15);
        const qint64 wide = (qint64(size.width()) * h + 8 * largestH - 1) / (8 * largestH);
        const qint64 high = (qint64(size.height()) * v + 8 * largestV - 1) / (8 * largestV);
        blocks += roundUp(wide, h) * roundUp(high, v);
    }
    return blocks;
}

// The coefficient bytes libjpeg keeps for the JPEG the device holds from
// its current position: none when its first scan holds every component of
// a sequential frame (the picture is then decoded block row by block row).
// When the segments up to the first scan cannot be walked, the most a
// colour picture of that size could keep. Notes in convertsColours a
// colour profile (APP2) or CMYK samples on the way.
qint64 jpegCoefficientBytes(QIODevice &device, QSize size, bool *convertsColours)
{
    const unsigned char worstCase[9] = {1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0};
    const qint64 worst = jpegBufferedBlocks(size, worstCase, 3) * kJpegBlockBytes;
    unsigned char bytes[3 * 255 + 8];
    if (!readExactly(device, bytes, 2) || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return worst;
    bool progressive = false;
    int frameComponents = 0;
    qint64 blocks = 0;
    for (int segment = 0; segment < kMostJpegSegments; ++segment) {
        if (!readExactly(device, bytes, 2) || bytes[0] != 0xFF)
            return worst;
        unsigned char marker = bytes[1];
        while (marker == 0xFF) { // fill bytes
            if (!readExactly(device, &marker, 1))
                return worst;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // no length follows
        if (marker == 0xD9 || !readExactly(device, bytes, 2))
            return worst;
        const int length = bigEndian16(bytes) - 2;
        if (length < 0)
            return worst;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8
                           && marker != 0xCC;
        if (frame) {
            if (length < 6 || length > qint64(sizeof bytes) || !readExactly(device, bytes, length))
                return worst;
            frameComponents = bytes[5];
            if (length < 6 + 3 * frameComponents)
                return worst;
            progressive = (marker & 3) == 2; // SOF2, SOF6, SOF10, SOF14
            blocks = jpegBufferedBlocks(size, bytes + 6, frameComponents);
            *convertsColours = *convertsColours || frameComponents == 4;
        } else if (marker == 0xE2 && length >= 12) {
            if (!readExactly(device, bytes, 12) || !device.seek(device.pos() + length - 12))
                return worst;
            *convertsColours = *convertsColours || std::memcmp(bytes, "ICC_PROFILE", 12) == 0;
        } else if (marker == 0xDA) {
            if (frameComponents == 0 || length < 1 || !readExactly(device, bytes, 1))
                return worst;
            const bool oneScan = !progressive && bytes[0] >= frameComponents;
            return oneScan ? 0 : blocks * kJpegBlockBytes;
        } else if (!device.seek(device.pos() + length)) {
            return worst;
        }
    }
    return worst;
}

// The GIF's logical screen, which Qt's reader allocates and fills whatever
// the size of its frames; invalid when it gives none.
QSize gifScreen(QIODevice &device)
{
    unsigned char bytes[10];
    if (!readExactly(device, bytes, 10))
        return {};
    return {littleEndian16(bytes + 6), littleEndian16(bytes + 8)};
}

quint32 bigEndian32(const unsigned char *at)
{
    return quint32(bigEndian16(at)) << 16 | quint32(bigEndian16(at + 2));
}

// Whether a transparency chunk (tRNS) comes before the PNG's data, walking
// the chunks that follow the header; true when the walk cannot tell.
bool pngHasTransparencyChunk(QIODevice &device)
{
    unsigned char chunk[8];
    for (int count = 0; count < kMostPngChunksBeforeData; ++count) {
        if (!readExactly(device, chunk, 8))
            return true;
        if (std::memcmp(chunk + 4, "tRNS", 4) == 0)
            return true;
        if (std::memcmp(chunk + 4, "IDAT", 4) == 0)
            return false;
        // The chunk's data and its CRC.
        if (!device.seek(device.pos() + qint64(bigEndian32(chunk)) + 4))
            return true;
    }
    return true;
}

// What a PNG's decode costs per pixel, from its header (IHDR) and the
// chunks before its data: Qt decodes 16 bits per sample to 64-bit pixels;
// only RGB without transparency is scaled without a copy.
void readPngCost(QIODevice &device, PictureHeader &header)
{
    unsigned char bytes[33];
    if (!readExactly(device, bytes, 33))
        return;
    const int bitDepth = bytes[24];
    const int colourType = bytes[25];
    if (bitDepth > 8)
        header.bytesPerPixel = 8;
    if (colourType == 2 && !pngHasTransparencyChunk(device))
        header.scalingCopyBytesPerPixel = 0;
    else if (bitDepth > 8)
        header.scalingCopyBytesPerPixel = 8;
}

} // namespace

PictureHeader ReadPictureHeader(QIODevice &device)
{
    // HEIF, AVIF and WebP, which Qt does not read, have readers of their
    // own; the first bytes tell them apart.
    const QByteArray first = device.peek(64);
    if (const QByteArray heif = HeifFormatOf(first); !heif.isEmpty())
        return ReadHeifHeader(device, heif);
    if (IsWebp(first))
        return ReadWebpHeader(device);

    PictureHeader header;
    const qint64 start = device.pos();
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return header;
    header.size = reader.size();
    if (!header.size.isValid())
        return header;
    header.transformation = reader.transformation();
    header.format = reader.format();
    header.decodedSize = header.size;

    // Only a sequential device cannot go back; a JPEG's walk then finds no
    // start marker and takes the worst case.
    const bool atStart = device.seek(start);
    if (header.format == "jpeg") {
        header.coefficientBytes
                = jpegCoefficientBytes(device, header.size, &header.convertsColours);
        header.scalingCopyBytesPerPixel = 0;
    } else if (header.format == "gif" && atStart) {
        const QSize screen = gifScreen(device);
        if (!screen.isEmpty())
            header.decodedSize = screen;
    } else if (header.format == "png" && atStart) {
        readPngCost(device, header);
    }
    return header;
}

} // namespace vintora
