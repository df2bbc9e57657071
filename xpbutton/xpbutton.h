#pragma once

#include "platform/host/controlbase.h"
#include "platform/host/propertybag.h"
#include "xpbutton/face/buttonstate.h"

#include <QRegion>

#include <cstdint>
#include <functional>

class QTimer;

// The program's owner-drawn push button.
//
// Setters that can fail return the error instead of throwing; what a setter
// stored before the failing step stays stored. Entry points driven by Qt's
// events (mouse, keys, focus, resize, timer, access key) report a failure
// through errorRaised() and skip their remaining steps.
//
// Events are Qt signals whose arguments are non-const references, so a
// handler can change them as the platform's by-reference arguments allow.
// That works with direct connections only (the default for a button and
// its window on the one thread); QSignalSpy cannot record them.
class XpButton : public ControlBase {
    Q_OBJECT
public:
    // Creation: pixels as the scale, pointer kind 99, every value zero.
    explicit XpButton(QWidget* parent = nullptr);
    ~XpButton() override;

    // Entry points of the container.
    // A new instance placed by a designer.
    void InitProperties();
    // Loading a saved instance; ends at the first value that does not fit,
    // whose key goes to *failedKey.
    ControlError ReadProperties(const PropertyBag& PropBag, QString* failedKey = nullptr);
    // Saving: stores what differs from the defaults.
    void WriteProperties(PropertyBag& PropBag) const;

    // Public members, in their declared order.
    ControlError Refresh();
    bool Enabled() const;
    ControlError setEnabled(bool value);
    // The caption font object; assigning copies six attributes into it.
    FontPtr Font() const { return g_Font; }
    ControlError setFont(const FontPtr& font);
    // Identifies the window; no native window is forced into existence.
    quintptr hwnd() const;
    std::int16_t MousePointer() const { return baseMousePointer(); }
    // Overflow for a value outside 16 bits, before the base is touched.
    ControlError setMousePointer(std::int32_t value);
    PicturePtr MouseIcon() const { return baseMouseIcon(); }
    void setMouseIcon(const PicturePtr& icon);
    bool ShowFocusRect() const { return m_ShowFocusRect; }
    ControlError setShowFocusRect(bool value);
    // "mailto:" addresses go to the shell's open, others to the hyperlink
    // navigation, "" nowhere.
    ControlError GoToURL();
    QString URL() const { return m_URL; }
    void setURL(const QString& value);
    QString Caption() const { return m_Caption; }
    ControlError setCaption(const QString& value);
    std::int32_t ButtonStyle() const { return m_ButtonStyle; }
    ControlError setButtonStyle(std::int32_t value);
    std::int32_t PicturePosition() const { return m_PicturePosition; }
    ControlError setPicturePosition(std::int32_t value);
    // The picture drawn now: the hover picture while it is shown.
    PicturePtr Picture() const { return m_Picture; }
    ControlError setPicture(const PicturePtr& picture);
    std::int32_t PictureWidth() const { return m_PictureWidth; }
    ControlError setPictureWidth(std::int32_t value);
    std::int32_t PictureHeight() const { return m_PictureHeight; }
    ControlError setPictureHeight(std::int32_t value);
    std::int32_t PictureSize() const { return m_PictureSize; }
    ControlError setPictureSize(std::int32_t value);
    PicturePtr PictureHover() const { return m_PictureHover; }
    void setPictureHover(const PicturePtr& picture);
    ColorValue XPColor_Pressed() const { return m_XPColor_Pressed; }
    void setXPColor_Pressed(ColorValue value);
    ColorValue XPColor_Hover() const { return m_XPColor_Hover; }
    void setXPColor_Hover(ColorValue value);
    bool XPDefaultColors() const { return m_XPDefaultColors; }
    void setXPDefaultColors(bool value);
    ColorValue BackColor() const { return m_BackColor; }
    ControlError setBackColor(ColorValue value);
    ColorValue ForeColor() const { return m_ForeColor; }
    ControlError setForeColor(ColorValue value);
    // The base's Tag; assigning does nothing at all.
    QString version() const { return Tag(); }
    void setVersion(const QString& value);
    bool DefCurHand() const { return m_DefCurHand; }
    void setDefCurHand(bool value);
    bool XPShowBorderAlways() const { return m_XPShowBorderAlways; }
    void setXPShowBorderAlways(bool value);
    ColorValue MaskColor() const { return m_MaskColor; }
    ControlError setMaskColor(ColorValue value);
    bool TransparentBG() const { return m_TransparentBG; }
    ControlError setTransparentBG(bool value);
    std::int16_t BEVEL() const { return m_BEVEL; }
    ControlError setBEVEL(std::int16_t value);
    std::int16_t BEVELDEPTH() const { return m_BEVELDEPTH; }
    ControlError setBEVELDEPTH(std::int16_t value);

