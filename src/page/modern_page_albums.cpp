#include "page/modern_page_albums.h"

#include "page/modern_page_text.h"

#include <QDate>

#include <utility>

namespace vintora {

namespace {

// The page is in English whatever the system's language.
constexpr const char *kMonths[]
        = {"January", "February", "March",     "April",   "May",      "June",
           "July",    "August",   "September", "October", "November", "December"};

QDate isoDay(const QString &text)
{
    return QDate::fromString(text.left(10), Qt::ISODate);
}

QString dayAndMonth(QDate day)
{
    return QString::number(day.day()) + QLatin1Char(' ') + QLatin1String(kMonths[day.month() - 1]);
}

QString fullDate(QDate day)
{
    return dayAndMonth(day) + QLatin1Char(' ') + QString::number(day.year());
}

QString countText(int count)
{
    return QString::number(count)
           + (count == 1 ? QLatin1String(" picture") : QLatin1String(" pictures"));
}

QString card(const AlbumCard &album, bool eager)
{
    QString html
            = QLatin1String("<li><a href=\"") + PageUrl(album.page.link) + QLatin1String("\">");
    if (!album.cover.isEmpty()) {
        html += QLatin1String("<img src=\"") + PageUrl(album.cover.reference) + QLatin1Char('"');
        if (!album.cover.size.isEmpty())
            html += QLatin1String(" width=\"") + QString::number(album.cover.size.width())
                    + QLatin1String("\" height=\"") + QString::number(album.cover.size.height())
                    + QLatin1Char('"');
        html += QLatin1String(" alt=\"\" decoding=\"async\"");
        if (!eager)
            html += QLatin1String(" loading=\"lazy\"");
        html += QLatin1Char('>');
    } else {
        html += QLatin1String("<span class=\"cover\"></span>");
    }
    html += QLatin1String("<span class=\"name\">") + HtmlText(album.page.name)
            + QLatin1String("</span>");
    QStringList about;
    if (album.pictureCount > 0)
        about << countText(album.pictureCount);
    if (const QString span = TakenSpanText(album.firstTaken, album.lastTaken); !span.isEmpty())
        about << span;
    if (!about.isEmpty())
        html += QLatin1String("<span class=\"about\">") + about.join(QStringLiteral(" \u00b7 "))
                + QLatin1String("</span>");
    return html + QLatin1String("</a></li>\n");
}

} // namespace

QString TakenSpanText(const QString &first, const QString &last)
{
    QDate from = isoDay(first);
    QDate to = isoDay(last);
    if ((!first.isEmpty() && !from.isValid()) || (!last.isEmpty() && !to.isValid()))
        return QString();
    if (!from.isValid())
        from = to;
    if (!to.isValid())
        to = from;
    if (!from.isValid())
        return QString();
    if (to < from)
        std::swap(from, to);
    const QString dash = QStringLiteral("\u2013");
    if (from == to)
        return fullDate(from);
    if (from.year() != to.year())
        return fullDate(from) + QLatin1Char(' ') + dash + QLatin1Char(' ') + fullDate(to);
    if (from.month() != to.month())
        return dayAndMonth(from) + QLatin1Char(' ') + dash + QLatin1Char(' ') + fullDate(to);
    return QString::number(from.day()) + dash + fullDate(to);
}

QString TrailHtml(const QList<PageLink> &trail, const QString &title)
{
    if (trail.isEmpty())
        return QString();
    QString html = QLatin1String("<nav class=\"trail\" aria-label=\"Albums\"><ol>");
    for (const PageLink &step : trail)
        html += QLatin1String("<li><a href=\"") + PageUrl(step.link) + QLatin1String("\">")
                + HtmlText(step.name) + QLatin1String("</a></li>");
    return html + QLatin1String("<li aria-current=\"page\">") + HtmlText(title)
           + QLatin1String("</li></ol></nav>\n");
}

QString AlbumCardsHtml(const QList<AlbumCard> &albums)
{
    if (albums.isEmpty())
        return QString();
    QString html = QLatin1String("<ul class=\"albums\">\n");
    for (qsizetype i = 0; i < albums.size(); ++i)
        html += card(albums.at(i), i < kEagerThumbnails);
    return html + QLatin1String("</ul>\n");
}

} // namespace vintora
