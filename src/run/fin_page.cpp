// The Fin run's last phase: the page, classic or modern, made whole in
// memory from the plan and what was made of the pictures, then put in
// place.

#include "run/fin_phases.h"

#include "page/index_page_writer.h"
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
bool putPage(const FinPlan &plan, const std::function<bool(QIODevice &, QString *)> &write,
             FinContext &context)
{
    QByteArray bytes;
    QBuffer page(&bytes);
    page.open(QIODevice::WriteOnly);
    QString why;
    if (!write(page, &why))
        return context.end(FinResult::Failed, QStringLiteral("Could not write the page %1: %2")
                                                      .arg(QuotedPath(plan.pagePath), why));
    if (!context.writer.writeFile(context.writer.folder(), plan.pageName, bytes, &why))
        return context.end(FinResult::Failed, QStringLiteral("Could not write the page %1: %2.")
                                                      .arg(QuotedPath(plan.pagePath), why));
    return true;
}

} // namespace

bool WritePage(const FinPlan &plan, const QList<RenditionResult> &made, FinContext &context)
{
    context.report({FinProgress::Phase::WritingPage, 0, 0, QString(), QString()});
    if (context.stopped())
        return false;
    if (plan.modern) {
        // Not copied, the page refers to the pictures as they are.
        for (const RenditionResult &result : made) {
            if (!plan.copy && result.facts.hasLocation)
                ++context.outcome.picturesWithLocation;
        }
        const ModernPageContents contents = ModernPageContentsOf(
                plan, made, context.writer.folder().path(), context.withheld, context.standIns);
        const PageBackgrounds backgrounds = ModernPageBackgrounds(plan);
        return putPage(
                plan,
                [&](QIODevice &page, QString *why) {
                    return WriteModernPage(plan.settings, backgrounds, contents, plan.options.major,
                                           plan.options.minor, page, why);
                },
                context);
    }
    const PageWriteOptions options = classicPageOptions(plan, made);
    return putPage(
            plan,
            [&](QIODevice &page, QString *why) {
                return WriteIndexPage(plan.settings, plan.entries, plan.options.major,
                                      plan.options.minor, page, options, why);
            },
            context);
}

} // namespace vintora
