#include "base/text_helpers.h"

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vintora {

QString FileNameOf(const QString &path, QChar separator)
{
    const qsizetype start = FileNameStart(path, separator);
    return start == 0 ? path : path.mid(start);
}

qsizetype FileNameStart(QStringView path, QChar separator)
{
    const char16_t *const units = path.utf16();
    const char16_t wanted = separator.unicode();
    qsizetype end = path.size();
#ifdef __SSE2__
    // Eight units at a time from the end; a name is seldom shorter.
    const __m128i needle = _mm_set1_epi16(short(wanted));
    for (; end >= 8; end -= 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + end - 8));
        const int found = _mm_movemask_epi8(_mm_cmpeq_epi16(v, needle));
        if (found != 0) {
            // Two mask bits a unit; the highest set one is the last match.
            const int highestBit = std::bit_width(unsigned(found)) - 1;
            return end - 8 + highestBit / 2 + 1;
        }
    }
#endif
    for (; end > 0; --end) {
        if (units[end - 1] == wanted)
            return end;
    }
    return 0;
}

QString JoinPath(const QString &folder, const QString &name, QChar separator)
{
    return folder + separator + name;
}

} // namespace vintora
