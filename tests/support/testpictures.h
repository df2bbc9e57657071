#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>

// A picture whose every pixel tells where it came from: red = x % 256,
// green = y % 256, blue = (x / 256) * 16 + (y / 256) (for sampling tests).
QImage coordinatePicture(int width, int height);
// A picture painted by a function of (x, y).
QImage patternPicture(int width, int height, const std::function<QRgb(int, int)>& pixel);
// Writes a JPEG at the given quality (100 by default); false on failure.
bool writeJpeg(const QImage& image, const QString& path, int quality = 100);
// Writes a lossless picture file (BMP) that the program loads exactly.
bool writeBitmap(const QImage& image, const QString& path);
// How many pixels of got differ from want in colour (alpha aside); a size
// that differs counts every pixel and one more.
int differing(const QImage& got, const QImage& want);
// 0x00BBGGRR of a colour, as picture boxes report it.
int colourValue(QRgb rgb);
