#pragma once

#include <Qt>

#include <cstdint>

class QKeyEvent;

// Input as the design's event arguments number it.

// Mouse buttons: 1 left, 2 right, 4 middle; 0 for any other.
std::int16_t mouseButtonCode(Qt::MouseButton button);
// Buttons held, as a bit set of the codes above.
std::int16_t mouseButtonsCode(Qt::MouseButtons buttons);
// Shift 1, Ctrl 2, Alt 4.
std::int16_t shiftCode(Qt::KeyboardModifiers modifiers);
// The platform's virtual key code of a key (32 Space, 65 A, 112 F1, ...);
// 0 for a key it has no code for.
std::int16_t keyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The character a key press types, as 8-bit text (63 "?" for one outside
// it); 0 when it types none.
std::int16_t keyAscii(const QKeyEvent& event);
