#pragma once

#include "selection/dialogs/selectioncontrols.h"
#include "selection/order/ordersummary.h"

OrderSummary currentSummary(SelectionControls& c);

// Gives the grid's rows their print fit and Frame4 the order summary as tool
// tips, worked out when the tip is asked for, so they follow every change.
void installPrintFitTips(SelectionControls& c);

// Makes a data row the grid's current row and scrolls it into view.
void showGridRow(SelectionControls& c, int row);
