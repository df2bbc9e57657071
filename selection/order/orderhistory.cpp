#include "selection/order/orderhistory.h"

void OrderHistory::record(const QString& what, const OrderState& before, const OrderState& after) {
    if (before == after)
        return;
    m_steps.erase(m_steps.begin() + m_done, m_steps.end());
    Step step{what, before, after};
    // The rows before a step are usually the rows after the last one: shared,
    // so a long history of a big order holds each order once.
    if (!m_steps.empty() && m_steps.back().after == before)
        step.before = m_steps.back().after;
    m_steps.push_back(std::move(step));
    if (m_steps.size() > static_cast<std::size_t>(kSteps))
        m_steps.pop_front();
    m_done = static_cast<int>(m_steps.size());
}

QString OrderHistory::undoName() const {
    return canUndo() ? m_steps[static_cast<std::size_t>(m_done - 1)].what : QString();
}

QString OrderHistory::redoName() const {
    return canRedo() ? m_steps[static_cast<std::size_t>(m_done)].what : QString();
}

OrderState OrderHistory::undo() {
    if (!canUndo())
        return {};
    --m_done;
    return m_steps[static_cast<std::size_t>(m_done)].before;
}

OrderState OrderHistory::redo() {
    if (!canRedo())
        return {};
    ++m_done;
    return m_steps[static_cast<std::size_t>(m_done - 1)].after;
}

void OrderHistory::clear() {
    m_steps.clear();
    m_done = 0;
}
