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

QString countOf(int count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// The files the jobs set out to write and could not.
int filesNotWritten(const QList<RenditionResult> &made)
{
    int count = 0;
    for (const RenditionResult &result : made) {
        for (const RenditionFileResult &file : result.files)
            count += file.notWritten ? 1 : 0;
    }
    return count;
}

// The run's closing line when files made of the pictures could not be
// written: what was not written, then what was.
QString notWrittenLine(int notWritten, const FinOutcome &outcome)
{
    QStringList written;
    if (outcome.copiedPictures > 0)
        written << countOf(outcome.copiedPictures, "copied picture", "copied pictures");
    if (outcome.thumbnailsMade > 0)
        written << countOf(outcome.thumbnailsMade, "thumbnail", "thumbnails");
    if (outcome.screenCopiesMade > 0)
        written << countOf(outcome.screenCopiesMade, "screen-size picture", "screen-size pictures");
    return QStringLiteral("Could not write %1 (named above), so the page was not written and the "
                          "earlier page is kept; %2.")
            .arg(countOf(notWritten, "file made of the pictures", "files made of the pictures"),
                 written.isEmpty()
                         ? QStringLiteral("nothing else was written")
                         : QLatin1String("written: ") + written.join(QLatin1String(", ")));
}

} // namespace

std::optional<QList<RenditionResult>> MakeRenditionFiles(const QList<FinPlan> &plans,
                                                         FinContext &context)
{
    const FinPlan &plan = plans.first();
    if (plan.thumbnails && !plan.thumbnailBox.isValid())
        context.note(QStringLiteral("No thumbnails: the thumbnails have no size; the page shows "
                                    "the pictures themselves."));
    // One batch for the pictures of every page.
    QList<RenditionJob> jobs;
    for (const FinPlan &page : plans) {
        jobs += page.renditions;
        if (page.renditions.isEmpty())
            continue;
        const OutputFolder *out = context.albumFolder(page.albumFolder);
        QString why;
        if (!out || !context.writer.subfolder(*out, QLatin1String(kThumbnailFolder), true, &why)) {
            if (out)
                context.end(FinResult::Failed, why);
            return std::nullopt;
        }
    }
    if (jobs.isEmpty())
        return QList<RenditionResult>();

    const FinProgress::Phase phase = plan.modern ? FinProgress::Phase::MakingPictures
                                                 : FinProgress::Phase::MakingThumbnails;
    const qsizetype count = jobs.size();
    context.report({phase, 0, count, QString(), QString()});
    if (context.stopped())
        return std::nullopt;
    RenditionBatchHooks hooks;
    hooks.stop = &context.stop;
    hooks.finished
            = [&](qsizetype done, qsizetype, qsizetype index, const RenditionResult &result) {
                  for (const QString &reason : result.failures())
                      context.note(reason);
                  if (done < count)
                      context.report({phase, done, count, jobs.at(index).source, QString()});
              };
    RenditionFolders folders(context.writer);
    const QList<RenditionResult> made = MakeRenditionBatch(jobs, folders, hooks);
    countFiles(made, context.outcome);
    if (context.stopped())
        return std::nullopt;
    // A file the run set out to write and could not fails the run: a page
    // that shows what is not there is never reported as done.
    if (const int notWritten = filesNotWritten(made); notWritten > 0) {
        context.end(FinResult::Failed, notWrittenLine(notWritten, context.outcome));
        return std::nullopt;
    }
    return made;
}

} // namespace vintora