    // Stored values without a public property, and the inner state, for
    // hosts and tests that look.
    std::int32_t OriginalPicSizeW() const { return m_OriginalPicSizeW; }
    std::int32_t OriginalPicSizeH() const { return m_OriginalPicSizeH; }
    PicturePtr PictureNormal() const { return g_PictureNormal; }
    PicturePtr imgHAND() const { return m_imgHAND; }
    QTimer* OverTimer() const { return m_OverTimer; }
    bool keyLatch() const { return g_KeyLatch != 0; }
    // The window region last built for style 3 (empty when none is set).
    QRegion windowRegion() const { return g_Region; }
    bool pressed() const { return g_Pressed != 0; }
    bool hovered() const { return g_Hover != 0; }
    // What a click does, for assistive technology: raises Click and opens
    // the address, as the access key does; nothing while disabled.
    void press();
    // What the last refresh drew, at the device pixel ratio of the screen
    // the button is on (above 1; at 1 it is the surface itself).
    QImage sharpSurface(qreal ratio);

    // What a refresh would draw now, and what the last one drew.
    ButtonState currentState() const;
    const ButtonState& lastDrawnState() const { return m_lastDrawn; }
    quint64 refreshCount() const { return m_refreshCount; }

signals:
    void Click();
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
    void KeyPress(std::int16_t& KeyAscii);
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
    void MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void MouseIn(std::int16_t& Shift);
    void MouseOut(std::int16_t& Shift);

protected:
    // Entry points; Qt's events are translated onto them.
    ControlError UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X,
                                       float& Y);
    ControlError UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X,
                                       float& Y);
    ControlError UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    ControlError UserControl_DblClick();
    ControlError UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
    ControlError UserControl_KeyPress(std::int16_t& KeyAscii);
    ControlError UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
    ControlError UserControl_EnterFocus();
    ControlError UserControl_ExitFocus();
    ControlError UserControl_Resize();
    ControlError OverTimer_Timer();
    void UserControl_AccessKeyPress(std::int16_t& KeyAscii) override;
    void UserControl_AmbientChanged(const QString& PropertyName) override;

    QCursor customPointer() const override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // g_Font is replaced on loading; its change reports follow it.
    void adoptFont(const FontPtr& font);
    void g_Font_FontChanged(const QString& PropertyName);
    void report(ControlError error);
    // The common setters: store, notify, and redraw or not.
    template <typename T> void store(T& field, const T& value, const char* name);
    template <typename T> ControlError storeAndRedraw(T& field, const T& value, const char* name);
    // Runs an entry point for one of Qt's events and reports its failure.
    void run(const std::function<ControlError()>& entry);
    using MouseEntry = ControlError (XpButton::*)(std::int16_t&, std::int16_t&, float&, float&);
    void runMouse(MouseEntry entry, std::int16_t button, const QMouseEvent& event);
    void applyHand();
    // Screen readers (xpbuttonaccessible.cpp): the button's view of itself
    // for them, registered once with Qt, and what it tells them changed.
    static void installAccessibility();
    // The pressed state, when it changed since they were last told.
    void announcePressed();
    void announceName();

    // Stored values.
    QString m_Caption;
    std::int32_t m_PicturePosition = 0;
    std::int32_t m_ButtonStyle = 0;
    PicturePtr m_Picture;
    std::int32_t m_PictureWidth = 0;
    std::int32_t m_PictureHeight = 0;
    std::int32_t m_PictureSize = 0;
    std::int32_t m_OriginalPicSizeW = 0;
    std::int32_t m_OriginalPicSizeH = 0;
    PicturePtr m_PictureHover;
    PicturePtr g_PictureNormal;
    QString m_URL;
    bool m_ShowFocusRect = false;
    std::int16_t m_BEVEL = 0;
    std::int16_t m_BEVELDEPTH = 0;
    bool m_TransparentBG = false;
    ColorValue m_MaskColor = 0;
    bool m_XPShowBorderAlways = false;
    bool m_DefCurHand = false;
    ColorValue m_ForeColor = 0;
    ColorValue m_BackColor = 0;
    bool m_XPDefaultColors = false;
    ColorValue m_XPColor_Pressed = 0;
    ColorValue m_XPColor_Hover = 0;
    FontPtr g_Font;

    // Private state.
    std::uint8_t g_HasFocus = 0;
    std::uint8_t g_Pressed = 0;
    std::uint8_t g_Hover = 0;
    std::uint8_t g_KeyLatch = 0;
    std::int16_t g_LastButton = 0;
    std::int16_t g_LastShift = 0;
    float g_LastX = 0;
    float g_LastY = 0;
    std::int32_t g_Width = 0;
    std::int32_t g_Height = 0;
    WinRect g_FocusRect;
    QRegion g_Region;

    // Children: the hover timer and the hand cursor's picture (kept outside
    // the face, so it is a picture only).
    QTimer* m_OverTimer = nullptr;
    PicturePtr m_imgHAND;

    ButtonDrawState m_draw;
    ButtonState m_lastDrawn;
    // The drawing state the last refresh started from, so that it can be
    // drawn again at the device's pixels.
    ButtonDrawState m_drawBeforeLast;
    quint64 m_refreshCount = 0;
    QImage m_sharp;
    quint64 m_sharpOfRefresh = 0;
    bool m_announcedPressed = false;
    bool m_handFallback = false; // the hand was asked for but has no picture
};
