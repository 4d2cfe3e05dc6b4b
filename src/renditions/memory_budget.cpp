#include "renditions/memory_budget.h"

namespace vintora {

bool MemoryBudget::acquire(qint64 bytes)
{
    if (bytes > m_total)
        return false;
    QMutexLocker lock(&m_mutex);
    if (m_taken + bytes > m_total) {
        ++m_waiting;
        while (m_taken + bytes > m_total)
            m_released.wait(&m_mutex);
        --m_waiting;
    }
    m_taken += bytes;
    return true;
}

int MemoryBudget::waiting() const
{
    QMutexLocker lock(&m_mutex);
    return m_waiting;
}

void MemoryBudget::release(qint64 bytes)
{
    QMutexLocker lock(&m_mutex);
    m_taken -= bytes;
    m_released.wakeAll();
}

} // namespace vintora
