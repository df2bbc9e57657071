#include "platform/controls/repaintpacer.h"

#include <QWidget>

RepaintPacer::RepaintPacer(QWidget& widget, qint64 intervalMs, QList<QWidget*> held)
    : m_widget(widget), m_intervalMs(intervalMs), m_held(std::move(held)) {
    hold(true);
    m_since.start();
}

RepaintPacer::~RepaintPacer() {
    hold(false);
}

void RepaintPacer::step(bool last) {
    if (!last && m_since.elapsed() < m_intervalMs)
        return;
    hold(false);
    m_widget.repaint();
    for (QWidget* widget : m_held)
        widget->repaint();
    hold(true);
    m_since.restart();
}

void RepaintPacer::hold(bool held) {
    for (QWidget* widget : m_held)
        widget->setUpdatesEnabled(!held);
}
