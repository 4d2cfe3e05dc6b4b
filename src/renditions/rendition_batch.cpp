#include "renditions/rendition_batch.h"

#include "renditions/batch_runner.h"

#include <vector>

namespace vintora {

QList<RenditionResult> MakeRenditionBatch(const QList<RenditionJob> &jobs,
                                          RenditionFolders &folders,
                                          const RenditionBatchHooks &hooks, int threads,
                                          qint64 memory)
{
    // Each result is written by one worker and read on this thread once
    // the batch has handed its index back.
    std::vector<RenditionResult> results(size_t(jobs.size()));
    for (qsizetype i = 0; i < jobs.size(); ++i)
        results[size_t(i)].files.resize(jobs.at(i).files.size());
    QStringList sources;
    for (const RenditionJob &job : jobs)
        sources << job.source;

    BatchHooks batch;
    batch.stop = hooks.stop;
    if (hooks.finished)
        batch.finished = [&](qsizetype done, qsizetype count, qsizetype index) {
            hooks.finished(done, count, index, results[size_t(index)]);
        };
    RunBatch(
            sources,
            [&](qsizetype index, MemoryBudget &budget) {
                results[size_t(index)] = MakeRenditions(jobs.at(index), folders, &budget);
            },
            batch, threads, memory);
    return QList<RenditionResult>(results.begin(), results.end());
}

} // namespace vintora
