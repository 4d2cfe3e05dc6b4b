#include "page/modern_page_writer.h"

#include "base/maker.h"
#include "base/text_helpers.h"
#include "page/modern_page/modern_page_assets.h"
#include "settings/html_color.h"

#include <QSet>
#include <QStringBuilder>

#include <algorithm>

namespace vintora {

namespace {

constexpr const char *kDefaultTitle = "Vintora Index Page";

// Characters no HTML text may hold (controls, noncharacters, surrogates
// without their partner) become U+FFFD; a name keeps every other
// character.
QString cleanText(const QString &text)
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

QString htmlClean(const QString &text)
{
    // As element content or a double-quoted attribute value.
    return cleanText(text).toHtmlEscaped();
}

// A picture reference (see PictureReference) as a URL in an attribute that
// HTML checkers take as valid: the characters a URL may not hold are
// percent-encoded where the reference leaves them ("<", ">" and '"' as
// entities, spaces and brackets as they are), and a backslash, which is
// left only where it separates folders, becomes "/". In srcset, where
// spaces and commas separate candidates, commas are encoded too.
QString pageUrl(const QString &reference, bool inSrcset = false)
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

// A reference inside url("...") of the style sheet, where entities mean
// nothing: what pageUrl gives holds no quote, backslash or "<", so only
// "&amp;" needs undoing.
QString cssUrl(const QString &reference)
{
    return QLatin1String("url(\"")
           + pageUrl(reference).replace(QLatin1String("&amp;"), QLatin1String("&"))
           + QLatin1String("\")");
}

// The name without its extension: "IMG_0001.jpg" gives "IMG_0001"; a
// name that is all extension (".jpg") stays as it is.
QString withoutExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

// The id of a picture's entry, which the viewer puts after "#" in the
// address: its name with blanks as "_", unique on the page.
class EntryIds
{
public:
    QString idFor(const QString &caption)
    {
        QString base = cleanText(caption);
        for (QChar &c : base) {
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
                || c == QLatin1Char('\f') || c == QLatin1Char('\r'))
                c = QLatin1Char('_');
        }
        if (base.isEmpty())
            base = QStringLiteral("picture");
        QString id = base;
        for (int k = 2; m_taken.contains(id); ++k)
            id = base + QLatin1Char('-') + QString::number(k);
        m_taken.insert(id);
        return id;
    }

private:
    QSet<QString> m_taken;
};

QString px(int value)
{
    return QString::number(std::max(0, value)) + QLatin1String("px");
}

QString color(ColorValue value)
{
    return QLatin1Char('#') + HtmlColor(value);
}

// "Left", "Center", "Right" and "Top", "Middle", "Bottom" as places in a
// cell; any other word centres.
QString place(const QString &word, const char *start, const char *end)
{
    if (word == QLatin1String(start))
        return QStringLiteral("flex-start");
    if (word == QLatin1String(end))
        return QStringLiteral("flex-end");
    return QStringLiteral("center");
}

bool pixelSizing(const WizardSettings &s)
{
    return s.thumbHeight != 0;
}

// The record's choices as the custom properties gallery.css reads.
QString choices(const WizardSettings &s, const PageBackgrounds &backgrounds, bool table)
{
    const int border = std::max<int>(0, s.tableBorder);
    const int padding = std::max<int>(0, s.cellPadding);
    QString cell;
    if (pixelSizing(s)) {
        const int frame = table && border > 0 ? 2 : 0;
        cell = px(std::max<int>(1, s.thumbWidth) + (table ? 2 * padding + frame : 0));
    } else {
        cell = QString::number(std::clamp<int>(s.thumbWidthPercent, 1, 100)) + QLatin1Char('%');
    }
    QString css = QLatin1String(":root{--page:") + color(s.pageColor) + QLatin1String(";--text:")
                  + color(s.textColor) + QLatin1String(";--link:") + color(s.linkColor)
                  + QLatin1String(";--vlink:") + color(s.visitedLinkColor)
                  + QLatin1String(";--alink:") + color(s.activeLinkColor);
    if (!backgrounds.page.isEmpty())
        css += QLatin1String(";--back:") + cssUrl(backgrounds.page);
    css += QLatin1String(";--cell:") + cell;
    if (pixelSizing(s))
        css += QLatin1String(";--box-h:") + px(s.thumbHeight);
    if (table) {
        css += QLatin1String(";--cols:") + QString::number(s.tableColumns)
               + QLatin1String(";--pad:") + px(padding) + QLatin1String(";--gap:")
               + px(s.cellSpacing) + QLatin1String(";--frame:") + px(border)
               + QLatin1String(";--cell-color:") + color(s.cellColor);
        if (!backgrounds.cell.isEmpty())
            css += QLatin1String(";--cell-back:") + cssUrl(backgrounds.cell);
        const QString align = place(s.cellAlign, "Left", "Right");
        const QString textAlign = align == QLatin1String("flex-start") ? QStringLiteral("left")
                                  : align == QLatin1String("flex-end") ? QStringLiteral("right")
                                                                       : QStringLiteral("center");
        css += QLatin1String(";--align:") + align + QLatin1String(";--valign:")
               + place(s.cellVAlign, "Top", "Bottom") + QLatin1String(";--text-align:") + textAlign;
    }
    css += QLatin1Char('}');
    return css;
}

QString bodyClasses(const WizardSettings &s, bool table, bool flow)
{
    QStringList classes;
    if (table)
        classes << QStringLiteral("table");
    if (flow)
        classes << QStringLiteral("flow");
    if (table && s.tableBorder > 0)
        classes << QStringLiteral("framed");
    if (s.imageBorders != kFalse)
        classes << QStringLiteral("borders");
    if (!pixelSizing(s))
        classes << QStringLiteral("percent");
    return classes.join(QLatin1Char(' '));
}

QString sizeAttributes(QSize size)
{
    if (size.isEmpty())
        return QString();
    return QLatin1String(" width=\"") + QString::number(size.width())
           + QLatin1String("\" height=\"") + QString::number(size.height()) + QLatin1Char('"');
}

// The srcset of the screen-size copies, each by its width; the picture
// itself joins them when it is no larger than the largest copy would be,
// so that a large screen gets it in place of an enlarged copy.
QString screenSet(const ModernPageItem &item)
{
    QStringList candidates;
    for (const PageImage &copy : item.screenCopies)
        candidates << pageUrl(copy.reference, true) + QLatin1Char(' ')
                              + QString::number(copy.size.width()) + QLatin1Char('w');
    if (!candidates.isEmpty() && item.screenCopies.size() < 2 && !item.pictureSize.isEmpty())
        candidates << pageUrl(item.picture, true) + QLatin1Char(' ')
                              + QString::number(item.pictureSize.width()) + QLatin1Char('w');
    return candidates.join(QLatin1String(", "));
}

QString entry(const ModernPageItem &item, const QString &id, bool eager)
{
    QString link = QLatin1String("<a href=\"") + pageUrl(item.picture) + QLatin1Char('"');
    if (!item.pictureSize.isEmpty())
        link += QLatin1String(" data-size=\"") + QString::number(item.pictureSize.width())
                + QLatin1Char('x') + QString::number(item.pictureSize.height()) + QLatin1Char('"');
    if (!item.screenCopies.isEmpty())
        link += QLatin1String(" data-screen=\"") + screenSet(item) + QLatin1Char('"');
    if (!item.facts.taken.isEmpty())
        link += QLatin1String(" data-taken=\"") + htmlClean(item.facts.taken) + QLatin1Char('"');
    if (!item.facts.camera.isEmpty())
        link += QLatin1String(" data-camera=\"") + htmlClean(item.facts.camera) + QLatin1Char('"');
    link += QLatin1Char('>');

    const QString oneX = pageUrl(item.thumbnail.reference);
    QString image = QLatin1String("<img src=\"") + oneX + QLatin1Char('"');
    if (!item.thumbnail2x.isEmpty())
        image += QLatin1String(" srcset=\"") + pageUrl(item.thumbnail.reference, true)
                 + QLatin1String(" 1x, ") + pageUrl(item.thumbnail2x.reference, true)
                 + QLatin1String(" 2x\"");
    image += sizeAttributes(item.thumbnail.size) + QLatin1String(" alt=\"")
             + htmlClean(withoutExtension(item.caption)) + QLatin1String("\" decoding=\"async\"");
    if (!eager)
        image += QLatin1String(" loading=\"lazy\"");
    image += QLatin1Char('>');

    return QLatin1String("<li id=\"") + id.toHtmlEscaped() + QLatin1String("\"><figure>") + link
           + image + QLatin1String("</a><figcaption>") + htmlClean(item.caption)
           + QLatin1String("</figcaption></figure></li>\n");
}

} // namespace

