#include "page/picture_reference.h"

#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vintora {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// ASCII characters that are written as they are, whatever the reference:
// printable ones other than those the escaping treats specially. ":" and
// "\\" depend on the reference and the separator and take the slow path.
constexpr std::array<bool, 128> kPlainAscii = [] {
    std::array<bool, 128> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[size_t(c)] = true;
    for (const char c : {'%', '#', '?', '&', '<', '>', '"', ':', '\\'})
        plain[size_t(c)] = false;
    return plain;
}();

char *put(char *out, const char *text)
{
    while (*text)
        *out++ = *text++;
    return out;
}

char *putPercentByte(char *out, unsigned byte)
{
    *out++ = '%';
    *out++ = kHexDigits[(byte >> 4) & 0xF];
    *out++ = kHexDigits[byte & 0xF];
    return out;
}

// One character beyond ASCII or a control character as percent-encoded
// UTF-8: the unit at i, with the next one when the two form a surrogate
// pair. A raw file-name byte (U+DC80..U+DCFF on its own) is written as that
// byte; any other surrogate without its partner as "?" (as Qt's UTF-8
// encoder does), which encodes to "%3F". Returns the number of units used.
qsizetype putPercentEncoded(char *&out, QStringView text, qsizetype i)
{
    const char32_t u = text.at(i).unicode();
    if (u < 0x80) {
        out = putPercentByte(out, u);
        return 1;
    }
    if (u < 0x800) {
        out = putPercentByte(out, 0xC0 | (u >> 6));
        out = putPercentByte(out, 0x80 | (u & 0x3F));
        return 1;
    }
    if (!QChar::isSurrogate(u)) {
        out = putPercentByte(out, 0xE0 | (u >> 12));
        out = putPercentByte(out, 0x80 | ((u >> 6) & 0x3F));
        out = putPercentByte(out, 0x80 | (u & 0x3F));
        return 1;
    }
    if (u >= 0xDC80 && u <= 0xDCFF) {
        // A byte of a file name that is not valid UTF-8, kept as it was
        // (see DecodeFileName): the reference names that very byte.
        out = putPercentByte(out, u - 0xDC00);
        return 1;
    }
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        const char32_t c = QChar::surrogateToUcs4(char16_t(u), text.at(i + 1).unicode());
        out = putPercentByte(out, 0xF0 | (c >> 18));
        out = putPercentByte(out, 0x80 | ((c >> 12) & 0x3F));
        out = putPercentByte(out, 0x80 | ((c >> 6) & 0x3F));
        out = putPercentByte(out, 0x80 | (c & 0x3F));
        return 2;
    }
    out = putPercentByte(out, '?');
    return 1;
}

// True when the text before the first ":", at colon, is a URL scheme, so
// that a relative reference would be read as an absolute one.
bool looksLikeScheme(QStringView reference, qsizetype colon)
{
    if (colon <= 0)
        return false;
    const auto isAsciiLetter = [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
               || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    };
    if (!isAsciiLetter(reference.at(0)))
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = reference.at(i);
        const bool schemeChar = isAsciiLetter(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                                || c == QLatin1Char('+') || c == QLatin1Char('-')
                                || c == QLatin1Char('.');
        if (!schemeChar)
            return false;
    }
    return true;
}

bool isPlain(char16_t c)
{
    return c < 0x80 && kPlainAscii[c];
}

#ifdef __SSE2__
// Whether eight units are all plain; their bytes go to out either way.
inline bool copyEightIfPlain(char *out, const char16_t *units)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units));
    // Printable ASCII, 0x20 to 0x7E; units from 0x8000 compare as negative.
    __m128i bad = _mm_andnot_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(0x1F)), _mm_set1_epi16(-1));
    bad = _mm_or_si128(bad, _mm_cmpgt_epi16(v, _mm_set1_epi16(0x7E)));
    const auto is = [&v](char c) {
        return _mm_cmpeq_epi16(v, _mm_set1_epi16(c));
    };
    bad = _mm_or_si128(bad, _mm_or_si128(_mm_or_si128(is('%'), is('#')), is('?')));
    bad = _mm_or_si128(bad, _mm_or_si128(_mm_or_si128(is('&'), is('<')), is('>')));
    bad = _mm_or_si128(bad, _mm_or_si128(_mm_or_si128(is('"'), is(':')), is('\\')));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(v, v));
    return _mm_movemask_epi8(bad) == 0;
}
#endif

