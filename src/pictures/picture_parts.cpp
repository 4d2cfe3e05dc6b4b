#include "pictures/picture_parts.h"

#include <QtEndian>

namespace vintora {

namespace {

using Parts = QList<QByteArrayView>;

quint32 big32(QByteArrayView bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.data() + at);
}

quint32 little32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

std::optional<Parts> jpegParts(QByteArrayView file)
{
    Parts parts;
    qsizetype at = 2;
    while (true) {
        if (at + 2 > file.size() || quint8(file[at]) != 0xFF)
            return std::nullopt;
        // Fill bytes before a marker.
        while (at + 2 <= file.size() && quint8(file[at + 1]) == 0xFF)
            ++at;
        if (at + 2 > file.size())
            return std::nullopt;
        const quint8 marker = quint8(file[at + 1]);
        // The first scan, or an end before one: the rest is the picture.
        if (marker == 0xDA || marker == 0xD9) {
            parts.append(file.sliced(at));
            return parts;
        }
        if ((marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) {
            parts.append(file.sliced(at, 2));
            at += 2;
            continue;
        }
        if (at + 4 > file.size())
            return std::nullopt;
        const qsizetype length = (quint8(file[at + 2]) << 8) | quint8(file[at + 3]);
        if (length < 2 || at + 2 + length > file.size())
            return std::nullopt;
        const bool metadata = (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
        if (!metadata)
            parts.append(file.sliced(at, 2 + length));
        at += 2 + length;
    }
}

std::optional<Parts> pngParts(QByteArrayView file)
{
    Parts parts;
    qsizetype at = 8;
    while (at + 12 <= file.size()) {
        const quint32 length = big32(file, at);
        if (length > quint32(file.size() - at - 12))
            return std::nullopt;
        const QByteArrayView type = file.sliced(at + 4, 4);
        const qsizetype size = 12 + qsizetype(length);
        if (type != "tEXt" && type != "zTXt" && type != "iTXt" && type != "eXIf")
            parts.append(file.sliced(at, size));
        at += size;
        if (type == "IEND") {
            parts.append(file.sliced(at));
            return parts;
        }
    }
    return std::nullopt;
}

std::optional<Parts> webpParts(QByteArrayView file)
{
    Parts parts;
    const qsizetype end = qsizetype(little32(file, 4)) + 8;
    if (end > file.size() || end < 12)
        return std::nullopt;
    qsizetype at = 12;
    while (at + 8 <= end) {
        const QByteArrayView type = file.sliced(at, 4);
        const quint32 length = little32(file, at + 4);
        if (length > quint32(end - at - 8))
            return std::nullopt;
        const qsizetype size = 8 + qsizetype(length) + (length & 1);
        if (type == "VP8X") {
            if (length < 10)
                return std::nullopt;
            parts.append(file.sliced(at + 12, 6));
        } else if (type != "EXIF" && type != "XMP ") {
            parts.append(file.sliced(at, std::min(size, end - at)));
        }
        at += size;
    }
    if (at < end)
        return std::nullopt;
    parts.append(file.sliced(end));
    return parts;
}

} // namespace

std::optional<QList<QByteArrayView>> PictureParts(QByteArrayView file)
{
    if (file.startsWith("\xFF\xD8"))
        return jpegParts(file);
    if (file.startsWith("\x89PNG\r\n\x1A\n"))
        return pngParts(file);
    if (file.size() >= 12 && file.startsWith("RIFF") && file.sliced(8, 4) == "WEBP")
        return webpParts(file);
    return std::nullopt;
}

bool SamePicture(QByteArrayView one, QByteArrayView other)
{
    const auto oneParts = PictureParts(one);
    const auto otherParts = PictureParts(other);
    return oneParts && otherParts && *oneParts == *otherParts;
}

} // namespace vintora
