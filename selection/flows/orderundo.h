#pragma once

#include "selection/dialogs/selectioncontrols.h"
#include "selection/order/orderrow.h"

#include <QString>

// Every change to the order passes through here, so that each one can be
// undone as one step, whatever made it.

// The order as the window shows it now.
OrderState currentOrder(SelectionControls& c);

// Records a change already made to the grid: before is what it showed first.
// A change that left the rows as they were is no step.
void recordOrderChange(SelectionControls& c, const QString& what, const OrderState& before);

// Shows rows in place of the whole order, one step named what.
void replaceOrder(SelectionControls& c, const QString& what, const OrderRows& rows);

// Ctrl+Z and Ctrl+Shift+Z / Ctrl+Y; nothing when there is nothing to take.
void undoOrderChange(SelectionControls& c);
void redoOrderChange(SelectionControls& c);

// "Undo adding 3 photos", or "Undo" when there is nothing to undo; the same
// for redo.
QString undoText(const OrderHistory& history);
QString redoText(const OrderHistory& history);

// The names of the steps.
QString addingName(int photos);
QString removingName(int rows);
QString changingName(int rows);
QString relinkingName(int rows);
QString openingName(const QString& project);
