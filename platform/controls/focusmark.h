#pragma once

#include <QRect>

class QPainter;
class QWidget;

// The dotted mark of the control that has the keyboard: every other pixel of
// a rectangle one pixel inside the box, inverted so that it shows on any
// picture, as the lists mark their current item.

// The rectangle whose outline is marked, inside a box of the given size.
QRect focusMarkRect(const QRect& box);
// Whether the pixel (x, y) of the outline of `outline` is one of its dots:
// every other pixel, starting at the top-left corner.
bool isFocusDot(const QRect& outline, int x, int y);
// Inverts the dots of the mark of `box` on what is painted already; above a
// device pixel ratio of 1, dots of one device pixel, the ratio's whole
// pixels inside the box.
void paintFocusMark(QPainter& painter, const QRect& box);
// Whether `widget` is to show the mark now: it has the keyboard in the
// active window.
bool showsFocusMark(const QWidget& widget);
