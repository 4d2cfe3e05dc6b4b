#pragma once

// Picture files written byte by byte, for sizes no encoder at hand would
// make in reasonable time or memory: a GIF declaring a frame far larger
// than its data, an animated GIF, uniform grey JPEGs of any size
// (baseline or progressive, with or without restart markers) that stay
// small on disk, a progressive JPEG cut short after its first bytes, and a
// black PNG of 16 bits per sample.

#include <QByteArray>
#include <QSize>

#include <cstdlib>

namespace crafted_pictures {

inline void appendBigEndian16(QByteArray &bytes, int value)
{
    bytes.append(char(value >> 8 & 0xFF));
    bytes.append(char(value & 0xFF));
}

inline void appendLittleEndian16(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8 & 0xFF));
}

// A 35-byte GIF: a two-colour palette, one frame of frame pixels on a
// screen of screen pixels, and the data of a single pixel.
inline QByteArray gifDeclaring(QSize screen, QSize frame)
{
    QByteArray gif("GIF89a");
    appendLittleEndian16(gif, screen.width());
    appendLittleEndian16(gif, screen.height());
    gif.append("\x80\0\0\xFF\xFF\xFF\0\0\0,\0\0\0\0", 14);
    appendLittleEndian16(gif, frame.width());
    appendLittleEndian16(gif, frame.height());
    gif.append("\0\x02\x02\x44\x01\0;", 7);
    return gif;
}

// A GIF whose screen of screen pixels holds one frame of frame pixels, all
// of the palette's first colour, its data whole: a clear code before every
// two pixels keeps each code at 3 bits.
inline QByteArray gifFrameOnScreen(QSize screen, QSize frame)
{
    QByteArray gif = gifDeclaring(screen, frame);
    gif.chop(7);             // the data of a single pixel and the trailer
    gif.append("\0\x02", 2); // not interlaced; 2-bit codes at the least
    QByteArray data;
    quint32 bits = 0;
    int used = 0;
    const auto put = [&](quint32 code) {
        bits |= code << used;
        for (used += 3; used >= 8; used -= 8, bits >>= 8)
            data.append(char(bits & 0xFF));
    };
    const qint64 pixels = qint64(frame.width()) * frame.height();
    for (qint64 pixel = 0; pixel < pixels; ++pixel) {
        if (pixel % 2 == 0)
            put(4); // clear
        put(0);
    }
    put(5); // end of information
    if (used > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append("\0;", 2);
    return gif;
}

// An animated GIF: two frames of one pixel each on a screen of screen
// pixels.
inline QByteArray twoFrameGif(QSize screen)
{
    QByteArray gif = gifDeclaring(screen, {1, 1});
    gif.chop(1); // the trailer
    gif.append(",\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;", 16);
    return gif;
}

// Writes bits most significant first, with the byte stuffing of JPEG
// entropy-coded data (0x00 after every 0xFF).
class JpegBits
{
public:
    explicit JpegBits(QByteArray &out) : m_out(out) {}

    void put(quint32 bits, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            m_byte = m_byte << 1 | (bits >> i & 1);
            if (++m_used == 8)
                flushByte();
        }
    }

    // Pads the last byte with 1 bits, as a scan or restart interval ends.
    void pad()
    {
        while (m_used != 0)
            put(1, 1);
    }

private:
    void flushByte()
    {
        m_out.append(char(m_byte));
        if (m_byte == 0xFF)
            m_out.append('\0');
        m_byte = 0;
        m_used = 0;
    }

    QByteArray &m_out;
    quint32 m_byte = 0;
    int m_used = 0;
};

enum class JpegKind { Baseline, Progressive };

