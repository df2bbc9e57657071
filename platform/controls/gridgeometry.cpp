#include "platform/controls/gridgeometry.h"

#include "platform/units/twips.h"

#include <algorithm>

int gridPixels(int twips) {
    return std::max(0, twipsToPixels(twips));
}

int trackStart(const QVector<int>& sizes, int index) {
    const int end = std::clamp(index, 0, int(sizes.size()));
    int start = 0;
    for (int i = 0; i < end; ++i)
        start += sizes[i];
    return start;
}

int trackTotal(const QVector<int>& sizes) {
    return trackStart(sizes, int(sizes.size()));
}

QVector<int> trackStarts(const QVector<int>& sizes, int offset) {
    QVector<int> starts(sizes.size());
    int start = -offset;
    for (int i = 0; i < sizes.size(); ++i) {
        starts[i] = start;
        start += sizes[i];
    }
    return starts;
}

int trackAt(const QVector<int>& sizes, int pos) {
    if (pos < 0)
        return -1;
    int start = 0;
    for (int i = 0; i < sizes.size(); ++i) {
        if (pos < start + sizes[i])
            return i;
        start += sizes[i];
    }
    return -1;
}

int scrollMaximum(int contentSize, int viewportSize) {
    return std::max(0, contentSize - viewportSize);
}

GridHit gridHitTest(const QVector<int>& rowHeights, const QVector<int>& colWidths, int fixedRows,
                    QPoint scroll, QPoint viewportPoint) {
    GridHit hit;
    if (viewportPoint.x() < 0 || viewportPoint.y() < 0)
        return hit;
    hit.col = trackAt(colWidths, viewportPoint.x() + scroll.x());
    const int fixedHeight = trackStart(rowHeights, fixedRows);
    if (viewportPoint.y() < fixedHeight) {
        hit.row = trackAt(rowHeights, viewportPoint.y());
    } else {
        hit.row = trackAt(rowHeights, viewportPoint.y() + scroll.y());
        // A scrolled row that slid under the fixed rows cannot be hit there.
        if (hit.row >= 0 && hit.row < fixedRows)
            hit.row = -1;
    }
    return hit;
}

QRect cellInterior(const QRect& cell) {
    return QRect(cell.x(), cell.y(), std::max(0, cell.width() - 1), std::max(0, cell.height() - 1));
}

QRect pictureRect(const QRect& interior, const QSize& picture, int alignment) {
    if (alignment < 0 || alignment > 8)
        alignment = 0;
    const int horizontal = alignment / 3; // 0 left, 1 centre, 2 right
    const int vertical = alignment % 3;   // 0 top, 1 centre, 2 bottom
    const int spareX = interior.width() - picture.width();
    const int spareY = interior.height() - picture.height();
    const int x = interior.x() + (horizontal == 0 ? 0 : horizontal == 1 ? spareX / 2 : spareX);
    const int y = interior.y() + (vertical == 0 ? 0 : vertical == 1 ? spareY / 2 : spareY);
    return QRect(QPoint(x, y), picture);
}
