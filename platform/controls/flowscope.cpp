#include "platform/controls/flowscope.h"

#include <QList>
#include <QPointer>

#include <utility>

namespace {

struct Waiting {
    QPointer<QObject> context;
    std::function<void()> call;
};

int g_depth = 0;
QList<Waiting> g_waiting;

} // namespace

FlowScope::FlowScope() {
    ++g_depth;
}

FlowScope::~FlowScope() {
    if (--g_depth > 0)
        return;
    // After the handler, as a queued call would have run; asked again then,
    // so one that comes inside the next flow waits for that one too.
    for (Waiting& waiting : std::exchange(g_waiting, {}))
        if (waiting.context)
            QMetaObject::invokeMethod(
                waiting.context,
                [context = waiting.context, call = std::move(waiting.call)] {
                    afterFlow(context, call);
                },
                Qt::QueuedConnection);
}

bool FlowScope::running() {
    return g_depth > 0;
}

void FlowScope::afterFlow(QObject* context, std::function<void()> call) {
    if (!context)
        return;
    if (running())
        g_waiting.append({context, std::move(call)});
    else
        call();
}
