#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// One data row of the order as the grid shows it. The pictures are the
// grid's own (shared, not copied), so a row can be put back without reading
// its photo again.
struct OrderRow {
    QString file;
    QString copies;
    QString size;
    QImage thumbnail;     // column 0
    QImage copiesPicture; // column 2: the marker of a "0" row after an open
    QSize pixels;         // the photo's, kept for print fit; not compared
    bool operator==(const OrderRow& other) const;
};
using OrderRows = QList<OrderRow>;

// The order as the window shows it: its rows and the caption over them, which
// before the first change is the design's own "0 Photos Selected".
struct OrderState {
    OrderRows rows;
    QString caption;
    bool operator==(const OrderState& other) const {
        return caption == other.caption && rows == other.rows;
    }
};

// Pictures shared with the grid compare by their key; others by their pixels.
bool samePicture(const QImage& a, const QImage& b);

// The rows from..to - 1 of rows.
OrderRows sliceRows(const OrderRows& rows, int from, int to);
