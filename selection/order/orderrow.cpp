#include "selection/order/orderrow.h"

#include <algorithm>

bool samePicture(const QImage& a, const QImage& b) {
    return a.cacheKey() == b.cacheKey() || a == b;
}

bool OrderRow::operator==(const OrderRow& other) const {
    return file == other.file && copies == other.copies && size == other.size &&
           samePicture(thumbnail, other.thumbnail) &&
           samePicture(copiesPicture, other.copiesPicture);
}

OrderRows sliceRows(const OrderRows& rows, int from, int to) {
    return rows.mid(from, std::max(0, to - from));
}
