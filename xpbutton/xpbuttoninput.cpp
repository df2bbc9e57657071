// How an XpButton reacts to the mouse, the keyboard, focus, hover, access
// keys, size changes and its container.
#include "xpbutton/xpbutton.h"

#include "platform/host/inputcodes.h"
#include "xpbutton/buttongeometry.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#define RETURN_IF_FAILED(expression)                                                               \
    do {                                                                                           \
        if (const ControlError failed_ = (expression); failed_ != ControlError::None)              \
            return failed_;                                                                        \
    } while (false)

ControlError XpButton::UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X,
                                             float& Y) {
    g_LastButton = Button;
    g_LastShift = Shift;
    g_LastX = X;
    g_LastY = Y;
    if (Button != 2) {
        g_Pressed = 1;
        RETURN_IF_FAILED(Refresh());
    }
    emit MouseDown(Button, Shift, X, Y);
    return ControlError::None;
}

ControlError XpButton::UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X,
                                             float& Y) {
    if (X >= 0 && X < ScaleWidth() && Y >= 0 && Y < ScaleHeight() && g_Hover == 0) {
        m_OverTimer->start();
        g_Hover = 1;
        if (m_PictureHover)
            m_Picture = m_PictureHover;
        emit MouseIn(Shift);
        RETURN_IF_FAILED(Refresh());
        // Lets waiting input, paints and ticks run before this move is raised.
        const QPointer<XpButton> alive(this);
        QCoreApplication::processEvents();
        if (!alive)
            return ControlError::None;
    }
    emit MouseMove(Button, Shift, X, Y);
    return ControlError::None;
}

ControlError XpButton::OverTimer_Timer() {
    if (QApplication::widgetAt(QCursor::pos()) == this)
        return ControlError::None;
    m_OverTimer->stop();
    g_Hover = 0;
    m_Picture = g_PictureNormal;
    emit MouseOut(g_LastShift);
    RETURN_IF_FAILED(Refresh());
    if (g_Pressed == 1) {
        // Outside, the face looks released; the press holds until the cursor
        // comes back.
        g_Pressed = 0;
        RETURN_IF_FAILED(Refresh());
        g_Pressed = 1;
    }
    return ControlError::None;
}

ControlError XpButton::UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X,
                                           float& Y) {
    g_Pressed = 0;
    if (Button != 2) {
        RETURN_IF_FAILED(Refresh());
        if (X >= 0 && X < ScaleWidth() && Y >= 0 && Y < ScaleHeight()) {
            const QPointer<XpButton> alive(this);
            emit Click();
            if (!alive)
                return ControlError::None;
            RETURN_IF_FAILED(GoToURL());
        }
    }
    emit MouseUp(Button, Shift, X, Y);
    return ControlError::None;
}

ControlError XpButton::UserControl_DblClick() {
    // The mouse is already captured: the second press, which arrives just
    // before this, gave the button Qt's implicit grab, so the release that
    // follows reaches it wherever it happens.
    return UserControl_MouseDown(g_LastButton, g_LastShift, g_LastX, g_LastY);
}

ControlError XpButton::UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    if (g_KeyLatch == 0) {
        if (KeyCode == 32) {
            g_Pressed = 1;
            g_Hover = 1;
            RETURN_IF_FAILED(Refresh());
        }
        g_KeyLatch = 1;
    }
    emit KeyDown(KeyCode, Shift);
    return ControlError::None;
}

ControlError XpButton::UserControl_KeyPress(std::int16_t& KeyAscii) {
    emit KeyPress(KeyAscii);
    return ControlError::None;
}

ControlError XpButton::UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    if (KeyCode == 32) {
        g_Pressed = 0;
        g_Hover = 0;
        RETURN_IF_FAILED(Refresh());
        std::int16_t button = 1;
        float x = 0;
        float y = 0;
        const QPointer<XpButton> alive(this);
        RETURN_IF_FAILED(UserControl_MouseUp(button, Shift, x, y));
        if (!alive)
            return ControlError::None;
    }
    g_KeyLatch = 0;
    emit KeyUp(KeyCode, Shift);
    return ControlError::None;
}

