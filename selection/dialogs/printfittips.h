#pragma once

#include "selection/dialogs/selectioncontrols.h"
#include "selection/order/ordersummary.h"

// Data row i of the grid as print fit sees it, read without moving the
// current cell; the photo's pixel size is the one kept with its row.
FitRow fitRow(SelectionControls& c, int i);
QList<FitRow> fitRows(SelectionControls& c);
OrderSummary currentSummary(SelectionControls& c);

// Gives the grid's rows their print fit and Frame4 the order summary as tool
// tips, worked out when the tip is asked for, so they follow every change.
void installPrintFitTips(SelectionControls& c);

// Makes a data row the grid's current row and scrolls it into view.
void showGridRow(SelectionControls& c, int row);
