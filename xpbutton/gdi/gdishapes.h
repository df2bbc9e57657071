#pragma once

#include "xpbutton/gdi/devicecontext.h"

// Rectangles are (left, top, right, bottom) with right and bottom exclusive.
// Everything is clipped to the context's bitmap.

// Fills the rectangle; an empty or inverted one draws nothing.
bool FillRect(DeviceContext& dc, const WinRect& rect, const Brush& brush);

// A one-pixel outline along the inside of the rectangle: top row, bottom row
// bottom - 1, left column, right column right - 1.
bool FrameRect(DeviceContext& dc, const WinRect& rect, const Brush& brush);

// Moves the pen position; returns the previous one through `previous`.
bool MoveToEx(DeviceContext& dc, int x, int y, QPoint* previous);

// A one-pixel line in the current pen from the pen position to (x, y), which
// becomes the new position. The end point itself is not painted.
bool LineTo(DeviceContext& dc, int x, int y);

bool SetPixelV(DeviceContext& dc, int x, int y, ColorValue rgb);

// The dotted focus outline: every other pixel of the rectangle's outline
// (those where x + y is even) is inverted, so drawing it twice removes it.
bool DrawFocusRect(DeviceContext& dc, const WinRect& rect);
