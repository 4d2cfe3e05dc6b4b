#pragma once

// Picture files with metadata, made byte by byte: EXIF (with its EXIF and
// GPS blocks), XMP and IPTC in a small JPEG, PNG chunks, and the parts a
// test splices in.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QList>

namespace metadata_bytes {

inline QByteArray big16(quint16 v)
{
    return QByteArray(1, char(v >> 8)) + char(v & 0xFF);
}

inline QByteArray big32(quint32 v)
{
    return big16(quint16(v >> 16)) + big16(quint16(v & 0xFFFF));
}

// An entry of an IFD: its tag, its bytes and its EXIF format: 2 is ASCII
// (written with a closing NUL), 3 SHORT, 4 LONG, 5 RATIONAL, 7 UNDEFINED.
struct Tag
{
    quint16 tag;
    QByteArray bytes;
    quint16 format = 2;
};
using Tags = QList<Tag>;

inline Tag rational(quint16 tag, quint32 numerator, quint32 denominator)
{
    return {tag, big32(numerator) + big32(denominator), 5};
}

inline Tag shortTag(quint16 tag, quint16 value)
{
    return {tag, big16(value), 3};
}

inline int unitSize(quint16 format)
{
    switch (format) {
    case 3:
        return 2;
    case 4:
        return 4;
    case 5:
    case 10:
        return 8;
    default:
        return 1;
    }
}

// One IFD of the entries, then the pointers (tag and offset, as LONGs),
// starting at offset start of the TIFF data; the values that do not fit
// in an entry follow it.
inline QByteArray ifd(const Tags &tags, quint32 start,
                      const QList<QPair<quint16, quint32>> &pointers)
{
    const int count = int(tags.size() + pointers.size());
    const quint32 dataAt = start + 2 + 12 * count + 4;
    QByteArray entries = big16(quint16(count)), data;
    for (const auto &[tag, bytes, format] : tags) {
        const QByteArray value = format == 2 ? bytes + '\0' : bytes;
        entries += big16(tag) + big16(format) + big32(quint32(value.size() / unitSize(format)));
        if (value.size() <= 4) {
            entries += value.leftJustified(4, '\0');
        } else {
            entries += big32(dataAt + quint32(data.size()));
            data += value;
        }
    }
    for (const auto &[tag, offset] : pointers)
        entries += big16(tag) + big16(4) + big32(1) + big32(offset);
    return entries + big32(0) + data;
}

// The TIFF data of an EXIF block, big-endian: the main IFD holds main and
// points to an EXIF IFD holding exif and a GPS IFD holding gps, each when
// not empty.
inline QByteArray tiff(const Tags &main, const Tags &exif = {}, const Tags &gps = {})
{
    QList<QPair<quint16, quint32>> pointers;
    if (!exif.isEmpty())
        pointers.append({0x8769, 0});
    if (!gps.isEmpty())
        pointers.append({0x8825, 0});
    // Sizes first, then the offsets they give.
    quint32 at = 8 + quint32(ifd(main, 8, pointers).size());
    for (auto &pointer : pointers) {
        pointer.second = at;
        at += quint32(ifd(pointer.first == 0x8769 ? exif : gps, at, {}).size());
    }
    QByteArray block = QByteArray("MM\0\x2A", 4) + big32(8) + ifd(main, 8, pointers);
    for (const auto &[tag, offset] : pointers)
        block += ifd(tag == 0x8769 ? exif : gps, offset, {});
    return block;
}

inline QByteArray segment(quint8 marker, const QByteArray &payload)
{
    return QByteArray("\xFF", 1) + char(marker) + big16(quint16(payload.size() + 2)) + payload;
}

inline QByteArray exifSegment(const QByteArray &tiffData)
{
    return segment(0xE1, QByteArray("Exif\0\0", 6) + tiffData);
}

// An XMP packet whose description holds the properties given, in RDF/XML
// with the namespaces of dc, exif, photoshop and Iptc4xmpCore.
inline QByteArray xmpPacket(const QByteArray &properties)
{
    return "<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
           "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
           "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
           "xmlns:exif=\"http://ns.adobe.com/exif/1.0/\" "
           "xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\" "
           "xmlns:Iptc4xmpCore=\"http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/\">"
           + properties + "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end=\"w\"?>";
}

inline QByteArray xmpSegment(const QByteArray &packet)
{
    return segment(0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0", 29) + packet);
}

// An IPTC record 2 data set: 2:90 is the city, 2:120 the caption.
inline QByteArray iptcDataSet(quint8 number, const QByteArray &text)
{
    return QByteArray("\x1C\x02", 2) + char(number) + big16(quint16(text.size())) + text;
}

// The Photoshop segment holding IPTC data sets.
inline QByteArray iptcSegment(const QByteArray &dataSets)
{
    QByteArray iptc = dataSets;
    if (iptc.size() % 2)
        iptc += '\0';
    return segment(0xED, QByteArray("Photoshop 3.0\0"
                                    "8BIM\x04\x04\0\0",
                                    22)
                                 + big32(quint32(dataSets.size())) + iptc);
}

inline QByteArray smallJpeg(QSize size = {8, 8})
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    image.save(&buffer, "JPEG");
    return jpeg;
}

// The JPEG with the segments put right after its start.
inline QByteArray jpegWith(const QList<QByteArray> &segments, const QByteArray &jpeg = smallJpeg())
{
    QByteArray file = jpeg.left(2);
    for (const QByteArray &part : segments)
        file += part;
    return file + jpeg.mid(2);
}

// The CRC-32 of PNG chunks (and zip files), bit by bit.
inline quint32 crc32Of(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

inline QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    return big32(quint32(data.size())) + type + data + big32(crc32Of(type + data));
}

// A 1 x 1 PNG with the chunks put right after its header.
inline QByteArray pngWith(const QList<QByteArray> &chunks)
{
    QByteArray png = QByteArray("\x89PNG\r\n\x1A\n", 8)
                     + pngChunk("IHDR", big32(1) + big32(1) + QByteArray("\x08\x02\0\0\0", 5));
    for (const QByteArray &chunk : chunks)
        png += chunk;
    return png + pngChunk("IDAT", QByteArray::fromHex("789c63686868000003040181"))
           + pngChunk("IEND", {});
}

inline QByteArray xmpChunk(const QByteArray &packet)
{
    return pngChunk("iTXt", QByteArray("XML:com.adobe.xmp\0\0\0\0\0", 22) + packet);
}

// Where a JPEG's first scan starts: its segments are walked from the start.
inline qsizetype scanStart(const QByteArray &jpeg)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && quint8(jpeg.at(at)) == 0xFF) {
        if (quint8(jpeg.at(at + 1)) == 0xDA)
            return at;
        at += 2 + (quint8(jpeg.at(at + 2)) << 8 | quint8(jpeg.at(at + 3)));
    }
    return -1;
}

} // namespace metadata_bytes
