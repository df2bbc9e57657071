#pragma once

#include "selection/order/gridrow.h"
#include "selection/order/orderrow.h"

class FlexGrid;
struct SelectionControls;

// The grid's data rows 1 to Rows - 1, read by making each cell current, so the
// grid's current row ends on the last one as after the writers' own walk.
QList<GridRow> readGridRows(FlexGrid& grid);

// The grid's data rows 1 to Rows - 1, read without moving the current cell.
OrderRows orderRows(const FlexGrid& grid);

// Makes the grid, the selection list and the frame caption show rows. A row
// that already shows what it should is left alone, so putting back an order
// that differs in a few rows costs those rows only. The current cell stays
// where it was when it still exists. The caption follows the count, or is
// the one given.
void showOrderRows(SelectionControls& c, const OrderRows& rows);
void showOrderState(SelectionControls& c, const OrderState& state);
