#include "pictures/picture_integrity.h"

#include "pictures/jpeg_entropy.h"

#include <QByteArray>

#include <cstring>

namespace vintora {

namespace {

using Bytes = const unsigned char *;

quint32 bigEndian16(Bytes at)
{
    return quint32(at[0]) << 8 | at[1];
}

quint32 bigEndian32(Bytes at)
{
    return quint32(at[0]) << 24 | quint32(at[1]) << 16 | quint32(at[2]) << 8 | at[3];
}

quint32 littleEndian16(Bytes at)
{
    return quint32(at[1]) << 8 | at[0];
}

quint32 littleEndian32(Bytes at)
{
    return quint32(at[3]) << 24 | quint32(at[2]) << 16 | quint32(at[1]) << 8 | at[0];
}

bool startsWith(QByteArrayView bytes, const char *magic)
{
    const size_t n = std::strlen(magic);
    return size_t(bytes.size()) >= n && std::memcmp(bytes.data(), magic, n) == 0;
}

// Walks the segments from the start marker to the end marker (EOI),
// passing over the entropy-coded data after each start of scan.
bool jpegComplete(Bytes s, qsizetype size)
{
    qsizetype i = 2;
    while (true) {
        // Fill bytes may stand before a marker.
        if (i >= size || s[i] != 0xFF)
            return false;
        while (i < size && s[i] == 0xFF)
            ++i;
        if (i >= size)
            return false;
        const unsigned char marker = s[i++];
        if (marker == 0xD9) // end of image
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // no length follows
        if (marker == 0x00 || marker == 0xD8)
            return false;
        if (i + 2 > size)
            return false;
        const qsizetype length = bigEndian16(s + i);
        if (length < 2 || i + length > size)
            return false;
        i += length;
        if (marker != 0xDA)
            continue;
        // The scan's data, up to the marker that ends it.
        i = JpegEntropyDataEnd(QByteArrayView(s, size), i);
        if (i < 0)
            return false;
    }
}

// Walks the chunks to IEND. (Qt's reader refuses a PNG without it too.)
bool pngComplete(Bytes s, qsizetype size)
{
    qsizetype i = 8;
    bool sawData = false;
    while (i + 12 <= size) {
        const qsizetype length = bigEndian32(s + i);
        if (length > size - i - 12)
            return false;
        if (std::memcmp(s + i + 4, "IEND", 4) == 0)
            return sawData;
        sawData = sawData || std::memcmp(s + i + 4, "IDAT", 4) == 0;
        i += 12 + length;
    }
    return false;
}

// Skips a run of GIF data sub-blocks up to their zero terminator; returns
// the position after it, or -1 when the data ends first.
qsizetype skipSubBlocks(Bytes s, qsizetype size, qsizetype i)
{
    while (i < size) {
        const qsizetype length = s[i];
        if (length == 0)
            return i + 1;
        i += 1 + length;
    }
    return -1;
}

// An LZW code of a GIF's data stands for at most 4,096 pixels and takes at
// least 2 bits: a frame declaring more pixels than its data can give has
// lost some (or was made to cost more than it shows).
constexpr qint64 kMostGifPixelsPerByte = 4 * 4096;

// Walks the blocks to the trailer (";"). As for PNG, a file that ends
// right after a whole image has lost only its trailer; each image's data
// must be able to give its pixels.
bool gifComplete(Bytes s, qsizetype size)
{
    if (size < 13)
        return false;
    qsizetype i = 13;
    if (s[10] & 0x80)
        i += 3 * (qsizetype(2) << (s[10] & 7));
    bool sawImage = false;
    while (i < size) {
        const unsigned char block = s[i++];
        if (block == 0x3B)
            return sawImage;
        if (block == 0x21) {
            if (i >= size)
                return false;
            i = skipSubBlocks(s, size, i + 1);
        } else if (block == 0x2C) {
            if (i + 9 > size)
                return false;
            const qint64 pixels = qint64(littleEndian16(s + i + 4)) * littleEndian16(s + i + 6);
            const unsigned char flags = s[i + 8];
            i += 9;
            if (flags & 0x80)
                i += 3 * (qsizetype(2) << (flags & 7));
            if (i >= size)
                return false;
            const qsizetype data = i + 1; // after the LZW code size
            i = skipSubBlocks(s, size, data);
            if (i >= 0 && pixels > kMostGifPixelsPerByte * (i - data + 1))
                return false; // Qt's reader would fill the rest of the frame
            sawImage = sawImage || i >= 0;
        } else {
            return false;
        }
        if (i < 0)
            return false;
    }
    return sawImage && i == size;
}

// A BMP is complete when its pixel rows, as its header gives them, lie
// within the file.
bool bmpComplete(Bytes s, qsizetype size)
{
    if (size < 26)
        return false;
    const qint64 offset = littleEndian32(s + 10);
    const quint32 headerSize = littleEndian32(s + 14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bits = 0;
    quint32 compression = 0;
    qint64 imageSize = 0;
    if (headerSize == 12) {
        width = littleEndian16(s + 18);
        height = littleEndian16(s + 20);
        bits = littleEndian16(s + 24);
    } else if (headerSize >= 40 && size >= 38) {
        width = qint32(littleEndian32(s + 18));
        height = qint32(littleEndian32(s + 22));
        bits = littleEndian16(s + 28);
        compression = littleEndian32(s + 30);
        imageSize = littleEndian32(s + 34);
    } else {
        return false;
    }
    if (offset > size)
        return false;
    const qint64 room = size - offset;
    if (compression != 0 && compression != 3 && compression != 6)
        return imageSize <= room; // run-length coded: the size the header gives
    // Uncompressed rows, each padded to four bytes. A row takes at most
    // 2^31 x 65535 bits, about 2^44 bytes; rows times height could pass
    // 2^63, so the rows are compared with the room for them instead.
    const qint64 rowBytes = (qAbs(width) * bits + 31) / 32 * 4;
    height = qAbs(height);
    return height == 0 || rowBytes <= room / height;
}

} // namespace

bool PictureLooksComplete(QByteArrayView bytes)
{
    const auto s = reinterpret_cast<Bytes>(bytes.data());
    const qsizetype size = bytes.size();
    if (startsWith(bytes, "\xFF\xD8"))
        return jpegComplete(s, size);
    if (startsWith(bytes, "\x89PNG\r\n\x1A\n"))
        return pngComplete(s, size);
    if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a"))
        return gifComplete(s, size);
    if (startsWith(bytes, "BM"))
        return bmpComplete(s, size);
    return true;
}

bool PictureLooksComplete(QIODevice &device)
{
    const qint64 start = device.pos();
    const QByteArray bytes = device.readAll();
    const bool complete = device.atEnd() && PictureLooksComplete(bytes);
    device.seek(start);
    return complete;
}

} // namespace vintora