// A grey JPEG of one component, every pixel of the given level, with
// quantisation 1. Each 8 x 8 block costs 2 bits in a baseline file (no DC
// change, end of block) and 1 bit in a progressive one, which has a single
// DC scan. With restartInterval above 0 a restart marker follows every
// that many blocks.
inline QByteArray uniformGreyJpeg(QSize size, JpegKind kind, int level = 128,
                                  int restartInterval = 0)
{
    const bool progressive = kind == JpegKind::Progressive;
    const int dc = (level - 128) * 8; // the DC coefficient of a block of that level
    int category = 0;
    while ((std::abs(dc) >> category) != 0)
        ++category;

    QByteArray jpeg("\xFF\xD8", 2);
    jpeg.append("\xFF\xDB\0\x43\0", 5); // quantisation table 0, all 1
    jpeg.append(QByteArray(64, '\x01'));
    jpeg.append(progressive ? "\xFF\xC2\0\x0B\x08" : "\xFF\xC0\0\x0B\x08", 5);
    appendBigEndian16(jpeg, size.height());
    appendBigEndian16(jpeg, size.width());
    jpeg.append("\x01\x01\x11\0", 4); // one component, id 1, 1 x 1, table 0
    // DC table: category 0 is "0", the first block's category "10".
    const int dcSymbols = category == 0 ? 1 : 2;
    jpeg.append("\xFF\xC4", 2);
    appendBigEndian16(jpeg, 2 + 17 + dcSymbols);
    jpeg.append('\0');
    jpeg.append(char(1));
    jpeg.append(char(dcSymbols - 1));
    jpeg.append(QByteArray(14, '\0'));
    jpeg.append('\0');
    if (category != 0)
        jpeg.append(char(category));
    if (!progressive) // AC table: end of block is "0"
        jpeg.append(QByteArray("\xFF\xC4\0\x14\x10\x01", 6) + QByteArray(15, '\0') + '\0');
    if (restartInterval > 0) {
        jpeg.append("\xFF\xDD\0\x04", 4);
        appendBigEndian16(jpeg, restartInterval);
    }
    jpeg.append("\xFF\xDA\0\x08\x01\x01\0\0", 8);
    jpeg.append(progressive ? "\0\0" : "\x3F\0", 2); // spectral end, successive approximation

    const qint64 blocks = qint64((size.width() + 7) / 8) * ((size.height() + 7) / 8);
    JpegBits bits(jpeg);
    int marker = 0;
    for (qint64 block = 0; block < blocks; ++block) {
        const bool intervalStart = restartInterval > 0 ? block % restartInterval == 0 : block == 0;
        if (intervalStart && block > 0 && restartInterval > 0) {
            bits.pad();
            jpeg.append('\xFF');
            jpeg.append(char(0xD0 + marker));
            marker = (marker + 1) % 8;
        }
        if (intervalStart && category != 0) {
            bits.put(0b10, 2);
            bits.put(quint32(dc > 0 ? dc : dc - 1),
                     category); // negative values as one's complement
        } else {
            bits.put(0, 1);
        }
        if (!progressive)
            bits.put(0, 1);
    }
    bits.pad();
    jpeg.append("\xFF\xD9", 2);
    return jpeg;
}

// A progressive JPEG of size pixels and components components (1 grey,
// 3 colour, each sampled 1 x 1) whose single DC scan ends after 16 bytes:
// the decoder takes the rest of it as zeros, so the file stays under a
// kilobyte whatever its size.
inline QByteArray shortProgressiveJpeg(QSize size, int components)
{
    QByteArray jpeg("\xFF\xD8", 2);
    jpeg.append("\xFF\xDB\0\x43\0", 5); // quantisation table 0, all 1
    jpeg.append(QByteArray(64, '\x01'));
    jpeg.append("\xFF\xC2", 2);
    appendBigEndian16(jpeg, 8 + 3 * components);
    jpeg.append('\x08');
    appendBigEndian16(jpeg, size.height());
    appendBigEndian16(jpeg, size.width());
    jpeg.append(char(components));
    for (int c = 1; c <= components; ++c) // id c, 1 x 1, table 0
        jpeg.append(QByteArray(1, char(c)) + "\x11" + QByteArray(1, '\0'));
    // DC table 0: one code, "0", for category 0.
    jpeg.append("\xFF\xC4\0\x14\0\x01", 6);
    jpeg.append(QByteArray(16, '\0'));
    jpeg.append("\xFF\xDA", 2);
    appendBigEndian16(jpeg, 6 + 2 * components);
    jpeg.append(char(components));
    for (int c = 1; c <= components; ++c)
        jpeg.append(QByteArray(1, char(c)) + QByteArray(1, '\0'));
    jpeg.append(QByteArray(3, '\0')); // the DC alone, no successive approximation
    jpeg.append(QByteArray(16, '\0'));
    jpeg.append("\xFF\xD9", 2);
    return jpeg;
}

