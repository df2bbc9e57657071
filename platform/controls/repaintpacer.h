#pragma once

#include <QElapsedTimer>
#include <QList>

class QWidget;

// Repaints a widget at once, but not more often than every few hundredths of
// a second: a progress bar is seen moving, and a long run of short steps does
// not spend its time repainting the window (a repaint paints every part of
// the window waiting to be painted, the grid too).
class RepaintPacer {
public:
    // Held widgets are repainted on the pacer's turn too, and wait for it: a
    // progress bar would otherwise repaint itself, and with it the window,
    // whenever its value visibly moves.
    explicit RepaintPacer(QWidget& widget, qint64 intervalMs = 25, QList<QWidget*> held = {});
    ~RepaintPacer();
    RepaintPacer(const RepaintPacer&) = delete;
    RepaintPacer& operator=(const RepaintPacer&) = delete;

    // Repaints when the interval has passed, or when last is set.
    void step(bool last = false);

private:
    void hold(bool held);

    QWidget& m_widget;
    qint64 m_intervalMs;
    QList<QWidget*> m_held;
    QElapsedTimer m_since;
};
