#pragma once

#include <QRect>

// 15 twips to a pixel, fixed: the windows were designed at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// A designed rectangle (left, top, width, height in twips) in pixels.
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}
