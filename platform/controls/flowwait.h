#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>

#include <functional>

class QEventLoop;
class QWidget;

// Waits on the window's thread for work done on others without blocking it:
// meanwhile the window paints and timers and queued calls run, all but user
// input, which the system keeps until the wait is over (close requests too).
// Meant inside a FlowScope.
class FlowWait {
public:
    FlowWait() = default;
    FlowWait(const FlowWait&) = delete;
    FlowWait& operator=(const FlowWait&) = delete;

    // Returns once ready() holds; asked on this thread, again after each wake().
    void until(const std::function<bool()>& ready);
    // From any thread: ready() may hold now. Ignored once the wait is destroyed.
    void wake();

private:
    QObject m_context;
    QEventLoop* m_loop = nullptr;
};

// A flow whose steps come faster than the window paints lets it paint at most
// every interval: painting the whole window for each step would cost more
// than the steps.
class PaintTurns {
public:
    // Held widgets paint on the turns alone: a progress bar would otherwise
    // paint itself, and with it the window, whenever its value visibly moves.
    explicit PaintTurns(qint64 intervalMs, QList<QWidget*> held = {});
    // Hide held widgets only after this: held, they would leave their picture.
    ~PaintTurns();
    PaintTurns(const PaintTurns&) = delete;
    PaintTurns& operator=(const PaintTurns&) = delete;

    // Whether the interval has passed since the last turn.
    bool due() const;
    // Paints what waits to be painted, all but user input handled meanwhile.
    void paint();

private:
    void hold(bool held);

    qint64 m_intervalMs;
    QList<QWidget*> m_held;
    QElapsedTimer m_since;
};

// Marks every visible part of a window for painting, its children too: what a
// closed dialog covered is painted on the next turn, not once the system
// tells it is uncovered.
void updateWhole(QWidget& window);
