#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

// Waits in the event loop, while a dialog runs, for a modal widget of type T
// and then acts on it.
template <typename T> void whenShown(QObject* scope, std::function<void(T*)> act) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [scope, act, poll] {
        auto* shown = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!shown || !shown->isVisible()) {
            QTimer::singleShot(10, scope, *poll);
            return;
        }
        act(shown);
    };
    QTimer::singleShot(0, scope, *poll);
}
