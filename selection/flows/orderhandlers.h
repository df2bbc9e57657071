#pragma once

#include "selection/dialogs/selectioncontrols.h"

// The main window's order actions; each is one user gesture.
void add_photo(SelectionControls& c, int origin);
void MSFlexGrid1_Click(SelectionControls& c);
// After the row editor: the current row is the one edited again, on its
// copies column.
void leaveEditedRow(SelectionControls& c);
void saveProject(SelectionControls& c);    // Command3
void openProject(SelectionControls& c);    // Command4
void writeOrderList(SelectionControls& c); // Command1
void copyToFolder(SelectionControls& c);   // Command2