// Copies the text as bytes when no unit needs escaping or a second look
// (printable ASCII other than the characters above) and returns true;
// returns false otherwise, having written something at out that the caller
// writes over. Most names are plain, and a page of thousands of them spends
// most of its time here.
bool copyIfPlain(char *out, const char16_t *units, qsizetype size)
{
    qsizetype i = 0;
#ifdef __SSE2__
    if (size >= 8) {
        for (; i + 8 <= size; i += 8) {
            if (!copyEightIfPlain(out + i, units + i))
                return false;
        }
        // The last eight units again, overlapping those done.
        return i == size || copyEightIfPlain(out + size - 8, units + size - 8);
    }
#endif
    for (; i < size; ++i) {
        if (!isPlain(units[i]))
            return false;
        out[i] = char(units[i]);
    }
    return true;
}

} // namespace

char *WriteEscapedReference(char *out, QStringView reference, bool relative, QChar separator)
{
    const char16_t *units = reference.utf16();
    const qsizetype size = reference.size();
    const bool spaceAtAnEnd = size > 0 && (units[0] == u' ' || units[size - 1] == u' ');
    if (!spaceAtAnEnd && copyIfPlain(out, units, size))
        return out + size;

    // Browsers trim spaces off both ends of an attribute's address, so
    // those are encoded; spaces inside stay as they are.
    qsizetype innerStart = 0;
    while (innerStart < size && units[innerStart] == u' ')
        ++innerStart;
    qsizetype innerEnd = size;
    while (innerEnd > innerStart && units[innerEnd - 1] == u' ')
        --innerEnd;

    // Only the first ":" can end a scheme; it is looked at when met.
    bool firstColon = true;
    const bool backslashIsName = separator != QLatin1Char('\\');
    for (qsizetype i = 0; i < size;) {
        const char16_t u = units[i];
        if (u == u' ' && (i < innerStart || i >= innerEnd)) {
            out = put(out, "%20");
            ++i;
            continue;
        }
        if (isPlain(u)) {
            *out++ = char(u);
            ++i;
            continue;
        }
        switch (u) {
        case u'%':
            out = put(out, "%25");
            break;
        case u'#':
            out = put(out, "%23");
            break;
        case u'?':
            out = put(out, "%3F");
            break;
        case u'&':
            out = put(out, "&amp;");
            break;
        case u'<':
            out = put(out, "&lt;");
            break;
        case u'>':
            out = put(out, "&gt;");
            break;
        case u'"':
            out = put(out, "&quot;");
            break;
        case u':':
            if (firstColon && relative && looksLikeScheme(reference, i)) {
                out = put(out, "%3A");
            } else {
                *out++ = ':';
            }
            firstColon = false;
            break;
        case u'\\':
            if (backslashIsName)
                out = put(out, "%5C");
            else
                *out++ = '\\';
            break;
        default:
            // Control characters and everything beyond ASCII.
            i += putPercentEncoded(out, reference, i);
            continue;
        }
        ++i;
    }
    return out;
}

void AppendEscapedReference(QByteArray &out, QStringView reference, bool relative, QChar separator)
{
    const qsizetype start = out.size();
    out.resize(start + reference.size() * kMaxEscapedBytesPerUnit);
    char *const end = WriteEscapedReference(out.data() + start, reference, relative, separator);
    out.truncate(end - out.constData());
}

QString EscapeReference(const QString &reference, bool relative, QChar separator)
{
    QByteArray out;
    out.reserve(reference.size() + 8);
    AppendEscapedReference(out, reference, relative, separator);
    return QString::fromLatin1(out);
}

QString PictureReference(const QString &path, bool copied, const QString &copiedName,
                         QChar separator)
{
    if (copied)
        return EscapeReference(copiedName, true, separator);
    return QLatin1String("file://") + EscapeReference(path, false, separator);
}

} // namespace vintora
