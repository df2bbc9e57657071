#include "platform/controls/flowescape.h"

#include "platform/controls/flowscope.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

int g_active = 0;

} // namespace

FlowEscape::FlowEscape() {
    ++g_active;
    QCoreApplication::instance()->installEventFilter(this);
}

FlowEscape::~FlowEscape() {
    QCoreApplication::instance()->removeEventFilter(this);
    --g_active;
}

bool FlowEscape::active() {
    return g_active > 0;
}

bool FlowEscape::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            m_pressed = true;
        return true;
    case QEvent::Close:
        if (event->spontaneous()) {
            if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
                FlowScope::afterFlow(window, [window = QPointer<QWidget>(window)] {
                    if (window)
                        window->close();
                });
            event->ignore();
            return true;
        }
        return false;
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
        return true;
    default:
        return event->isInputEvent();
    }
}
