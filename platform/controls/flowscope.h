#pragma once

#include <QObject>

#include <functional>

// A long flow runs in one handler and takes no user input until it ends, yet
// the window paints meanwhile: its waits and paint turns handle the window
// thread's other events. What those events would start (another flow, a
// question, the page's load, which takes user input) waits for the flow.
class FlowScope {
public:
    FlowScope();
    // The outermost flow's end queues what waited for it, in order.
    ~FlowScope();
    FlowScope(const FlowScope&) = delete;
    FlowScope& operator=(const FlowScope&) = delete;

    static bool running();
    // Runs call now, or once no flow runs. Dropped if context is gone by then.
    static void afterFlow(QObject* context, std::function<void()> call);
};
