#pragma once

#include <QImage>
#include <QList>

// A picture made for screens with more device pixels to a pixel comes as
// several images: the 1x one and sharper ones, each carrying its device
// pixel ratio (1.5 for a picture 1.5 times as large). Qt draws an image with
// a ratio at its 1x size.

// The image to draw at a device pixel ratio: of `base` (1x) and `sharper`,
// the one whose ratio is the smallest at or above `ratio`, else the one with
// the largest ratio. `base` at a ratio of 1 or less.
QImage imageForRatio(const QImage& base, const QList<QImage>& sharper, qreal ratio);
