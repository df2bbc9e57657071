#pragma once

#include "selection/order/orderrow.h"

#include <QString>

#include <deque>

// The changes made to the order, each as the rows before and after it, so any
// change can be undone and redone whatever made it: an add, a removal, an
// edit, an open, or anything else that replaces rows. The oldest steps go
// once more than kSteps are kept. Knows nothing of windows.
class OrderHistory {
public:
    static constexpr int kSteps = 100;

    // A change, named for the menu ("adding 3 photos"). A change that changed
    // nothing is not a step. Drops whatever could have been redone.
    void record(const QString& what, const OrderState& before, const OrderState& after);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < static_cast<int>(m_steps.size()); }
    // The names of the step undo and redo would take, empty when there is none.
    QString undoName() const;
    QString redoName() const;

    // The rows to show after undoing or redoing one step; the step moves.
    // Only called when canUndo or canRedo.
    OrderState undo();
    OrderState redo();

    int steps() const { return static_cast<int>(m_steps.size()); }
    void clear();

private:
    struct Step {
        QString what;
        OrderState before;
        OrderState after;
    };
    std::deque<Step> m_steps;
    int m_done = 0; // steps[0 .. m_done) are done
};
