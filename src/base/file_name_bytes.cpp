#include "base/file_name_bytes.h"

namespace vintora {

namespace {

constexpr char16_t kRawByteBase = 0xDC00;

bool isRawByteUnit(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// The length of the valid UTF-8 sequence at i, or 0 when the byte there
// does not start one (stray continuation bytes, overlong forms, encoded
// surrogates, values past U+10FFFF and cut-off sequences).
int validSequenceLength(const unsigned char *s, qsizetype i, qsizetype size)
{
    const unsigned char lead = s[i];
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > size)
        return 0;
    if (s[i + 1] < low || s[i + 1] > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (s[i + k] < 0x80 || s[i + k] > 0xBF)
            return 0;
    }
    return length;
}

// The code point of a valid UTF-8 sequence of the given length.
char32_t codePoint(const unsigned char *s, int length)
{
    char32_t c = s[0] & (0x7F >> length);
    for (int k = 1; k < length; ++k)
        c = c << 6 | (s[k] & 0x3F);
    return c;
}

} // namespace

QString DecodeFileName(QByteArrayView bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size && s[i] < 0x80)
        ++i;
    if (i == size)
        return QString::fromLatin1(bytes.data(), size);

    QString name;
    name.reserve(size);
    name.append(QLatin1String(bytes.data(), i));
    while (i < size) {
        if (s[i] < 0x80) {
            name.append(QChar(char16_t(s[i])));
            ++i;
            continue;
        }
        const int length = validSequenceLength(s, i, size);
        if (length == 0) {
            name.append(QChar(char16_t(kRawByteBase + s[i])));
            ++i;
            continue;
        }
        // Decoded here: QString::fromUtf8 drops a byte order mark at the
        // start of what it is given, and a name may hold U+FEFF anywhere.
        const char32_t c = codePoint(s + i, length);
        if (QChar::requiresSurrogates(c)) {
            name.append(QChar(QChar::highSurrogate(c)));
            name.append(QChar(QChar::lowSurrogate(c)));
        } else {
            name.append(QChar(char16_t(c)));
        }
        i += length;
    }
    return name;
}

QByteArray EncodeFileName(QStringView name)
{
    if (!HasRawBytes(name))
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        const bool pairedLow = i > 0 && name.at(i - 1).isHighSurrogate();
        if (isRawByteUnit(unit) && !pairedLow) {
            bytes.append(name.mid(start, i - start).toUtf8());
            bytes.append(char(unit - kRawByteBase));
            start = i + 1;
        }
    }
    bytes.append(name.mid(start).toUtf8());
    return bytes;
}

bool HasRawBytes(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isRawByteUnit(name.at(i).unicode()) && !(i > 0 && name.at(i - 1).isHighSurrogate()))
            return true;
    }
    return false;
}

QString DisplayFileName(const QString &name)
{
    if (!HasRawBytes(name))
        return name;
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (isRawByteUnit(shown.at(i).unicode()) && !(i > 0 && shown.at(i - 1).isHighSurrogate()))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

} // namespace vintora
