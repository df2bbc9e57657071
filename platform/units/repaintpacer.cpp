#include "repaintpacer.h"

#include <QWidget>

RepaintPacer::RepaintPacer(QWidget& widget, qint64 intervalMs)
    : m_widget(widget), m_intervalMs(intervalMs) {
    m_since.start();
}

void RepaintPacer::step(bool last) {
    if (!last && m_since.elapsed() < m_intervalMs)
        return;
    m_widget.repaint();
    m_since.restart();
}
