#include "run/fin_album_links.h"

#include "page/picture_reference.h"
#include "run/fin_order.h"

#include <algorithm>
#include <limits>

namespace vintora {

namespace {

// What an album's card tells of it and of the albums below it.
struct AlbumSummary
{
    int count = 0;
    QString firstTaken;
    QString lastTaken;
    qint64 newestMs = std::numeric_limits<qint64>::min();
    PageImage cover; // relative to the album's own folder
};

void addPictures(const FinPlan &plan, const QList<RenditionResult> &made, qsizetype firstJob,
                 AlbumSummary &summary)
{
    summary.count += int(plan.entries.size());
    for (qsizetype i = 0; i < plan.entries.size(); ++i) {
        const qsizetype job = plan.renditionOf.value(i, -1);
        const PictureFacts facts = job >= 0 ? made.at(firstJob + job).facts : PictureFacts();
        summary.newestMs = std::max(summary.newestMs, PictureTakenMs(plan.entries.at(i), facts));
        if (facts.taken.isEmpty())
            continue;
        if (summary.firstTaken.isEmpty() || facts.taken < summary.firstTaken)
            summary.firstTaken = facts.taken;
        if (summary.lastTaken.isEmpty() || facts.taken > summary.lastTaken)
            summary.lastTaken = facts.taken;
    }
}

void addAlbum(const AlbumSummary &album, AlbumSummary &summary)
{
    summary.count += album.count;
    summary.newestMs = std::max(summary.newestMs, album.newestMs);
    if (!album.firstTaken.isEmpty()
        && (summary.firstTaken.isEmpty() || album.firstTaken < summary.firstTaken))
        summary.firstTaken = album.firstTaken;
    if (album.lastTaken > summary.lastTaken)
        summary.lastTaken = album.lastTaken;
}

// The albums directly below page, in the order their cards are shown.
QList<qsizetype> albumsBelow(const QList<FinPlan> &plans, const QList<AlbumSummary> &summaries,
                             qsizetype page)
{
    QList<qsizetype> albums;
    for (qsizetype i = page + 1; i < plans.size(); ++i) {
        if (plans.at(i).parentAlbum == page)
            albums << i;
    }
    const QString &order = plans.at(page).settings.pictureOrder;
    const auto byName = [&](qsizetype a, qsizetype b) {
        const QString &nameA = plans.at(a).albumName;
        const QString &nameB = plans.at(b).albumName;
        const int c = nameA.compare(nameB, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : nameA < nameB;
    };
    if (order == QLatin1String(kOrderByName)) {
        std::stable_sort(albums.begin(), albums.end(), byName);
    } else if (order == QLatin1String(kOrderByDate)) {
        std::stable_sort(albums.begin(), albums.end(), [&](qsizetype a, qsizetype b) {
            if (summaries.at(a).newestMs != summaries.at(b).newestMs)
                return summaries.at(a).newestMs > summaries.at(b).newestMs;
            return byName(a, b);
        });
    }
    return albums;
}

// The reference of a file of an album from the page above it; a picture
// referred to by its full path stays as it is.
QString fromParent(const FinPlan &album, const QString &reference)
{
    if (reference.startsWith(QLatin1String("file:")))
        return reference;
    return EscapeReference(album.albumFolder.last(), true, album.options.separator)
           + QLatin1Char('/') + reference;
}

QString pageReference(const FinPlan &plan)
{
    return EscapeReference(plan.pageName, true, plan.options.separator);
}

QList<PageLink> trailOf(const QList<FinPlan> &plans, const QList<ModernPageContents> &pages,
                        qsizetype page)
{
    QList<PageLink> trail;
    QString up;
    for (qsizetype above = plans.at(page).parentAlbum; above >= 0;
         above = plans.at(above).parentAlbum) {
        up += QLatin1String("../");
        const QString name = above == 0
                                     ? ModernPageTitle(plans.at(0).settings, pages.at(0).folderName)
                                     : plans.at(above).albumName;
        trail.prepend({name, up + pageReference(plans.at(above))});
    }
    return trail;
}

} // namespace

void AddAlbumLinks(const QList<FinPlan> &plans, const QList<RenditionResult> &made,
                   QList<ModernPageContents> &pages)
{
    QList<qsizetype> firstJob;
    qsizetype jobs = 0;
    for (const FinPlan &plan : plans) {
        firstJob << jobs;
        jobs += plan.renditions.size();
    }
    QList<AlbumSummary> summaries(plans.size());
    // Each page after those below it, which come after it in the plans.
    for (qsizetype page = plans.size() - 1; page >= 0; --page) {
        AlbumSummary &summary = summaries[page];
        addPictures(plans.at(page), made, firstJob.at(page), summary);
        ModernPageContents &contents = pages[page];
        for (const qsizetype album : albumsBelow(plans, summaries, page)) {
            const AlbumSummary &below = summaries.at(album);
            addAlbum(below, summary);
            AlbumCard card;
            card.page = {plans.at(album).albumName,
                         fromParent(plans.at(album), pageReference(plans.at(album)))};
            card.cover = below.cover;
            if (!card.cover.isEmpty())
                card.cover.reference = fromParent(plans.at(album), card.cover.reference);
            card.pictureCount = below.count;
            card.firstTaken = below.firstTaken;
            card.lastTaken = below.lastTaken;
            contents.albums << card;
        }
        if (!contents.items.isEmpty())
            summary.cover = contents.items.first().thumbnail;
        else if (!contents.albums.isEmpty())
            summary.cover = contents.albums.first().cover;
        if (page > 0) {
            contents.folderName = plans.at(page).albumName;
            contents.trail = trailOf(plans, pages, page);
        }
    }
}

} // namespace vintora
