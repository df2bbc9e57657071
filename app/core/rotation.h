#pragma once

#include <cstdint>

// A point of the turn, in whole pixels.
struct Point16 {
    std::int16_t x = 0;
    std::int16_t y = 0;
    bool operator==(const Point16&) const = default;
};

// Where the preview sits in the main window, in pixels, and how many rows it
// has. The turn is worked out around it.
struct PreviewPlace {
    double left = 216;
    double top = 112;
    int rows = 329;
};

// The point relative to the preview's top-left corner with y pointing up:
// (x - left, top - y).
Point16 to_local(Point16 p, const PreviewPlace& at);

// Turns p by angle / 90 quarter turns (rounded, halves to even); that number
// is written back into angle. Each turn swaps x and y, then negates the new y
// for direction 0 or the new x for direction 1; any other direction only
// swaps. p is changed in place and also returned.
Point16& turn_point(Point16& p, std::int16_t& angle, int direction);

// Back from local to window coordinates so that a turned point lands a
// quarter turn clockwise inside the preview: (left + (rows - 1 - top) + x,
// top + left - y). At the designed place both offsets are 216.
Point16 to_screen(Point16 p, const PreviewPlace& at);
