#pragma once

#include <QMutex>
#include <QWaitCondition>

namespace vintora {

// Bytes of memory that the threads of a batch share: each takes what its
// work will hold before starting it and gives it back when done, so that
// all of them together never hold more than the total, however many cores
// there are.
class MemoryBudget
{
public:
    explicit MemoryBudget(qint64 total) : m_total(total) {}
    MemoryBudget(const MemoryBudget &) = delete;
    MemoryBudget &operator=(const MemoryBudget &) = delete;

    qint64 total() const { return m_total; }

    // Waits until bytes are free and takes them. False at once, taking
    // nothing, when bytes exceed the whole total: they would never be free.
    bool acquire(qint64 bytes);
    void release(qint64 bytes);

    // How many threads wait in acquire for bytes to be given back.
    int waiting() const;

private:
    const qint64 m_total;
    qint64 m_taken = 0;
    int m_waiting = 0;
    mutable QMutex m_mutex;
    QWaitCondition m_released;
};

// Bytes of a budget held for as long as it lives. Without a budget it holds
// nothing and always succeeds.
class MemoryHold
{
public:
    MemoryHold(MemoryBudget *budget, qint64 bytes)
        : m_budget(budget), m_bytes(bytes), m_held(!budget || budget->acquire(bytes))
    {}
    ~MemoryHold()
    {
        if (m_budget && m_held)
            m_budget->release(m_bytes);
    }
    MemoryHold(const MemoryHold &) = delete;
    MemoryHold &operator=(const MemoryHold &) = delete;

    // False when the bytes exceed the whole budget.
    bool held() const { return m_held; }

private:
    MemoryBudget *m_budget;
    qint64 m_bytes;
    bool m_held;
};

} // namespace vintora
