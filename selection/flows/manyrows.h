#pragma once

#include "selection/dialogs/selectioncontrols.h"

#include <QList>
#include <QStringList>

// Big orders in few steps: many photos added, many rows removed or changed at
// once, each one step to undo.

// Adds the photos at paths as rows, in that order, their thumbnails made on
// worker threads while the rows are filled, the loading bar showing. As many
// as fit in the selection are added, and one message says how many were left
// out; photos that cannot be read are named in one message at the end.
void addPhotos(SelectionControls& c, const QStringList& paths);

// The file list's selected photos, in list order, and all its photos.
QStringList selectedListedPhotos(SelectionControls& c);
QStringList allListedPhotos(SelectionControls& c);

// The grid's picked data rows, in ascending order.
QList<int> pickedRows(SelectionControls& c);

// Takes the data rows out in one pass: each row that moves up is written
// once, with the thumbnail it showed.
void removeRows(SelectionControls& c, const QList<int>& rows);

// The row editor on the first of rows; its "Ok" writes what its two boxes
// hold into every one of them. "Remove" there removes the row it shows.
void editRows(SelectionControls& c, const QList<int>& rows);
