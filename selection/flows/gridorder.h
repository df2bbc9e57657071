#pragma once

#include "selection/order/gridrow.h"

class FlexGrid;

// The grid's data rows 1 to Rows - 1, read by making each cell current, so the
// grid's current row ends on the last one as after the writers' own walk.
QList<GridRow> readGridRows(FlexGrid& grid);
