#include "platform/files/memorybudget.h"

#include "platform/files/decoderlimits.h"

#include <QMutexLocker>

bool MemoryBudget::take(qint64 bytes, const std::atomic<bool>* stop) {
    if (bytes > m_total)
        return false;
    QMutexLocker lock(&m_mutex);
    while (m_taken + bytes > m_total) {
        if (stop && stop->load())
            return false;
        // Woken by every give; the timeout only looks at stop again.
        m_given.wait(&m_mutex, QDeadlineTimer(50));
    }
    if (stop && stop->load())
        return false;
    m_taken += bytes;
    return true;
}

void MemoryBudget::give(qint64 bytes) {
    const QMutexLocker lock(&m_mutex);
    m_taken -= bytes;
    m_given.wakeAll();
}

qint64 MemoryBudget::free() const {
    const QMutexLocker lock(&m_mutex);
    return m_total - m_taken;
}

MemoryBudget& MemoryBudget::decoders() {
    static MemoryBudget budget(kMaxDecoderBytes);
    return budget;
}

bool BudgetShare::take(MemoryBudget& budget, qint64 bytes, const std::atomic<bool>* stop) {
    release();
    if (!budget.take(bytes, stop))
        return false;
    m_budget = &budget;
    m_bytes = bytes;
    return true;
}

void BudgetShare::release() {
    if (m_budget)
        m_budget->give(m_bytes);
    m_budget = nullptr;
    m_bytes = 0;
}
