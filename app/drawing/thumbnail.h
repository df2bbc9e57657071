#pragma once

#include "app/core/progress.h"

#include <cstdint>

class FileList;
class PictureBox;
struct Samples;

// What the scaler always uses, whoever calls it: the main window's file list,
// and what shows a preview's progress.
struct ThumbnailEnv {
    FileList& File1;
    Progress progress{};
};

// Copies the picture of source into target at width x height pixels by
// sampling one source pixel per target pixel, without averaging. Preview mode
// sizes target 329 x 329, fills it with its own background colour and draws
// the picture centred, reporting for each drawn row the picture row it was
// sampled from (rounded half to even) of the true height - 1. Plain mode
// sizes target width x height and paints nothing but the sampled pixels.
// Afterwards target's drawing is its picture and target is visible. The file
// list is disabled meanwhile. A width or height below 1 draws nothing.
// Sampling works in the source's scale, its picture's true size.
void thumbnail(std::int16_t width, std::int16_t height, PictureBox& source, PictureBox& target,
               bool preview, const ThumbnailEnv& env);

// The same with the samples taken beforehand (samplePicture at width x height).
void thumbnail(const Samples& samples, std::int16_t width, std::int16_t height, PictureBox& target,
               bool preview, const ThumbnailEnv& env);

// Plain mode for a caller that keeps no eye on the file list and the target's
// visibility: target is sized width x height, the samples are drawn into what
// it showed, the drawing becomes its picture, and target stays as visible as
// it was.
void drawPlainThumbnail(const Samples& samples, std::int16_t width, std::int16_t height,
                        PictureBox& target);
