#pragma once

#include "renditions/rendition_batch.h"
#include "renditions/thumbnail_maker.h"

#include <QList>

#include <functional>

namespace vintora {

// What the caller of MakeThumbnails hears while it runs, and how it stops
// it. Both hooks are called on the calling thread; hooks left empty do
// nothing.
struct ThumbnailBatchHooks
{
    // After each job is done (made, kept or failed): how many are done so
    // far, of how many, and the job's index and result.
    std::function<void(qsizetype done, qsizetype count, qsizetype index,
                       const ThumbnailResult &result)>
            finished;
    // Asked after each job is done; true stops the batch: no further job
    // is started, those under way are finished (each thumbnail is written
    // whole or not at all), and MakeThumbnails returns.
    std::function<bool()> cancelRequested;
};

inline constexpr qint64 kThumbnailBatchMemory = kRenditionBatchMemory;

// Makes the thumbnails of the jobs (each as MakeThumbnail makes it) on
// every core (or on threads threads, when more than 0), the largest
// pictures first, together holding no more than memory bytes. The results
// are in the order of the jobs; those of jobs not started because the
// batch was stopped are NotStarted.
QList<ThumbnailResult> MakeThumbnails(const QList<ThumbnailJob> &jobs,
                                      const ThumbnailBatchHooks &hooks = {}, int threads = 0,
                                      qint64 memory = kThumbnailBatchMemory);

} // namespace vintora
