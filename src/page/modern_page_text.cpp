#include "page/modern_page_text.h"

#include <algorithm>

namespace vintora {

QString CleanPageText(const QString &text)
{
    QString clean = text;
    for (qsizetype i = 0; i < clean.size(); ++i) {
        const char16_t u = clean.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < clean.size() && clean.at(i + 1).isLowSurrogate()) {
            const char32_t c = QChar::surrogateToUcs4(u, clean.at(i + 1).unicode());
            if ((c & 0xFFFE) == 0xFFFE) {
                clean[i] = QChar::ReplacementCharacter;
                clean.remove(i + 1, 1);
            } else {
                ++i;
            }
            continue;
        }
        const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
        const bool nonCharacter = (u >= 0xFDD0 && u <= 0xFDEF) || u >= 0xFFFE;
        if (control || nonCharacter || QChar::isSurrogate(u))
            clean[i] = QChar::ReplacementCharacter;
    }
    return clean;
}

QString HtmlText(const QString &text)
{
    return CleanPageText(text).toHtmlEscaped();
}

QString ShortenedText(const QString &text, qsizetype limit)
{
    const QString simple = text.simplified();
    qsizetype characters = 0;
    qsizetype cut = -1; // where the last character that fits before the ellipsis ends
    for (qsizetype i = 0; i < simple.size(); ++i) {
        if (simple.at(i).isHighSurrogate() && i + 1 < simple.size()
            && simple.at(i + 1).isLowSurrogate())
            ++i;
        ++characters;
        if (characters == limit - 1)
            cut = i + 1;
        if (characters > limit)
            return simple.left(std::max<qsizetype>(cut, 0)) + QChar(0x2026);
    }
    return simple;
}

QString PageUrl(const QString &reference, bool inSrcset)
{
    QString out;
    out.reserve(reference.size() + 8);
    for (qsizetype i = 0; i < reference.size(); ++i) {
        const QChar c = reference.at(i);
        if (c == QLatin1Char('&')) {
            const QStringView rest = QStringView(reference).mid(i);
            if (rest.startsWith(QLatin1String("&lt;"))) {
                out += QLatin1String("%3C");
                i += 3;
            } else if (rest.startsWith(QLatin1String("&gt;"))) {
                out += QLatin1String("%3E");
                i += 3;
            } else if (rest.startsWith(QLatin1String("&quot;"))) {
                out += QLatin1String("%22");
                i += 5;
            } else {
                out += c; // "&amp;", kept as an entity
            }
            continue;
        }
        switch (c.unicode()) {
        case u' ':
        case u'[':
        case u']':
        case u'^':
        case u'`':
        case u'{':
        case u'|':
        case u'}':
            out += QLatin1Char('%') + QString::number(c.unicode(), 16).toUpper();
            break;
        case u',':
            out += inSrcset ? QLatin1String("%2C") : QLatin1String(",");
            break;
        case u'\\':
            out += QLatin1Char('/');
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Entities mean nothing inside url("..."), and what PageUrl gives holds no
// quote, backslash or "<": only "&amp;" needs undoing.
QString CssUrl(const QString &reference)
{
    return QLatin1String("url(\"")
           + PageUrl(reference).replace(QLatin1String("&amp;"), QLatin1String("&"))
           + QLatin1String("\")");
}

} // namespace vintora
