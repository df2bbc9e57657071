#pragma once

#include <QMutex>
#include <QWaitCondition>

#include <atomic>

// Memory that decoders running side by side share: a read that needs a
// large buffer takes its part first and waits while others hold too much,
// so that two workers on two huge photos never hold twice the bound.
class MemoryBudget {
public:
    explicit MemoryBudget(qint64 bytes) : m_total(bytes) {}

    // Takes bytes, waiting until they are free. False, taking nothing, when
    // more than the whole budget is asked for or stop is set meanwhile.
    bool take(qint64 bytes, const std::atomic<bool>* stop = nullptr);
    void give(qint64 bytes);
    qint64 free() const;

    // The budget of the program's picture decoders.
    static MemoryBudget& decoders();

private:
    const qint64 m_total;
    qint64 m_taken = 0;
    mutable QMutex m_mutex;
    QWaitCondition m_given;
};

// Holds a part of a budget for as long as it lives.
class BudgetShare {
public:
    BudgetShare() = default;
    ~BudgetShare() { release(); }
    BudgetShare(const BudgetShare&) = delete;
    BudgetShare& operator=(const BudgetShare&) = delete;

    bool take(MemoryBudget& budget, qint64 bytes, const std::atomic<bool>* stop);
    void release();

private:
    MemoryBudget* m_budget = nullptr;
    qint64 m_bytes = 0;
};
