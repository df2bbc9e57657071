#pragma once

#include "selection/flows/relink.h"

#include <QList>
#include <QString>

class FlexGrid;
class OrderController;

// Photos that moved: finding them again below a folder the user picks.

// The grid rows whose photo is not where the row says.
QList<int> missingPhotoRows(FlexGrid& grid);

// Asks for a folder, searches it and everything below it for the photos of
// rows, gives each row found its new path and thumbnail, and says how many
// were found and names the rest. Gives back what the relink changed (see
// relinkRows); nothing when the user cancelled or stopped the search.
QList<RowPath> findMissingPhotos(OrderController& c, const QList<int>& rows);

// The same for every row whose photo is missing; says so when none is.
QList<RowPath> findMissingPhotos(OrderController& c);

// The folder browser's title for the search.
QString missingFolderTitle();
