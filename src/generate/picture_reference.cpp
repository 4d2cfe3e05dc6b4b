#include "generate/picture_reference.h"

namespace vintora {

namespace {

void appendPercentEncoded(QString &out, const QString &text)
{
    static const char hexDigits[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        out += QLatin1Char('%');
        out += QLatin1Char(hexDigits[byte >> 4]);
        out += QLatin1Char(hexDigits[byte & 0xF]);
    }
}

// True when the text up to the first ":" is a URL scheme, so that a
// relative reference would be read as an absolute one.
bool looksLikeScheme(const QString &reference)
{
    const qsizetype colon = reference.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    if (!reference.at(0).isLetter() || reference.at(0).unicode() > 127)
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = reference.at(i);
        const bool schemeChar = (c.unicode() < 128 && c.isLetterOrNumber()) || c == QLatin1Char('+')
                                || c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!schemeChar)
            return false;
    }
    return true;
}

} // namespace

QString EscapeReference(const QString &reference, bool relative, QChar separator)
{
    QString out;
    out.reserve(reference.size() + 8);
    const bool encodeFirstColon = relative && looksLikeScheme(reference);
    bool colonDone = false;
    for (qsizetype i = 0; i < reference.size(); ++i) {
        const QChar c = reference.at(i);
        const char16_t u = c.unicode();
        switch (u) {
        case u'%':
            out += QLatin1String("%25");
            continue;
        case u'#':
            out += QLatin1String("%23");
            continue;
        case u'?':
            out += QLatin1String("%3F");
            continue;
        case u'&':
            out += QLatin1String("&amp;");
            continue;
        case u'<':
            out += QLatin1String("&lt;");
            continue;
        case u'>':
            out += QLatin1String("&gt;");
            continue;
        case u'"':
            out += QLatin1String("&quot;");
            continue;
        case u':':
            if (encodeFirstColon && !colonDone) {
                colonDone = true;
                out += QLatin1String("%3A");
                continue;
            }
            break;
        case u'\\':
            if (separator != QLatin1Char('\\')) {
                out += QLatin1String("%5C");
                continue;
            }
            break;
        default:
            break;
        }
        if (u < 0x20 || u == 0x7F) {
            appendPercentEncoded(out, QString(c));
        } else if (u > 0x7F) {
            // Encode a whole surrogate pair at once so it becomes valid UTF-8.
            if (c.isHighSurrogate() && i + 1 < reference.size()
                && reference.at(i + 1).isLowSurrogate()) {
                appendPercentEncoded(out, reference.mid(i, 2));
                ++i;
            } else {
                appendPercentEncoded(out, QString(c));
            }
        } else {
            out += c;
        }
    }
    return out;
}

QString PictureReference(const QString &path, bool copied, const QString &copiedName,
                         QChar separator)
{
    if (copied)
        return EscapeReference(copiedName, true, separator);
    return QLatin1String("file://") + EscapeReference(path, false, separator);
}

} // namespace vintora
