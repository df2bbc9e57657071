#pragma once

#include "selection/dialogs/orderview.h"
#include "selection/order/ordersummary.h"

class QGroupBox;

OrderSummary currentSummary(OrderView& c);

// Gives the grid's rows their print fit and the frame around the grid the
// order summary as tool tips, worked out when the tip is asked for, so they
// follow every change.
void installPrintFitTips(OrderView& c, QGroupBox& frame);

// Makes a data row the grid's current row and scrolls it into view.
void showGridRow(OrderView& c, int row);
