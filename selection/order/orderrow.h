#pragma once

#include "selection/order/framing.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// One row of the order: what the grid shows of it and what print fit needs.
// Later needs of a row are fields here.
struct OrderRow {
    QString file;
    QString copies;
    QString size;
    QImage thumbnail;     // the 40 x 30 picture of the photo column
    QImage copiesPicture; // the copies column's: the marker of a "0" row after an open
    QSize pixels;         // the photo's, for print fit; empty when it could not be loaded
    Framing framing{};    // how it goes on the paper; the default is never stored
    // Pixel sizes aside: a row put back is the same row.
    bool operator==(const OrderRow& other) const;
};
using OrderRows = QList<OrderRow>;

// Pictures shared with the grid compare by their key; others by their pixels.
bool samePicture(const QImage& a, const QImage& b);