QString ModernPageTitle(const WizardSettings &settings)
{
    const QString title = settings.pageTitle.simplified();
    if (title.isEmpty())
        return QLatin1String(kDefaultTitle);
    if (PageTitleLength(title) <= kLongestPageTitle)
        return title;
    const QList<uint> characters = title.toUcs4();
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()),
                             kLongestPageTitle - 1)
           + QChar(0x2026);
}

qsizetype PageTitleLength(const QString &title)
{
    return title.toUcs4().size();
}

int EagerThumbnailCount(const WizardSettings &s)
{
    // A wide screen: about 1200 pixels of thumbnails side by side.
    int perRow = 0;
    if (s.layoutStyle == QLatin1String(kLayoutTable))
        perRow = s.tableColumns;
    else if (pixelSizing(s))
        perRow = 1200 / std::max(1, s.thumbWidth + 8);
    else
        perRow = 100 / std::max(1, int(s.thumbWidthPercent));
    return 2 * std::clamp(perRow, 1, 12);
}

bool WriteModernPage(const WizardSettings &settings, const PageBackgrounds &backgrounds,
                     const QList<ModernPageItem> &items, int major, int minor, QIODevice &out,
                     QString *error)
{
    const bool table = settings.layoutStyle == QLatin1String(kLayoutTable);
    const bool flow = settings.layoutStyle == QLatin1String(kLayoutGeneric);
    if (table && settings.tableColumns < 1) {
        if (error)
            *error = QStringLiteral("A table needs at least one column.");
        return false;
    }

    const QString title = htmlClean(ModernPageTitle(settings));
    const QString version = QString::number(major) + QLatin1Char('.') + QString::number(minor);
    const qsizetype count = items.size();
    const QString description
            = title + QLatin1String(", a page of ") + QString::number(count)
              + (count == 1 ? QLatin1String(" picture.") : QLatin1String(" pictures."));
    // The empty icon keeps browsers from asking the server for one.
    QString page
            = QLatin1String("<!DOCTYPE html>\n<!-- Code generated by Vintora ") + version
              + QLatin1String(", ") + QLatin1String(maker::kNotice)
              + QLatin1String(" -->\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                              "<meta name=\"viewport\" content=\"width=device-width, "
                              "initial-scale=1\">\n<link rel=\"icon\" href=\"data:,\">\n<title>")
              + title + QLatin1String("</title>\n<meta name=\"description\" content=\"")
              + description + QLatin1String("\">\n<meta name=\"generator\" content=\"Vintora ")
              + version + QLatin1String("\">\n<style>\n")
              + QString::fromUtf8(modern_page::kGalleryCss) + choices(settings, backgrounds, table)
              + QLatin1String("\n</style>\n</head>\n<body class=\"")
              + bodyClasses(settings, table, flow) + QLatin1String("\">\n<h1>") + title
              + QLatin1String("</h1>\n");
    if (table || flow) {
        page += QLatin1String("<ul class=\"gallery\">\n");
        EntryIds ids;
        const int eager = EagerThumbnailCount(settings);
        for (qsizetype i = 0; i < count; ++i) {
            const ModernPageItem &item = items.at(i);
            page += entry(item, ids.idFor(item.caption), i < eager);
        }
        page += QLatin1String("</ul>\n");
    }
    page += QLatin1String("<footer><a href=\"") + QLatin1String(maker::kWebAddress)
            + QLatin1String("\">this page generated by Vintora software</a></footer>\n<script>\n")
            + QString::fromUtf8(modern_page::kViewerJs)
            + QLatin1String("</script>\n</body>\n</html>\n");

    const QByteArray bytes = page.toUtf8();
    if (out.write(bytes) != bytes.size()) {
        if (error)
            *error = out.errorString().isEmpty() ? QStringLiteral("The page could not be written.")
                                                 : out.errorString();
        return false;
    }
    return true;
}

} // namespace vintora
