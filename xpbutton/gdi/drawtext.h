#pragma once

#include "xpbutton/gdi/devicecontext.h"

#include <QString>

// Text format flags the button uses.
enum DrawTextFlag : unsigned {
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
};

// Draws or measures text in the context's font and text colour, with a
// transparent background: only the glyphs are painted, without smoothing.
// Characters are placed at whole-pixel advances without kerning; lines are
// the font's height apart; "&" underlines the next character and "&&" shows
// one "&" unless DT_NOPREFIX is given. Margins (when params is given) are in
// units of the font's average character width. With DT_WORDBREAK lines break
// at spaces; a word wider than the line stands alone and is not broken.
// DT_VCENTER and DT_BOTTOM only apply to DT_SINGLELINE. Unless DT_NOCLIP is
// given the glyphs are clipped to the rectangle.
// DT_CALCRECT draws nothing and sets right and bottom so that the rectangle
// just holds the text and the margins, keeping left and top.
// `count` characters of the text are used (all of it when negative).
// Returns the height of the text.
int DrawTextExA(DeviceContext& dc, const QString& text, int count, WinRect& rect, unsigned flags,
                TextParams* params);

// The text as the desktop's ANSI code page (Windows-1252) can hold it: each
// character it lacks becomes "?".
QString toAnsiText(const QString& text);

// The font the context draws text with: the context's font, unsmoothed.
QFont textFont(const DeviceContext& dc);
