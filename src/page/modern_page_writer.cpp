#include "page/modern_page_writer.h"

#include "base/maker.h"
#include "page/modern_page/modern_page_assets.h"
#include "page/modern_page_albums.h"
#include "page/modern_page_text.h"
#include "settings/html_color.h"
#include "settings/start_values.h"

#include <QSet>
#include <QStringBuilder>

#include <algorithm>

namespace vintora {

namespace {

// A title for a page whose record and folder give none.
constexpr const char *kFallbackTitle = "Pictures";

// The height a row of thumbnails starts from, at least: 100 pixels on a
// phone 390 wide, where two pictures of 3 : 2 still fit side by side, 80
// on one of 320, and 200 from a small tablet up. The style sheet lays the
// rows out by it, and each thumbnail's sizes tell the browser the width it
// takes at that height, so that it picks the file that is sharp enough.
constexpr const char *kRowHeight = "clamp(80px,36vw - 40px,200px)";

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
    QString idFor(const QString &name)
    {
        QString base = CleanPageText(name);
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

QString color(ColorValue value)
{
    return QLatin1Char('#') + HtmlColor(value);
}

// Colours left at their start values were not chosen: the page then takes
// light or dark as the visitor's system prefers.
bool colorsChosen(const WizardSettings &s)
{
    const StartValues &v = kStartValues;
    return s.textColor != v.labelColors[0] || s.linkColor != v.labelColors[1]
           || s.activeLinkColor != v.labelColors[2] || s.visitedLinkColor != v.labelColors[3]
           || s.pageColor != v.pageColor;
}

// The record's choices as the custom properties gallery.css reads; empty
// when there are none.
QString choices(const WizardSettings &s, const PageBackgrounds &backgrounds)
{
    QStringList properties;
    if (colorsChosen(s))
        properties << QLatin1String("--page:") + color(s.pageColor)
                   << QLatin1String("--text:") + color(s.textColor)
                   << QLatin1String("--link:") + color(s.linkColor)
                   << QLatin1String("--vlink:") + color(s.visitedLinkColor)
                   << QLatin1String("--alink:") + color(s.activeLinkColor);
    if (!backgrounds.page.isEmpty())
        properties << QLatin1String("--back:") + CssUrl(backgrounds.page);
    if (properties.isEmpty())
        return QString();
    return QLatin1String(":root{") + properties.join(QLatin1Char(';')) + QLatin1String("}\n");
}

QString sizeAttributes(QSize size)
{
    if (size.isEmpty())
        return QString();
    return QLatin1String(" width=\"") + QString::number(size.width())
           + QLatin1String("\" height=\"") + QString::number(size.height()) + QLatin1Char('"');
}

// Width over height, as the grid sizes the entry: of the picture, else of
// its thumbnail, else square; to four places, without trailing zeros.
QString aspectRatio(const ModernPageItem &item)
{
    const QSize size = !item.pictureSize.isEmpty() ? item.pictureSize : item.thumbnail.size;
    const double ratio = size.isEmpty() ? 1.0 : double(size.width()) / size.height();
    QString text = QString::number(ratio, 'f', 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

// The srcset of the screen-size copies, each by its width; the picture
// itself joins them when it is no larger than the largest copy would be,
// so that a large screen gets it in place of an enlarged copy (unless a
// copy stands in for it).
QString screenSet(const ModernPageItem &item)
{
    QStringList candidates;
    for (const PageImage &copy : item.screenCopies)
        candidates << PageUrl(copy.reference, true) + QLatin1Char(' ')
                              + QString::number(copy.size.width()) + QLatin1Char('w');
    if (!candidates.isEmpty() && item.screenCopies.size() < 2 && !item.pictureSize.isEmpty()
        && item.picture != item.screenCopies.last().reference)
        candidates << PageUrl(item.picture, true) + QLatin1Char(' ')
                              + QString::number(item.pictureSize.width()) + QLatin1Char('w');
    return candidates.join(QLatin1String(", "));
}

QString dataAttribute(const char *name, const QString &value)
{
    if (value.isEmpty())
        return QString();
    return QLatin1String(" data-") + QLatin1String(name) + QLatin1String("=\"") + value
           + QLatin1Char('"');
}

// The clock's offset from UTC ("+01:00") that goes with the date taken,
// when the picture records both.
QString takenOffset(const PictureFacts &facts)
{
    return facts.taken.isEmpty() ? QString() : HtmlText(facts.takenOffset);
}

// What the viewer shows of the picture, on its link: its size, its
// screen-size copies, its facts, and its name when it has no caption.
QString viewerAttributes(const ModernPageItem &item, const QString &description)
{
    const PictureFacts &facts = item.facts;
    QString size;
    if (!item.pictureSize.isEmpty())
        size = QString::number(item.pictureSize.width()) + QLatin1Char('x')
               + QString::number(item.pictureSize.height());
    return dataAttribute("size", size) + dataAttribute("screen", screenSet(item))
           + dataAttribute("taken", HtmlText(ShortenedText(facts.taken, kFactTextLimit)))
           + dataAttribute("camera", HtmlText(ShortenedText(facts.camera, kFactTextLimit)))
           + dataAttribute("lens", HtmlText(ShortenedText(facts.lens, kFactTextLimit)))
           + dataAttribute("exposure", HtmlText(ShortenedText(facts.exposure, kFactTextLimit)))
           + dataAttribute("offset", takenOffset(facts))
           + (description.isEmpty() ? dataAttribute("name", HtmlText(item.name)) : QString());
}

// The thumbnail; with a file at each density, both by their widths, and
// the width the entry takes at the row height, for the browser to pick
// the one sharp enough for the screen.
QString thumbnailImage(const ModernPageItem &item, const QString &ratio, const QString &alt,
                       bool eager)
{
    QString image
            = QLatin1String("<img src=\"") + PageUrl(item.thumbnail.reference) + QLatin1Char('"');
    if (!item.thumbnail2x.isEmpty() && !item.thumbnail.size.isEmpty())
        image += QLatin1String(" srcset=\"") + PageUrl(item.thumbnail.reference, true)
                 + QLatin1Char(' ') + QString::number(item.thumbnail.size.width())
                 + QLatin1String("w, ") + PageUrl(item.thumbnail2x.reference, true)
                 + QLatin1Char(' ') + QString::number(item.thumbnail2x.size.width())
                 + QLatin1String("w\" sizes=\"calc(") + ratio + QLatin1Char('*')
                 + QLatin1String(kRowHeight) + QLatin1String(")\"");
    image += sizeAttributes(item.thumbnail.size) + QLatin1String(" alt=\"") + HtmlText(alt)
             + QLatin1String("\" decoding=\"async\"");
    if (!eager)
        image += QLatin1String(" loading=\"lazy\"");
    return image + QLatin1Char('>');
}

QString entry(const ModernPageItem &item, const QString &id, bool eager)
{
    const QString description = ShortenedText(item.facts.description, kDescriptionLimit);
    const QString link = QLatin1String("<a href=\"") + PageUrl(item.picture) + QLatin1Char('"')
                         + viewerAttributes(item, description) + QLatin1Char('>');
    const QString ratio = aspectRatio(item);
    const QString alt = description.isEmpty() ? withoutExtension(item.name) : description;
    QString caption;
    if (!description.isEmpty())
        caption = QLatin1String("<p class=\"caption\" aria-hidden=\"true\">")
                  + HtmlText(description) + QLatin1String("</p>");
    return QLatin1String("<li id=\"") + id.toHtmlEscaped() + QLatin1String("\" style=\"--r:")
           + ratio + QLatin1String("\">") + link + thumbnailImage(item, ratio, alt, eager)
           + QLatin1String("</a>") + caption + QLatin1String("</li>\n");
}

QString countOf(qsizetype count, const char *one, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

// "Title, a page of 3 albums and 12 pictures."
QString pageDescription(const QString &title, const ModernPageContents &contents)
{
    QStringList parts;
    if (!contents.albums.isEmpty())
        parts << countOf(contents.albums.size(), "album", "albums");
    if (!contents.items.isEmpty() || parts.isEmpty())
        parts << countOf(contents.items.size(), "picture", "pictures");
    return title + QLatin1String(", a page of ") + parts.join(QLatin1String(" and "))
           + QLatin1Char('.');
}

QString head(const QString &title, const QString &description, const QString &version,
             const QString &style)
{
    // The empty icon keeps browsers from asking the server for one.
    return QLatin1String("<!DOCTYPE html>\n<!-- Code generated by Vintora ") + version
           + QLatin1String(", ") + QLatin1String(maker::kNotice)
           + QLatin1String(" -->\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                           "<meta name=\"viewport\" content=\"width=device-width, "
                           "initial-scale=1\">\n<link rel=\"icon\" href=\"data:,\">\n<title>")
           + title + QLatin1String("</title>\n<meta name=\"description\" content=\"") + description
           + QLatin1String("\">\n<meta name=\"generator\" content=\"Vintora ") + version
           + QLatin1String("\">\n<style>\n") + style + QLatin1String("</style>\n</head>\n");
}

// The link to the zip under the title, and its style; nothing without one.
QString downloadStyle(const PageDownload &download)
{
    if (download.isEmpty())
        return QString();
    return QStringLiteral(
            ".zip{margin:0 0 1rem;text-align:center}\n"
            ".zip a:focus-visible{outline:3px solid var(--link);outline-offset:2px}\n");
}

QString downloadLink(const PageDownload &download)
{
    if (download.isEmpty())
        return QString();
    return QLatin1String("<p class=\"zip\"><a href=\"") + PageUrl(download.link)
           + QLatin1String("\" download>")
           + HtmlText(DownloadText(download.pictureCount, download.bytes))
           + QLatin1String("</a></p>\n");
}

QString gallery(const ModernPageContents &contents)
{
    const int eager = std::max<int>(0, kEagerThumbnails - int(contents.albums.size()));
    QString html = QLatin1String("<ul class=\"gallery\">\n");
    EntryIds ids;
    for (qsizetype i = 0; i < contents.items.size(); ++i) {
        const ModernPageItem &item = contents.items.at(i);
        html += entry(item, ids.idFor(item.name), i < eager);
    }
    return html + QLatin1String("</ul>\n");
}

} // namespace

QString DownloadText(int pictureCount, qint64 bytes)
{
    static const char *const kUnits[] = {"kB", "MB", "GB", "TB"};
    QString size = QString::number(bytes) + QLatin1String(bytes == 1 ? " byte" : " bytes");
    double value = double(bytes);
    for (const char *unit : kUnits) {
        if (QString::number(value, 'f', 1).toDouble() < 1000.0)
            break;
        value /= 1000.0;
        size = QString::number(value, 'f', 1) + QLatin1Char(' ') + QLatin1String(unit);
    }
    const QString what = pictureCount == 1
                                 ? QStringLiteral("Download 1 picture")
                                 : QStringLiteral("Download all %1 pictures").arg(pictureCount);
    return what + QLatin1String(" (zip, ") + size + QLatin1Char(')');
}

QString ModernPageTitle(const WizardSettings &settings, const QString &folderName)
{
    QString title = settings.pageTitle.simplified();
    if (title.isEmpty())
        title = folderName.simplified();
    if (title.isEmpty())
        return QLatin1String(kFallbackTitle);
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

bool WriteModernPage(const WizardSettings &settings, const PageBackgrounds &backgrounds,
                     const ModernPageContents &contents, int major, int minor, QIODevice &out,
                     QString *error)
{
    const bool table = settings.layoutStyle == QLatin1String(kLayoutTable);
    const bool flow = settings.layoutStyle == QLatin1String(kLayoutGeneric);
    if (table && settings.tableColumns < 1) {
        if (error)
            *error = QStringLiteral("A table needs at least one column.");
        return false;
    }

    const QString title = ModernPageTitle(settings, contents.folderName);
    const QString version = QString::number(major) + QLatin1Char('.') + QString::number(minor);
    QString page
            = head(HtmlText(title), HtmlText(pageDescription(title, contents)), version,
                   QString::fromUtf8(modern_page::kGalleryCss) + QLatin1String(".gallery{--row:")
                           + QLatin1String(kRowHeight) + QLatin1String("}\n")
                           + choices(settings, backgrounds) + downloadStyle(contents.download));
    page += settings.imageBorders != kFalse ? QLatin1String("<body class=\"borders\">\n")
                                            : QLatin1String("<body>\n");
    page += TrailHtml(contents.trail, title) + QLatin1String("<h1>") + HtmlText(title)
            + QLatin1String("</h1>\n") + downloadLink(contents.download)
            + AlbumCardsHtml(contents.albums);
    // A page of albums alone shows no empty grid.
    if ((table || flow) && !(contents.items.isEmpty() && !contents.albums.isEmpty()))
        page += gallery(contents);
    page += QLatin1String("<footer>this page generated by Vintora software</footer>\n<script>\n")
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