ControlError XpButton::UserControl_EnterFocus() {
    g_HasFocus = 1;
    return Refresh();
}

ControlError XpButton::UserControl_ExitFocus() {
    g_HasFocus = 0;
    g_Pressed = 0;
    return Refresh();
}

void XpButton::UserControl_AccessKeyPress(std::int16_t& KeyAscii) {
    Q_UNUSED(KeyAscii);
    press();
}

void XpButton::UserControl_AmbientChanged(const QString& PropertyName) {
    Q_UNUSED(PropertyName);
    report(Refresh());
}

ControlError XpButton::UserControl_Resize() {
    if (ScaleWidth() < 10)
        setWidth(150);
    if (ScaleHeight() < 10)
        setHeight(150);
    g_Width = wholePixels(ScaleWidth());
    g_Height = wholePixels(ScaleHeight());
    g_FocusRect = focusRectFor(ScaleWidth(), ScaleHeight());
    if (m_ButtonStyle == 3) {
        g_Region = roundedWindowRegion(g_Width, g_Height);
        setMask(g_Region);
    } else if (!g_Region.isEmpty()) {
        // Another style gets the plain rectangle back.
        g_Region = QRegion();
        clearMask();
    }
    return Refresh();
}

// Qt's events, translated onto the entry points.

void XpButton::run(const std::function<ControlError()>& entry) {
    // A handler of the host may delete the button.
    const QPointer<XpButton> alive(this);
    const ControlError error = entry();
    if (alive)
        report(error);
}

void XpButton::runMouse(MouseEntry entry, std::int16_t button, const QMouseEvent& event) {
    std::int16_t shift = shiftCode(event.modifiers());
    float x = static_cast<float>(event.position().x());
    float y = static_cast<float>(event.position().y());
    run([&] { return (this->*entry)(button, shift, x, y); });
}

void XpButton::mousePressEvent(QMouseEvent* event) {
    // The second press of a double click arrives again as the double click.
    if (event->flags().testFlag(Qt::MouseEventCreatedDoubleClick))
        return;
    runMouse(&XpButton::UserControl_MouseDown, mouseButtonCode(event->button()), *event);
}

void XpButton::mouseMoveEvent(QMouseEvent* event) {
    runMouse(&XpButton::UserControl_MouseMove, mouseButtonsCode(event->buttons()), *event);
}

void XpButton::mouseReleaseEvent(QMouseEvent* event) {
    runMouse(&XpButton::UserControl_MouseUp, mouseButtonCode(event->button()), *event);
}

void XpButton::mouseDoubleClickEvent(QMouseEvent*) {
    run([this] { return UserControl_DblClick(); });
}

void XpButton::keyPressEvent(QKeyEvent* event) {
    std::int16_t code = keyCode(event->key(), event->modifiers());
    std::int16_t shift = shiftCode(event->modifiers());
    // With Alt held a key types nothing.
    std::int16_t ascii = event->modifiers().testFlag(Qt::AltModifier) ? 0 : keyAscii(*event);
    const QPointer<XpButton> alive(this);
    run([&] {
        const ControlError error = UserControl_KeyDown(code, shift);
        if (!alive || error != ControlError::None || ascii == 0)
            return error;
        return UserControl_KeyPress(ascii);
    });
    // The button has raised its events; Esc also goes on to the window, so
    // that a dialog closes from its buttons as from its other controls.
    if (alive && event->key() == Qt::Key_Escape)
        event->ignore();
}

void XpButton::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its key down only.
    if (event->isAutoRepeat())
        return;
    std::int16_t code = keyCode(event->key(), event->modifiers());
    std::int16_t shift = shiftCode(event->modifiers());
    run([&] { return UserControl_KeyUp(code, shift); });
}

void XpButton::focusInEvent(QFocusEvent*) {
    report(UserControl_EnterFocus());
}

void XpButton::focusOutEvent(QFocusEvent*) {
    // Whatever takes the focus, another window or another program too: the
    // key or button that pressed this one goes up there, never here.
    report(UserControl_ExitFocus());
}

void XpButton::resizeEvent(QResizeEvent* event) {
    ControlBase::resizeEvent(event);
    report(UserControl_Resize());
}
