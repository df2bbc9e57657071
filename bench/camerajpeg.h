#pragma once

#include <QByteArray>

// What a camera photo looks like to the decoder: smooth (sky, skin, walls:
// small files) or noisy (high sensitivity, foliage: large files), written
// baseline or progressive.
enum class Content { Smooth, Noisy };
enum class Coding { Baseline, Progressive };

// A JPEG of width x height pixels, 4:2:0 at quality 92, as cameras write
// them; seed varies the picture. Empty when the encoder fails.
QByteArray cameraJpeg(int width, int height, Content content, Coding coding, unsigned seed);
