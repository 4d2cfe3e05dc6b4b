// The Fin run's thumbnails: one small file per distinct picture, in the
// folder "thumbs" beside the page, made on every core.

#include "run/fin_phases.h"

#include "renditions/thumbnail_batch.h"
#include "renditions/thumbnail_maker.h"
#include "renditions/thumbnail_names.h"

namespace vintora {

// The stem of the thumbnail of the picture named name in the output: that
// name, unless a name its thumbnail may take is one another picture's
// thumbnail may take ("x.png" made JPEG is "x.png.jpg", which is also the
// thumbnail of a picture named so); then the first numbered name whose
// names are all free.
QString FinRun::thumbnailStem(const QString &name)
{
    const auto clashes = [this](const QString &stem) {
        for (const QString &candidate : ThumbnailFileNames(stem)) {
            if (m_thumbnailNames.contains(candidate))
                return true;
        }
        return false;
    };
    QString stem = name;
    for (int number = 2; clashes(stem) || (stem != name && !nameIsFree(stem, QString())); ++number)
        stem = NumberedName(name, number);
    for (const QString &candidate : ThumbnailFileNames(stem))
        m_thumbnailNames.insert(candidate);
    return stem;
}

bool FinRun::makeThumbnails()
{
    if (!m_makeThumbnails)
        return true;
    if (!m_thumbnailBox.isValid()) {
        note(QStringLiteral("No thumbnails: the thumbnails have no size; the page shows the "
                            "pictures themselves."));
        return true;
    }
    QString why;
    m_thumbs = m_writer.subfolder(m_writer.folder(), QLatin1String(kThumbnailFolder), true, &why);
    if (!m_thumbs)
        return end(FinResult::Failed, why);

    // One thumbnail per distinct picture, under the name its copy gets.
    QList<ThumbnailJob> jobs;
    QHash<QString, qsizetype> jobOfName;
    for (const QString &entry : std::as_const(m_entries)) {
        const QString name = m_namer.nameFor(entry);
        if (jobOfName.contains(name))
            continue;
        jobOfName.insert(name, jobs.size());
        jobs.append({entry, thumbnailStem(name), m_thumbnailBox, &m_writer, m_thumbs});
    }
    const std::optional<QList<ThumbnailResult>> batch = makeBatch(jobs, MakingThumbnailsStatus);
    if (!batch)
        return false;
    const QList<ThumbnailResult> &results = *batch;
    for (const ThumbnailResult &result : results) {
        if (result.outcome == ThumbnailResult::Outcome::Made)
            ++m_outcome.thumbnailsMade;
        else if (result.outcome == ThumbnailResult::Outcome::Kept)
            ++m_outcome.thumbnailsKept;
    }
    for (const QString &entry : std::as_const(m_entries)) {
        const ThumbnailResult &result = results.at(jobOfName.value(m_namer.nameFor(entry)));
        if (result.hasThumbnail())
            m_thumbnails.insert(entry, {result.name, result.shownSize});
    }
    return !m_modern || makeModernFiles(jobs, results, jobOfName);
}

std::optional<QList<ThumbnailResult>> FinRun::makeBatch(const QList<ThumbnailJob> &jobs,
                                                        QString (*statusText)(qsizetype made,
                                                                              qsizetype count))
{
    status(statusText(0, jobs.size()));
    if (pumpAndCheck()) {
        stop();
        return std::nullopt;
    }
    ThumbnailBatchHooks batch;
    batch.finished = [this, statusText](qsizetype done, qsizetype count, qsizetype,
                                        const ThumbnailResult &result) {
        if (result.outcome == ThumbnailResult::Outcome::Failed)
            note(result.reason);
        if (done < count)
            status(statusText(done, count));
    };
    batch.pumpEvents = m_hooks.pumpEvents;
    batch.cancelRequested = [this] {
        return cancelled();
    };
    QList<ThumbnailResult> results = MakeThumbnails(jobs, batch);
    if (cancelled()) {
        stop();
        return std::nullopt;
    }
    return results;
}

} // namespace vintora
