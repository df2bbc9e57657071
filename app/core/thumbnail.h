#pragma once

#include <cstdint>

class FileList;
class PictureBox;
class QProgressBar;

// The main window's controls the scaler always uses, whoever calls it.
struct ThumbnailEnv {
    FileList& File1;
    QProgressBar& ProgressBar1;
};

// Copies the picture of source into target at width x height pixels by
// sampling one source pixel per target pixel, without averaging. Preview mode
// sizes target 329 x 329, fills it with its own background colour and draws
// the picture centred, with the progress bar showing the rows. Plain mode
// sizes target width x height and paints nothing but the sampled pixels.
// Afterwards target's drawing is its picture and target is visible. The file
// list is disabled meanwhile. A width or height below 1 draws nothing.
void thumbnail(std::int16_t width, std::int16_t height, PictureBox& source, PictureBox& target,
               bool preview, const ThumbnailEnv& env);