inline void appendBigEndian32(QByteArray &bytes, quint32 value)
{
    appendBigEndian16(bytes, int(value >> 16));
    appendBigEndian16(bytes, int(value & 0xFFFF));
}

// The CRC-32 that ends each PNG chunk, over its type and data.
inline quint32 pngCrc(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

inline void appendPngChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendBigEndian32(png, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    png.append(typed);
    appendBigEndian32(png, pngCrc(typed));
}

// Writes bits least significant first, as deflate packs them.
class DeflateBits
{
public:
    explicit DeflateBits(QByteArray &out) : m_out(out) {}

    void put(quint32 bits, int count)
    {
        for (int i = 0; i < count; ++i) {
            m_byte |= (bits >> i & 1) << m_used;
            if (++m_used == 8)
                flush();
        }
    }
    // A Huffman code goes most significant bit first.
    void putCode(quint32 code, int count)
    {
        for (int i = count - 1; i >= 0; --i)
            put(code >> i & 1, 1);
    }
    void flush()
    {
        if (m_used > 0)
            m_out.append(char(m_byte));
        m_byte = 0;
        m_used = 0;
    }

private:
    QByteArray &m_out;
    quint32 m_byte = 0;
    int m_used = 0;
};

// A black PNG of 16 bits per sample, RGB or, with alpha, RGBA (every
// pixel transparent); an RGB one with transparentBlack names black its
// transparent colour (a tRNS chunk), which makes it all transparent too. Its data, all zero bytes,
// is deflated with the fixed codes as one zero and copies of 258 bytes from one back: 13 bits for
// every 258 bytes, 4 MB for 9000 x 9000 pixels.
inline QByteArray blackSixteenBitPng(QSize size, bool alpha, bool transparentBlack = false)
{
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    QByteArray header;
    appendBigEndian32(header, quint32(size.width()));
    appendBigEndian32(header, quint32(size.height()));
    header.append(alpha ? "\x10\x06\0\0\0" : "\x10\x02\0\0\0", 5);
    appendPngChunk(png, "IHDR", header);
    if (transparentBlack)
        appendPngChunk(png, "tRNS", QByteArray(6, '\0'));

    const qint64 total = qint64(size.height()) * (1 + qint64(size.width()) * (alpha ? 8 : 6));
    QByteArray data("\x78\x01", 2);
    DeflateBits bits(data);
    bits.put(1, 1);        // the last block
    bits.put(1, 2);        // fixed codes
    bits.putCode(0x30, 8); // a zero
    qint64 left = total - 1;
    for (; left >= 258; left -= 258) {
        bits.putCode(0xC5, 8); // length 258
        bits.putCode(0, 5);    // distance 1
    }
    for (; left > 0; --left)
        bits.putCode(0x30, 8);
    bits.putCode(0, 7); // end of block
    bits.flush();
    appendBigEndian32(data, quint32(total % 65521) << 16 | 1); // Adler-32 of zeros
    appendPngChunk(png, "IDAT", data);
    appendPngChunk(png, "IEND", {});
    return png;
}

} // namespace crafted_pictures
