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

// Copies the picture of source into target at width x height by sampling one
// source pixel per target pixel. Preview mode draws it centred in a 329 x 329
// target over the target's background, with the progress bar.
void thumbnail(std::int16_t width, std::int16_t height, PictureBox& source, PictureBox& target,
               bool preview, const ThumbnailEnv& env);
