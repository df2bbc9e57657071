#include "platform/controls/flowwait.h"

#include "platform/controls/flowescape.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QWidget>

#include <utility>

namespace {

// User input waits for the flow, unless Esc may stop it: then the flow's
// filter takes the input as it comes.
QEventLoop::ProcessEventsFlags flowEvents() {
    return FlowEscape::active() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
}

} // namespace

void FlowWait::until(const std::function<bool()>& ready) {
    while (!ready()) {
        // A wake posted between the look and the loop's start is handled by
        // the loop: nothing else handles this thread's events meanwhile.
        QEventLoop loop;
        QEventLoop* const outer = std::exchange(m_loop, &loop);
        loop.exec(flowEvents());
        m_loop = outer;
    }
}

void FlowWait::wake() {
    QMetaObject::invokeMethod(
        &m_context,
        [this] {
            if (m_loop)
                m_loop->quit();
        },
        Qt::QueuedConnection);
}

PaintTurns::PaintTurns(qint64 intervalMs, QList<QWidget*> held)
    : m_intervalMs(intervalMs), m_held(std::move(held)) {
    hold(true);
    m_since.start();
}

PaintTurns::~PaintTurns() {
    hold(false);
}

bool PaintTurns::due() const {
    return m_since.elapsed() >= m_intervalMs;
}

void PaintTurns::paint() {
    hold(false);
    QCoreApplication::processEvents(flowEvents());
    hold(true);
    m_since.restart();
}

void PaintTurns::hold(bool held) {
    for (QWidget* widget : m_held)
        widget->setUpdatesEnabled(!held);
}

void updateWhole(QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>())
        if (child->isVisible())
            child->update();
    window.update();
}
