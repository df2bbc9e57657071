#pragma once

#include "platform/host/olepicture.h"
#include "xpbutton/gdi/gditypes.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

// Everything a refresh reads: the button's properties, its state flags and
// what the host can tell about it. The widget gathers this; the drawing code
// never reaches back into the widget.
struct ButtonState {
    // Properties.
    std::int32_t ButtonStyle = 2;
    ColorValue BackColor = 0x8000000F;
    ColorValue ForeColor = 0x80000012;
    std::int16_t BEVEL = 1;
    std::int16_t BEVELDEPTH = 8;
    bool TransparentBG = false;
    bool XPDefaultColors = true;
    ColorValue XPColor_Hover = 0x80000016;
    ColorValue XPColor_Pressed = 0x80000014;
    bool XPShowBorderAlways = false;
    bool ShowFocusRect = true;
    bool Enabled = true;
    QString Caption;
    std::int32_t PicturePosition = 1;
    PicturePtr Picture; // null: no picture
    std::int32_t PictureWidth = 32;
    std::int32_t PictureHeight = 32;
    std::int32_t OriginalPicSizeW = 0;
    std::int32_t OriginalPicSizeH = 0;
    ColorValue MaskColor = 0;
    QFont Font;

    // State flags, each 0 or 1.
    std::uint8_t g_HasFocus = 0;
    std::uint8_t g_Pressed = 0;
    std::uint8_t g_Hover = 0;
    std::int32_t g_Width = 0;
    std::int32_t g_Height = 0;
    WinRect g_FocusRect;

    // The base's client size in pixels (ScaleWidth, ScaleHeight).
    double ScaleWidth = 0;
    double ScaleHeight = 0;

    // What the host answers; an empty optional means it could not answer.
    std::optional<bool> UserMode = true;
    std::optional<bool> ExtenderDefault = false;
    // The button's place in its parent, in pixels, and the parent's
    // background picture (null when it has none).
    std::optional<QPoint> PositionInParent;
    QImage ParentPicture;
};

// State a refresh keeps for the next one: rectangles it does not recompute
// keep their values, and style 2 changes the face colour.
struct ButtonDrawState {
    ColorValue FaceColor = 0x8000000F; // the base's own BackColor
    ColorValue BaseForeColor = 0x80000012;
    WinRect g_ClientRect;
    WinRect g_InnerRect;
    WinRect g_PictureRect;
    WinRect g_CaptionRect;
    WinRect g_SavedRect;
    TextParams g_TextParams;
};

// What went wrong in a refresh, for the caller of Refresh.
enum class RefreshError { None, Overflow };
