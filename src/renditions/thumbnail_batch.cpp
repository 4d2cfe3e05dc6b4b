#include "renditions/thumbnail_batch.h"

#include "base/stop_request.h"
#include "renditions/batch_runner.h"

#include <vector>

namespace vintora {

QList<ThumbnailResult> MakeThumbnails(const QList<ThumbnailJob> &jobs,
                                      const ThumbnailBatchHooks &hooks, int threads, qint64 memory)
{
    std::vector<ThumbnailResult> results(size_t(jobs.size()));
    QStringList sources;
    for (const ThumbnailJob &job : jobs)
        sources << job.source;
    StopRequest stop;
    BatchHooks batch;
    batch.stop = &stop;
    batch.finished = [&](qsizetype done, qsizetype count, qsizetype index) {
        if (hooks.finished)
            hooks.finished(done, count, index, results[size_t(index)]);
        if (hooks.cancelRequested && hooks.cancelRequested())
            stop.request();
    };
    RunBatch(
            sources,
            [&](qsizetype index, MemoryBudget &budget) {
                results[size_t(index)] = MakeThumbnail(jobs.at(index), &budget);
            },
            batch, threads, memory);
    return QList<ThumbnailResult>(results.begin(), results.end());
}

} // namespace vintora
