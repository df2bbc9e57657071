#pragma once

#include "app/core/sampling.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

// A photo in a box of another shape keeps its own: the largest drawing of
// its shape that fits, centred, the rest of the box white. A photo of the
// box's shape fills it, as a stretch would.

// The size drawn: each side rounded to the nearest (a half to the even
// neighbour), at least 1, never past the box. An empty picture fills the
// box.
QSize fittedSize(QSize picture, QSize box);

// Where the drawing starts in the box: the halved differences, truncated,
// as the preview centres.
QPoint fittedOrigin(QSize picture, QSize box);

// The scaler's samples of a picture of trueSize at its fitted size.
Samples sampleFitted(const QImage& pixels, QSize trueSize, const SampleGrid& kept, QSize box);

// The box drawn: white, and samples (of a picture of samples.trueSize) at
// fittedOrigin. Samples enlarged short of their size start there too.
QImage fittedDrawing(const Samples& samples, QSize box);

// A part of a picture of `picture` pixels as it shows where the picture is
// drawn: each edge at the nearest pixel, so parts side by side meet.
QRect shownPart(const QRect& part, QSize picture, const QRect& drawn);
