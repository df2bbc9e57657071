#pragma once

#include <QObject>

class QEvent;

// While alive, Esc stops the flow that holds it: the flow's waits and paint
// turns then take the user's input, and this takes all of it. Esc is noted,
// a request to close a window is made again once no flow runs, and every
// other key, click and shortcut is dropped, as a modal window would drop it.
class FlowEscape : public QObject {
    Q_OBJECT
public:
    FlowEscape();
    ~FlowEscape() override;
    FlowEscape(const FlowEscape&) = delete;
    FlowEscape& operator=(const FlowEscape&) = delete;

    // Whether Esc was pressed since this was made.
    bool pressed() const { return m_pressed; }

    // Whether a flow holds one now.
    static bool active();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_pressed = false;
};
