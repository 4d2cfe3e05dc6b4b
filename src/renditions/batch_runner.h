#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vintora {

class MemoryBudget;
class StopRequest;

// What the caller of a batch hears while it runs, and how it stops it.
struct BatchHooks
{
    // After each job is done, on the calling thread: how many are done so
    // far, of how many, and the job's index.
    std::function<void(qsizetype done, qsizetype count, qsizetype index)> finished;
    // Read before each job is started: once it is requested, no further
    // job starts, those under way are finished, and the batch returns.
    const StopRequest *stop = nullptr;
};

// Runs work(index, budget) for the job of each source on every core (or on
// threads threads, when more than 0), the largest files first, so that no
// long job starts last while the other cores have nothing left to do. The
// jobs share a memory budget of memory bytes. The threads are those of a
// pool of its own, and all have ended when it returns.
void RunBatch(const QStringList &sources,
              const std::function<void(qsizetype index, MemoryBudget &budget)> &work,
              const BatchHooks &hooks, int threads, qint64 memory);

} // namespace vintora
