#pragma once

#include "app/core/progress.h"
#include "platform/controls/repaintpacer.h"

#include <optional>

class QProgressBar;

// Shows a long drawing's progress on the window's bar: shown at 1 when it
// starts, at each value reached, hidden when it ends. The drawing reports far
// more often than is worth painting, so the bar is painted every few
// hundredths of a second; the window's own painting of it waits meanwhile.
class ProgressBarPainter {
public:
    explicit ProgressBarPainter(QProgressBar& bar);
    ProgressBarPainter(const ProgressBarPainter&) = delete;
    ProgressBarPainter& operator=(const ProgressBarPainter&) = delete;

    // What to hand the drawing; valid while the painter lives.
    Progress progress();

private:
    void started();
    void reached(int value, int maximum);
    void finished();

    QProgressBar& m_bar;
    std::optional<RepaintPacer> m_pacer;
};
