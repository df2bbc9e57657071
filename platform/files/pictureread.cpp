#include "platform/files/pictureread.h"

QRgb PictureRead::pixel(int x, int y) const {
    if (kept.empty())
        return image.pixel(x, y);
    return image.pixel(keptIndex(kept.columns, x), keptIndex(kept.rows, y));
}
