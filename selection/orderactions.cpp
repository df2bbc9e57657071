#include "orderactions.h"

// Filled in as the order features land.
void add_photo(SelectionControls&, int) {}
void MSFlexGrid1_Click(SelectionControls&) {}
void saveProject(SelectionControls&) {}
void openProject(SelectionControls&) {}
void writeOrderList(SelectionControls&) {}
void copyToFolder(SelectionControls&) {}
