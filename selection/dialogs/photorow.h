#pragma once

#include "selection/dialogs/orderview.h"
#include "selection/dialogs/rowthumbnails.h"
#include "selection/order/orderrow.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>

// A row's 40 x 30 thumbnail as the scaler draws it into Image12, with the
// photo's pixel size, or why there is none.
struct RowPicture {
    QImage thumbnail;
    QSize pixels;
    QString error; // in words for the user; empty when fine
    bool ok() const { return error.isEmpty(); }
};

// The thumbnail of the photo at path; a photo decoded for it is left in
// the loader.
RowPicture drawRowThumbnail(OrderView& c, const QString& path);
// The same with the thumbnail made beforehand (photoThumbnail).
RowPicture drawRowThumbnail(OrderView& c, const PhotoThumbnail& thumb);
// A picture just read goes into the loader, and the scaler draws it from
// there; samples, when given, get what it drew.
RowPicture drawRowThumbnail(OrderView& c, const PictureRead& picture, Samples* samples = nullptr);

// A photo's new row as adding makes it: "1" copy of "10x15".
OrderRow newPhotoRow(const QString& file, const RowPicture& picture);

// The grid's last row current, on its path column, as the design's walk
// through a new row's cells leaves it.
void showLastRowCurrent(OrderView& c);

// Scrolls the grid to its last row once it holds more than nine photos.
void scrollToLastRowIfNeeded(OrderView& c);
