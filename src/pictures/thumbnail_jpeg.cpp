#include "pictures/thumbnail_jpeg.h"

#include "pictures/jpeg_entropy.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vintora {

namespace {

// The eighths Qt's reader decodes at for the requested size.
int decodeEighths(QSize stored, QSize requested)
{
    const double reduction = std::min(double(stored.width()) / requested.width(),
                                      double(stored.height()) / requested.height());
    return std::clamp(int(std::ceil(8 / reduction)), 1, 8);
}

} // namespace

QSize JpegDecodeSize(QSize stored, QSize target)
{
    const int eighths = decodeEighths(stored, target);
    if ((eighths & (eighths - 1)) == 0)
        return target;
    const int fast = eighths <= 4 ? 4 : 8;
    return {std::max(target.width(), stored.width() * fast / 8),
            std::max(target.height(), stored.height() * fast / 8)};
}

QSize JpegDecodedSize(QSize stored, QSize requested)
{
    const int eighths = decodeEighths(stored, requested);
    return {(stored.width() * eighths + 7) / 8, (stored.height() * eighths + 7) / 8};
}

bool DecodesAtOneEighth(QSize stored, QSize requested)
{
    return decodeEighths(stored, requested) == 1;
}

namespace {

// A part of a JPEG's bytes: [start, end).
struct Part
{
    qsizetype start;
    qsizetype end;
};

// The parts of the JPEG that its decode at 1/8 needs, in their order, the
// last being its end marker (see JpegForOneEighth); empty when it has
// nothing to leave out.
QList<Part> partsForOneEighth(QByteArrayView jpeg)
{
    const auto *s = reinterpret_cast<const unsigned char *>(jpeg.data());
    const qsizetype size = jpeg.size();
    if (size < 4 || s[0] != 0xFF || s[1] != 0xD8)
        return {};
    QList<Part> parts{{0, 2}};
    const auto keep = [&parts](qsizetype start, qsizetype end) {
        if (parts.last().end == start)
            parts.last().end = end;
        else
            parts.append({start, end});
    };
    bool progressive = false;
    bool dropped = false;
    // Sampling factors by component id; those at the largest are decoded
    // with the 1 x 1 inverse transform at 1/8, which reads only the DC.
    int sampling[256] = {};
    int largestH = 0;
    int largestV = 0;
    qsizetype i = 2;
    while (true) {
        if (i >= size || s[i] != 0xFF)
            return {};
        while (i < size && s[i] == 0xFF)
            ++i;
        if (i >= size)
            return {};
        const unsigned char marker = s[i++];
        if (marker == 0xD9) {
            keep(i - 2, i);
            break;
        }
        // Markers without a length, passed over as the damage check and
        // the decoder pass over them; and those that never stand here.
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        if (marker == 0x00 || marker == 0xD8)
            return {};
        if (i + 2 > size)
            return {};
        const qsizetype start = i - 2;
        const qsizetype length = qsizetype(s[i]) << 8 | s[i + 1];
        if (length < 2 || i + length > size)
            return {};
        i += length;
        if (marker == 0xC2 && length >= 8) {
            progressive = true;
            const int components = s[start + 9];
            if (length < 8 + 3 * components)
                return {};
            for (int c = 0; c < components; ++c) {
                const unsigned char *component = s + start + 10 + 3 * c;
                sampling[component[0]] = component[1];
                largestH = std::max(largestH, component[1] >> 4);
                largestV = std::max(largestV, component[1] & 15);
            }
        }
        if (marker != 0xDA) {
            keep(start, i);
            continue;
        }
        if (!progressive || length < 3) // a scan header holds its components' count
            return {};
        const int components = s[start + 4];
        const qsizetype spectral = start + 5 + 2 * components;
        if (spectral + 2 >= i)
            return {};
        const bool refinesAc = s[spectral] > 0 && (s[spectral + 2] >> 4) > 0;
        bool onlyDc = true; // every component of the scan is decoded from its DC alone
        for (int c = 0; c < components; ++c)
            onlyDc = onlyDc && sampling[s[start + 5 + 2 * c]] == (largestH << 4 | largestV);
        const qsizetype end = JpegEntropyDataEnd(jpeg, i);
        if (end < 0)
            return {};
        if (refinesAc && onlyDc)
            dropped = true;
        else
            keep(start, end);
        i = end;
    }
    return dropped ? parts : QList<Part>();
}

} // namespace

QByteArray JpegForOneEighth(QByteArrayView jpeg)
{
    QByteArray out;
    for (const Part &part : partsForOneEighth(jpeg))
        out.append(jpeg.sliced(part.start, part.end - part.start));
    return out;
}

bool LightenJpegForOneEighth(QByteArray &jpeg)
{
    const QList<Part> parts = partsForOneEighth(jpeg);
    if (parts.isEmpty())
        return false;
    // Each part moves towards the start, never past a part still to come.
    char *data = jpeg.data();
    qsizetype written = 0;
    for (const Part &part : parts) {
        std::memmove(data + written, data + part.start, size_t(part.end - part.start));
        written += part.end - part.start;
    }
    jpeg.truncate(written);
    return true;
}

} // namespace vintora
