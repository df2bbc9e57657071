#include "app/progressbarpainter.h"

#include <QProgressBar>

namespace {

constexpr qint64 kPaintEveryMs = 25;

} // namespace

ProgressBarPainter::ProgressBarPainter(QProgressBar& bar) : m_bar(bar) {}

Progress ProgressBarPainter::progress() {
    return {[this] { started(); }, [this](int value, int maximum) { reached(value, maximum); },
            [this] { finished(); }};
}

void ProgressBarPainter::started() {
    m_pacer.emplace(m_bar, kPaintEveryMs, QList<QWidget*>{&m_bar});
    m_bar.show();
    m_bar.setValue(1);
}

void ProgressBarPainter::reached(int value, int maximum) {
    m_bar.setMaximum(maximum);
    m_bar.setValue(value);
    if (m_pacer)
        m_pacer->step();
}

void ProgressBarPainter::finished() {
    m_pacer.reset();
    m_bar.hide();
}
