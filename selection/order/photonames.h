#pragma once

#include <QString>
#include <QStringList>

// The names of photo files, one list for the whole program: what the file
// list shows is what a drop adds. Letter case does not count.

// "*.jpg", "*.jpeg", "*.jpe", then the other kinds of photo: HEIF and AVIF,
// PNG, WebP, TIFF.
QStringList photoPatterns();

// Whether the file name ends in one of them.
bool isPhotoName(const QString& path);
