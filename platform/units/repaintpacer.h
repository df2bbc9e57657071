#pragma once

#include <QElapsedTimer>

class QWidget;

// Repaints a widget at once, but not more often than every few hundredths of
// a second: a progress bar is seen moving, and a long run of short steps does
// not spend its time repainting the window (a repaint paints every part of
// the window waiting to be painted, the grid too).
class RepaintPacer {
public:
    explicit RepaintPacer(QWidget& widget, qint64 intervalMs = 25);
    // Repaints when the interval has passed, or when last is set.
    void step(bool last = false);

private:
    QWidget& m_widget;
    qint64 m_intervalMs;
    QElapsedTimer m_since;
};
