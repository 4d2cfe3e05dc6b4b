// The Fin run's files made of the pictures: one job per distinct picture,
// on every core, each making all the files of its picture from one decode.

#include "run/fin_phases.h"

#include "page/index_page_writer.h"
#include "renditions/rendition_batch.h"
#include "renditions/rendition_folders.h"

namespace vintora {

namespace {

// What the jobs made and kept, counted into the outcome: thumbnails (the
// modern page's at 1x among them) and screen-size copies.
void countFiles(const QList<RenditionResult> &made, FinOutcome &outcome)
{
    for (const RenditionResult &result : made) {
        for (qsizetype i = 0; i < result.files.size(); ++i) {
            const bool thumbnail = i < kFirstScreenCopyFile;
            const RenditionFileResult::Outcome file = result.files.at(i).outcome;
            if (file == RenditionFileResult::Outcome::Made)
                ++(thumbnail ? outcome.thumbnailsMade : outcome.screenCopiesMade);
            else if (file == RenditionFileResult::Outcome::Kept)
                ++(thumbnail ? outcome.thumbnailsKept : outcome.screenCopiesKept);
        }
    }
}

} // namespace

std::optional<QList<RenditionResult>> MakeRenditionFiles(const FinPlan &plan, FinContext &context)
{
    if (plan.thumbnails && !plan.thumbnailBox.isValid())
        context.note(QStringLiteral("No thumbnails: the thumbnails have no size; the page shows "
                                    "the pictures themselves."));
    if (plan.renditions.isEmpty())
        return QList<RenditionResult>();
    QString why;
    if (!context.writer.subfolder(context.writer.folder(), QLatin1String(kThumbnailFolder), true,
                                  &why)) {
        context.end(FinResult::Failed, why);
        return std::nullopt;
    }

    const FinProgress::Phase phase = plan.modern ? FinProgress::Phase::MakingPictures
                                                 : FinProgress::Phase::MakingThumbnails;
    const qsizetype count = plan.renditions.size();
    context.report({phase, 0, count, QString(), QString()});
    if (context.stopped())
        return std::nullopt;
    RenditionBatchHooks hooks;
    hooks.stop = &context.stop;
    hooks.finished = [&](qsizetype done, qsizetype, qsizetype index,
                         const RenditionResult &result) {
        for (const QString &reason : result.failures())
            context.note(reason);
        if (done < count)
            context.report({phase, done, count, plan.renditions.at(index).source, QString()});
    };
    RenditionFolders folders(context.writer);
    const QList<RenditionResult> made = MakeRenditionBatch(plan.renditions, folders, hooks);
    countFiles(made, context.outcome);
    if (context.stopped())
        return std::nullopt;
    return made;
}

} // namespace vintora
