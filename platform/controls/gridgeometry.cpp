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

namespace {

// How many rows from `from` on, in the direction `step`, fit whole in height.
int rowsFitting(const QVector<int>& heights, int from, int step, int last, int height) {
    int rows = 0;
    for (int r = from; r != last + step && height >= heights[r]; r += step) {
        height -= heights[r];
        ++rows;
    }
    return rows;
}

} // namespace

int movedRow(const QVector<int>& rowHeights, int fixedRows, int current, GridMove move,
             int pageHeight) {
    const int first = std::max(0, fixedRows);
    const int last = int(rowHeights.size()) - 1;
    if (last < first)
        return -1;
    if (current < first)
        return first;
    current = std::min(current, last);
    switch (move) {
    case GridMove::Up:
        return std::max(first, current - 1);
    case GridMove::Down:
        return std::min(last, current + 1);
    case GridMove::PageUp:
        return current == first
                   ? first
                   : current -
                         std::max(1, rowsFitting(rowHeights, current - 1, -1, first, pageHeight));
    case GridMove::PageDown:
        return current == last
                   ? last
                   : current +
                         std::max(1, rowsFitting(rowHeights, current + 1, 1, last, pageHeight));
    case GridMove::Home:
        return first;
    case GridMove::End:
        return last;
    }
    return current;
}

int scrollShowing(const QVector<int>& rowHeights, int fixedRows, int row, int scroll,
                  int viewHeight) {
    if (row < fixedRows || row >= rowHeights.size())
        return scroll;
    const int fixedHeight = trackStart(rowHeights, fixedRows);
    // In content coordinates, scrolled rows sit at their start less the scroll.
    const int top = trackStart(rowHeights, row);
    const int bottom = top + rowHeights[row];
    if (top - scroll < fixedHeight)
        return std::max(0, top - fixedHeight);
    if (bottom - scroll > viewHeight)
        return std::min(bottom - viewHeight, top - fixedHeight);
    return scroll;
}
