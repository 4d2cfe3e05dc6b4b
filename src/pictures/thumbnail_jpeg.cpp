#include "pictures/thumbnail_jpeg.h"

#include "pictures/jpeg_entropy.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

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

int JpegDecodeEighths(QSize stored, QSize requested)
{
    return decodeEighths(stored, requested);
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

// The parts kept so far; a part that follows the last one lengthens it.
class KeptParts
{
public:
    void keep(qsizetype start, qsizetype end)
    {
        if (!m_parts.isEmpty() && m_parts.last().end == start)
            m_parts.last().end = end;
        else
            m_parts.append({start, end});
    }
    const QList<Part> &parts() const { return m_parts; }

private:
    QList<Part> m_parts;
};

// One marker and what follows it up to the next: [start, end), start at the
// marker's 0xFF (the last of any fill bytes before it).
struct Segment
{
    unsigned char marker;
    qsizetype start;
    qsizetype end;
};

// Markers without a length, passed over as the damage check and the
// decoder pass over them.
bool hasNoLength(unsigned char marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// The segment whose marker (after any fill bytes) is at i; nothing where
// the bytes are not a marker, or the segment runs past the end.
std::optional<Segment> segmentAt(const unsigned char *s, qsizetype size, qsizetype i)
{
    if (i >= size || s[i] != 0xFF)
        return std::nullopt;
    while (i < size && s[i] == 0xFF)
        ++i;
    if (i >= size)
        return std::nullopt;
    const unsigned char marker = s[i++];
    if (marker == 0xD9 || hasNoLength(marker))
        return Segment{marker, i - 2, i};
    // Markers that never stand here, and a length cut off by the end.
    if (marker == 0x00 || marker == 0xD8 || i + 2 > size)
        return std::nullopt;
    const qsizetype length = qsizetype(s[i]) << 8 | s[i + 1];
    if (length < 2 || i + length > size)
        return std::nullopt;
    return Segment{marker, i - 2, i + length};
}

// What a progressive frame's header tells of its components: the sampling
// factors by component id. Those at the largest are decoded with the 1 x 1
// inverse transform at 1/8, which reads only the DC.
class FrameSampling
{
public:
    // Takes in the segment when it is a progressive frame's header; false
    // when that header is too short for its components.
    bool read(const unsigned char *s, const Segment &segment)
    {
        const qsizetype length = segment.end - segment.start - 2;
        if (segment.marker != 0xC2 || length < 8)
            return true;
        m_progressive = true;
        const int components = s[segment.start + 9];
        if (length < 8 + 3 * components)
            return false;
        for (int c = 0; c < components; ++c) {
            const unsigned char *component = s + segment.start + 10 + 3 * c;
            m_sampling[component[0]] = component[1];
            m_largestH = std::max(m_largestH, component[1] >> 4);
            m_largestV = std::max(m_largestV, component[1] & 15);
        }
        return true;
    }

    // Whether the scan whose header is the segment refines AC coefficients
    // of components that are all decoded from their DC alone at 1/8: then
    // it changes nothing there. Nothing when its header is not as expected.
    std::optional<bool> changesNothingAtOneEighth(const unsigned char *s,
                                                  const Segment &segment) const
    {
        // A scan header holds its components' count.
        if (!m_progressive || segment.end - segment.start - 2 < 3)
            return std::nullopt;
        const int components = s[segment.start + 4];
        const qsizetype spectral = segment.start + 5 + 2 * components;
        if (spectral + 2 >= segment.end)
            return std::nullopt;
        const bool refinesAc = s[spectral] > 0 && (s[spectral + 2] >> 4) > 0;
        bool onlyDc = true;
        for (int c = 0; c < components; ++c)
            onlyDc = onlyDc
                     && m_sampling[s[segment.start + 5 + 2 * c]] == (m_largestH << 4 | m_largestV);
        return refinesAc && onlyDc;
    }

private:
    bool m_progressive = false;
    int m_sampling[256] = {};
    int m_largestH = 0;
    int m_largestV = 0;
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
    KeptParts kept;
    kept.keep(0, 2);
    FrameSampling frame;
    bool dropped = false;
    qsizetype i = 2;
    while (true) {
        const std::optional<Segment> segment = segmentAt(s, size, i);
        if (!segment || !frame.read(s, *segment))
            return {};
        i = segment->end;
        if (segment->marker == 0xD9) {
            kept.keep(segment->start, segment->end);
            break;
        }
        if (hasNoLength(segment->marker))
            continue;
        if (segment->marker != 0xDA) {
            kept.keep(segment->start, segment->end);
            continue;
        }
        const std::optional<bool> leftOut = frame.changesNothingAtOneEighth(s, *segment);
        const qsizetype end = leftOut ? JpegEntropyDataEnd(jpeg, i) : -1;
        if (end < 0)
            return {};
        if (*leftOut)
            dropped = true;
        else
            kept.keep(segment->start, end);
        i = end;
    }
    return dropped ? kept.parts() : QList<Part>();
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
