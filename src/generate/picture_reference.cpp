#include "generate/picture_reference.h"

namespace vintora {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendPercentEncoded(QByteArray &out, QStringView text)
{
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        out += '%';
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0xF];
    }
}

// True when the text up to the first ":" is a URL scheme, so that a
// relative reference would be read as an absolute one.
bool looksLikeScheme(QStringView reference)
{
    const qsizetype colon = reference.indexOf(QLatin1Char(':'));
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

} // namespace

void AppendEscapedReference(QByteArray &out, QStringView reference, bool relative, QChar separator)
{
    bool encodeColon = relative && looksLikeScheme(reference);
    const bool backslashIsName = separator != QLatin1Char('\\');
    const qsizetype size = reference.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = reference.at(i).unicode();
        switch (u) {
        case u'%':
            out += "%25";
            continue;
        case u'#':
            out += "%23";
            continue;
        case u'?':
            out += "%3F";
            continue;
        case u'&':
            out += "&amp;";
            continue;
        case u'<':
            out += "&lt;";
            continue;
        case u'>':
            out += "&gt;";
            continue;
        case u'"':
            out += "&quot;";
            continue;
        case u':':
            if (encodeColon) {
                encodeColon = false;
                out += "%3A";
                continue;
            }
            break;
        case u'\\':
            if (backslashIsName) {
                out += "%5C";
                continue;
            }
            break;
        default:
            break;
        }
        if (u < 0x20 || u == 0x7F) {
            appendPercentEncoded(out, reference.mid(i, 1));
        } else if (u > 0x7F) {
            // A surrogate pair is encoded as one character.
            const bool pair = QChar::isHighSurrogate(u) && i + 1 < size
                              && reference.at(i + 1).isLowSurrogate();
            appendPercentEncoded(out, reference.mid(i, pair ? 2 : 1));
            i += pair ? 1 : 0;
        } else {
            out += char(u);
        }
    }
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
