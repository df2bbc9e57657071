#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVector>

// Arithmetic of the grid's layout, kept apart from the widget so it can be
// checked on its own. A "track" is a row or a column; sizes are in pixels.
// The fixed rows stay at the top of the view, everything else scrolls.

// A width or height in twips as drawn: 15 twips to a pixel, truncated, so a
// 1-twip column takes no pixel at all. Never negative.
int gridPixels(int twips);

// Where a track starts: the sum of the sizes before it.
int trackStart(const QVector<int>& sizes, int index);
int trackTotal(const QVector<int>& sizes);
// Where every track starts in the view when the content is scrolled by offset.
QVector<int> trackStarts(const QVector<int>& sizes, int offset);
// The track that covers pos (start <= pos < start + size), or -1. A track of
// size 0 covers nothing.
int trackAt(const QVector<int>& sizes, int pos);

// Scroll bar maximum: how far the content can move so that its last pixel
// sits at the edge of the view.
int scrollMaximum(int contentSize, int viewportSize);

struct GridHit {
    int row = -1;
    int col = -1;
};

// The cell under a viewport point, given the scroll offsets. row or col is -1
// where the point is past the last row or column.
GridHit gridHitTest(const QVector<int>& rowHeights, const QVector<int>& colWidths, int fixedRows,
                    QPoint scroll, QPoint viewportPoint);

// Each cell draws its grid line on its own last column and row of pixels;
// the rest is the cell's face.
QRect cellInterior(const QRect& cell);

// Where a cell picture goes. Alignment 0-8: left, centre, right columns
// (0-2, 3-5, 6-8), each top, centre, bottom. Anything else: left, top.
QRect pictureRect(const QRect& interior, const QSize& picture, int alignment);

// The keys that move the current row.
enum class GridMove { Up, Down, PageUp, PageDown, Home, End };

// The data row a move goes to from `current`, among the rows from fixedRows
// to the last. A page is as many whole rows as fit in pageHeight, at least
// one. A current row among the fixed rows moves to the first data row. -1
// when there are no data rows.
int movedRow(const QVector<int>& rowHeights, int fixedRows, int current, GridMove move,
             int pageHeight);

// The scroll offset that shows `row` whole below the fixed rows of a view
// viewHeight high, moving the content as little as possible from `scroll`.
int scrollShowing(const QVector<int>& rowHeights, int fixedRows, int row, int scroll,
                  int viewHeight);
