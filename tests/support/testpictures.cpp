#include "tests/support/testpictures.h"

#include <QImageWriter>

QImage coordinatePicture(int width, int height) {
    return patternPicture(width, height, [](int x, int y) {
        return qRgb(x % 256, y % 256, (x / 256) * 16 + (y / 256));
    });
}

QImage patternPicture(int width, int height, const std::function<QRgb(int, int)>& pixel) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixel(x, y));
    return image;
}

bool writeJpeg(const QImage& image, const QString& path, int quality) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(quality);
    return writer.write(image);
}

bool writeBitmap(const QImage& image, const QString& path) {
    QImageWriter writer(path, "bmp");
    return writer.write(image);
}

int colourValue(QRgb rgb) {
    return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
}

int differing(const QImage& got, const QImage& want) {
    if (got.size() != want.size())
        return want.width() * want.height() + 1;
    int n = 0;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            n += (got.pixel(x, y) & 0xFFFFFF) != (want.pixel(x, y) & 0xFFFFFF);
    return n;
}
