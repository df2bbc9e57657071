#pragma once

#include <QByteArray>

// A HEIC of width x height made as phones make their large photos: a grid
// of 512 x 512 tiles, each coded on its own with libheif's encoder. A few
// distinct tiles of a camera-like picture are laid out in turn (the file
// holds each once; the decoder decodes every tile all the same). Empty when
// the encoder fails.
QByteArray tiledHeic(int width, int height, unsigned seed);
