#pragma once

#include "renditions/thumbnail_maker.h"

#include <QList>

#include <functional>

namespace vintora {

// What the caller of MakeThumbnails hears while it runs. Every hook is
// called on the calling thread; hooks left empty do nothing.
struct ThumbnailBatchHooks
{
    // After each job is done (made, kept or failed): how many are done so
    // far, of how many, and the job's index and result.
    std::function<void(qsizetype done, qsizetype count, qsizetype index,
                       const ThumbnailResult &result)>
            finished;
    // One pass of the event loop: after each finished job, and every
    // kThumbnailPumpIntervalMs while a long one is being made.
    std::function<void()> pumpEvents;
    // Asked after every pump; true stops the batch: no further job is
    // started, those under way are finished (each thumbnail is written
    // whole or not at all), and MakeThumbnails returns.
    std::function<bool()> cancelRequested;
};

inline constexpr int kThumbnailPumpIntervalMs = 50;

// The memory the thumbnails being made at once may hold together (each its
// picture's file and decode, see MakeThumbnail): room for two of the
// largest, whatever the number of cores.
inline constexpr qint64 kThumbnailBatchMemory = qint64(1536) << 20;

// Makes the thumbnails of the jobs on every core (or on threads threads,
// when more than 0), in a pool of its own whose threads have all ended
// when it returns, together holding no more than memory bytes. The results
// are in the order of the jobs; those of jobs not started because the batch
// was stopped are NotStarted. Jobs naming the same destination are made
// once and share the result.
QList<ThumbnailResult> MakeThumbnails(const QList<ThumbnailJob> &jobs,
                                      const ThumbnailBatchHooks &hooks = {}, int threads = 0,
                                      qint64 memory = kThumbnailBatchMemory);

} // namespace vintora
