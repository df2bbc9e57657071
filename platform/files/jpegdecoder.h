#pragma once

#include "picturefile.h"

#include <QByteArray>

// Decodes the JPEG in bytes as readPictureFile does: upright, keeping only
// the pixels layout asks for, with the library's accurate DCT and its own
// upsampling, so every kept pixel is the full-size decode's.
PictureRead decodeJpeg(const QByteArray& bytes, const SampleLayout& layout, const ReadWatch& watch);

// A decoder's working memory is refused past this: a progressive file keeps
// all its coefficients, two bytes for each sample of every component.
constexpr qint64 kMaxDecoderBytes = qint64(1) << 30;
