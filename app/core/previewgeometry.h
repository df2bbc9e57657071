#pragma once

#include <QPoint>

#include <cstdint>

// The preview box is this many pixels square.
constexpr int kPreviewSide = 329;

// The size a picture is drawn at in the preview: its long side 1967/6 pixels
// (328 once whole), its short side in proportion, never less than 1 pixel.
struct PreviewSize {
    std::int16_t width = 0;
    std::int16_t height = 0;
};

// At a device pixel ratio, the long side is 1967/6 times the ratio.
PreviewSize previewSize(int pictureWidth, int pictureHeight, double ratio = 1);

// Every preview size fits in this: a picture decoded at least this large in
// both directions is never smaller than its preview.
constexpr int kPreviewLongSide = 328;

// Where the scaler starts drawing a picture width x height pixels: centred in
// a square of the long side in preview mode, else at the top-left corner.
QPoint drawingOrigin(std::int16_t width, std::int16_t height, bool preview);
