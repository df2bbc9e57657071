#include "selection/order/orderrow.h"

bool samePicture(const QImage& a, const QImage& b) {
    return a.cacheKey() == b.cacheKey() || a == b;
}

bool OrderRow::operator==(const OrderRow& other) const {
    return file == other.file && copies == other.copies && size == other.size &&
           framing == other.framing && samePicture(thumbnail, other.thumbnail) &&
           samePicture(copiesPicture, other.copiesPicture);
}
