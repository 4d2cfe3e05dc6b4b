#include "renditions/batch_runner.h"

#include "base/source_file.h"
#include "base/stop_request.h"
#include "renditions/memory_budget.h"

#include <QHash>
#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>

#include <algorithm>
#include <atomic>

namespace vintora {

namespace {

// What the workers and the calling thread share. Each worker takes the
// next job by its place in the order and hands back its index when done.
struct Shared
{
    Shared(const std::function<void(qsizetype, MemoryBudget &)> &job, const StopRequest *request,
           qint64 memory)
        : work(job), stop(request), budget(memory)
    {}

    const std::function<void(qsizetype, MemoryBudget &)> &work;
    const StopRequest *stop;
    MemoryBudget budget;
    QList<qsizetype> order; // the indexes of the jobs, largest file first
    std::atomic<qsizetype> next{0};

    QMutex mutex;
    QWaitCondition changed;
    QList<qsizetype> done; // finished, not yet reported
    int working = 0;       // workers still running

    void run()
    {
        while (!stop || !stop->isRequested()) {
            const qsizetype at = next.fetch_add(1);
            if (at >= order.size())
                break;
            work(order.at(at), budget);
            QMutexLocker lock(&mutex);
            done.append(order.at(at));
            changed.wakeAll();
        }
        QMutexLocker lock(&mutex);
        --working;
        changed.wakeAll();
    }
};

QList<qsizetype> largestFirst(const QStringList &sources)
{
    QList<qsizetype> order;
    QHash<qsizetype, qint64> bytes;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        order << i;
        bytes.insert(i, StatFile(sources.at(i)).size);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return bytes.value(a) > bytes.value(b); });
    return order;
}

} // namespace

void RunBatch(const QStringList &sources,
              const std::function<void(qsizetype index, MemoryBudget &budget)> &work,
              const BatchHooks &hooks, int threads, qint64 memory)
{
    Shared shared(work, hooks.stop, memory);
    shared.order = largestFirst(sources);
    const int workers = int(std::min<qsizetype>(
            threads > 0 ? threads : std::max(1, QThread::idealThreadCount()), sources.size()));
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, workers));
    shared.working = workers;
    for (int w = 0; w < workers; ++w)
        pool.start([&shared] { shared.run(); });

    qsizetype reported = 0;
    bool running = workers > 0;
    while (running) {
        QList<qsizetype> done;
        {
            QMutexLocker lock(&shared.mutex);
            while (shared.done.isEmpty() && shared.working > 0)
                shared.changed.wait(&shared.mutex);
            done.swap(shared.done);
            running = shared.working > 0 || !done.isEmpty();
        }
        for (const qsizetype index : done) {
            ++reported;
            if (hooks.finished)
                hooks.finished(reported, sources.size(), index);
        }
    }
    pool.waitForDone();
}

} // namespace vintora
