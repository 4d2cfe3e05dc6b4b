// The Fin run's last phase: the page, classic or modern, made whole in
// memory from the plan and what was made of the pictures, then put in
// place.

#include "run/fin_phases.h"

#include "page/index_page_writer.h"
#include "run/fin_album_links.h"
#include "run/fin_page_items.h"

#include <QBuffer>

#include <functional>

namespace vintora {

namespace {

// How the classic page refers to the pictures: as they were handled, with
// the thumbnail of each picture that has one.
PageWriteOptions classicPageOptions(const FinPlan &plan, const QList<RenditionResult> &made)
{
    PageWriteOptions options;
    options.separator = plan.options.separator;
    options.copied = plan.copy;
    options.copiedNames = plan.names;
    for (qsizetype i = 0; i < plan.renditionOf.size(); ++i) {
        const RenditionResult &result = made.at(plan.renditionOf.at(i));
        if (result.hasThumbnail())
            options.thumbnails.insert(plan.entries.at(i),
                                      {result.files.at(kThumbnailFile).name,
                                       ShownSize(result.pictureSize, plan.thumbnailBox)});
    }
    return options;
}

// The page made whole in memory by write, then put in place.
bool putPage(const FinPlan &plan, const OutputFolder &out,
             const std::function<bool(QIODevice &, QString *)> &write, FinContext &context)
{
    QByteArray bytes;
    QBuffer page(&bytes);
    page.open(QIODevice::WriteOnly);
    QString why;
    if (!write(page, &why))
        return context.end(FinResult::Failed, QStringLiteral("Could not write the page %1: %2")
                                                      .arg(QuotedPath(plan.pagePath), why));
    // A modern page that already holds these bytes is let be, so that a
    // run over what has not changed rewrites nothing.
    const bool written = plan.modern
                                 ? context.writer.writeUnlessHeld(out, plan.pageName, bytes, &why)
                                           != OutputWriter::CopyOutcome::Failed
                                 : context.writer.writeFile(out, plan.pageName, bytes, &why);
    if (!written)
        return context.end(FinResult::Failed, QStringLiteral("Could not write the page %1: %2.")
                                                      .arg(QuotedPath(plan.pagePath), why));
    return true;
}

// The modern page of the plan, with what it shows.
std::function<bool(QIODevice &, QString *)> modernPage(const FinPlan &plan,
                                                       const ModernPageContents &contents)
{
    return [&plan, &contents](QIODevice &page, QString *why) {
        return WriteModernPage(plan.settings, ModernPageBackgrounds(plan), contents,
                               plan.options.major, plan.options.minor, page, why);
    };
}

} // namespace

// The pages of a tree of albums, or the one page, the top page last: a run
// stopped before it leaves the earlier top page as it was.
bool WritePages(const QList<FinPlan> &plans, const QList<RenditionResult> &made,
                FinContext &context)
{
    // Each plan's jobs follow those of the plans before it.
    QList<QList<RenditionResult>> madeOf;
    qsizetype firstJob = 0;
    for (const FinPlan &plan : plans) {
        madeOf << made.mid(firstJob, plan.renditions.size());
        firstJob += plan.renditions.size();
    }
    // The zips come first: each page tells its zip's size.
    QList<PageDownload> downloads(plans.size());
    for (qsizetype i = 0; i < plans.size(); ++i) {
        if (plans.at(i).modern && !WritePageZip(plans.at(i), madeOf.at(i), context, downloads[i]))
            return false;
    }
    context.report({FinProgress::Phase::WritingPage, 0, 0, QString(), QString()});
    if (context.stopped())
        return false;
    const FinPlan &top = plans.first();
    if (!top.modern) {
        const PageWriteOptions options = classicPageOptions(top, made);
        return putPage(
                top, context.writer.folder(),
                [&](QIODevice &page, QString *why) {
                    return WriteIndexPage(top.settings, top.entries, top.options.major,
                                          top.options.minor, page, options, why);
                },
                context);
    }
    // Not copied, the pages refer to the pictures as they are.
    for (const RenditionResult &result : made) {
        if (!top.copy && result.facts.hasLocation)
            ++context.outcome.picturesWithLocation;
    }
    QList<ModernPageContents> pages;
    for (qsizetype i = 0; i < plans.size(); ++i) {
        pages << ModernPageContentsOf(plans.at(i), madeOf.at(i), context.writer.folder().path(),
                                      context.withheld, context.standIns);
        pages.last().download = downloads.at(i);
    }
    if (plans.size() > 1)
        AddAlbumLinks(plans, made, pages);
    for (qsizetype i = plans.size() - 1; i >= 0; --i) {
        if (i < plans.size() - 1 && context.stopped())
            return false;
        const FinPlan &plan = plans.at(i);
        const OutputFolder *out = context.albumFolder(plan.albumFolder);
        if (!out || !putPage(plan, *out, modernPage(plan, pages.at(i)), context))
            return false;
    }
    return true;
}

} // namespace vintora
