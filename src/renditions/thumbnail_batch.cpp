#include "renditions/thumbnail_batch.h"

#include "base/source_file.h"
#include "renditions/memory_budget.h"

#include <QHash>
#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>

#include <algorithm>
#include <atomic>
#include <vector>

namespace vintora {

namespace {

// What the workers and the calling thread share. Each worker takes the
// next job by its number and hands back its index when done.
struct Shared
{
    Shared(const QList<ThumbnailJob> &all, qint64 memory) : jobs(all), budget(memory) {}

    const QList<ThumbnailJob> &jobs;
    MemoryBudget budget;
    QList<qsizetype> unique; // indexes of the jobs to make, one per destination
    std::vector<ThumbnailResult> results;
    std::atomic<qsizetype> next{0};
    std::atomic<bool> stop{false};

    QMutex mutex;
    QWaitCondition changed;
    QList<qsizetype> done; // finished, not yet reported
    int working = 0;       // workers still running

    void work()
    {
        while (!stop.load(std::memory_order_relaxed)) {
            const qsizetype at = next.fetch_add(1);
            if (at >= unique.size())
                break;
            const qsizetype index = unique.at(at);
            ThumbnailResult result = MakeThumbnail(jobs.at(index), &budget);
            QMutexLocker lock(&mutex);
            results[size_t(index)] = std::move(result);
            done.append(index);
            changed.wakeAll();
        }
        QMutexLocker lock(&mutex);
        --working;
        changed.wakeAll();
    }
};

} // namespace

QList<ThumbnailResult> MakeThumbnails(const QList<ThumbnailJob> &jobs,
                                      const ThumbnailBatchHooks &hooks, int threads, qint64 memory)
{
    Shared shared(jobs, memory);
    shared.results.resize(size_t(jobs.size()));
    // Destination (in its folder) -> the first job writing it.
    QHash<std::pair<QString, const OutputFolder *>, qsizetype> first;
    QList<QList<qsizetype>> followers(jobs.size());
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        const std::pair<QString, const OutputFolder *> destination{jobs.at(i).destination,
                                                                   jobs.at(i).folder};
        const auto it = first.constFind(destination);
        if (it == first.constEnd()) {
            first.insert(destination, i);
            shared.unique.append(i);
        } else {
            followers[*it].append(i);
        }
    }

    // The largest files first: a long job started last would keep one core
    // busy while the others have nothing left to do.
    QHash<qsizetype, qint64> bytes;
    for (const qsizetype i : std::as_const(shared.unique))
        bytes.insert(i, StatFile(jobs.at(i).source).size);
    std::stable_sort(shared.unique.begin(), shared.unique.end(),
                     [&](qsizetype a, qsizetype b) { return bytes.value(a) > bytes.value(b); });

    const int workers = int(
            std::min<qsizetype>(threads > 0 ? threads : std::max(1, QThread::idealThreadCount()),
                                shared.unique.size()));
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, workers));
    shared.working = workers;
    for (int w = 0; w < workers; ++w)
        pool.start([&shared] { shared.work(); });

    qsizetype reported = 0;
    const auto report = [&](qsizetype index) {
        const ThumbnailResult &result = shared.results[size_t(index)];
        for (const qsizetype i : QList<qsizetype>{index} + followers.at(index)) {
            if (i != index)
                shared.results[size_t(i)] = result;
            ++reported;
            if (hooks.finished)
                hooks.finished(reported, jobs.size(), i, result);
        }
    };

    bool running = workers > 0;
    while (running) {
        QList<qsizetype> done;
        {
            QMutexLocker lock(&shared.mutex);
            if (shared.done.isEmpty() && shared.working > 0)
                shared.changed.wait(&shared.mutex, kThumbnailPumpIntervalMs);
            done.swap(shared.done);
            running = shared.working > 0 || !done.isEmpty();
        }
        for (const qsizetype index : done)
            report(index);
        if (hooks.pumpEvents)
            hooks.pumpEvents();
        if (hooks.cancelRequested && !shared.stop && hooks.cancelRequested())
            shared.stop = true;
    }
    pool.waitForDone();
    return QList<ThumbnailResult>(shared.results.begin(), shared.results.end());
}

} // namespace vintora
