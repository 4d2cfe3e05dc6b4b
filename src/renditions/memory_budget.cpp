#include "renditions/memory_budget.h"

namespace vintora {

bool MemoryBudget::acquire(qint64 bytes)
{
    if (bytes > m_total)
        return false;
    QMutexLocker lock(&m_mutex);
    while (m_taken + bytes > m_total)
        m_released.wait(&m_mutex);
    m_taken += bytes;
    return true;
}

void MemoryBudget::release(qint64 bytes)
{
    QMutexLocker lock(&m_mutex);
    m_taken -= bytes;
    m_released.wakeAll();
}

} // namespace vintora
