#pragma once

#include "app/core/progress.h"

class PictureBox;

// What the turn always uses, whichever boxes it is given: the preview, whose
// place it turns around, and what shows its progress (column x of the
// source's width, 0 to the width both included).
struct RotationEnv {
    PictureBox& Image11;
    Progress progress{};
};

// Turns the picture shown in source a quarter turn clockwise by way of the
// white back buffer: every point that is neither white nor outside the
// picture is drawn at its turned place, then the back buffer becomes
// source's drawing and is cleared again.
void rotate_pict(PictureBox& source, PictureBox& backBuffer, bool showProgress,
                 const RotationEnv& env);

// The rotate icon: swaps the preview's width and height, then turns it,
// showing progress.
void rotatePreview(PictureBox& Image11, PictureBox& image110, const Progress& progress);
