#pragma once

#include "renditions/rendition_job.h"

#include <QList>

#include <functional>

namespace vintora {

class StopRequest;

// The memory the jobs being made at once may hold together (each its
// picture's file and decode, see MakeRenditions): room for two of the
// largest, whatever the number of cores.
inline constexpr qint64 kRenditionBatchMemory = qint64(1536) << 20;

// What the caller of MakeRenditionBatch hears while it runs, and how it
// stops it.
struct RenditionBatchHooks
{
    // After each job, on the calling thread: how many are done so far, of
    // how many, and the job's index and result.
    std::function<void(qsizetype done, qsizetype count, qsizetype index,
                       const RenditionResult &result)>
            finished;
    // Read before each job: once requested, no further job is started and
    // those under way are finished (each file is written whole or not at
    // all).
    const StopRequest *stop = nullptr;
};

// Makes the files of every job on every core (or on threads threads, when
// more than 0), the largest pictures first, together holding no more than
// memory bytes. The results are in the order of the jobs; the files of jobs
// not started because the batch was stopped are NotStarted.
QList<RenditionResult> MakeRenditionBatch(const QList<RenditionJob> &jobs,
                                          RenditionFolders &folders,
                                          const RenditionBatchHooks &hooks = {}, int threads = 0,
                                          qint64 memory = kRenditionBatchMemory);

} // namespace vintora
