#pragma once

class OrderController;

#include <QList>
#include <QStringList>

// Big orders in few steps: many photos added, many rows removed or changed at
// once, each one step to undo.

// The file list's selected photos, in list order, and all its photos.
QStringList selectedListedPhotos(OrderController& c);
QStringList allListedPhotos(OrderController& c);

// The grid's picked data rows, in ascending order.
QList<int> pickedRows(OrderController& c);

// Takes the data rows out in one pass: each row that moves up is written
// once, with the thumbnail it showed.
void removeRows(OrderController& c, const QList<int>& rows);

// The row editor on the first of rows; its "Ok" writes what its two boxes
// hold into every one of them. "Remove" there removes the row it shows.
void editRows(OrderController& c, const QList<int>& rows);
