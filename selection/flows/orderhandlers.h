#pragma once

class OrderController;

// A click on a row of the grid: the row editor on it.
void MSFlexGrid1_Click(OrderController& c);
// After the row editor: the current row is the one edited again, on its
// copies column.
void leaveEditedRow(OrderController& c);
