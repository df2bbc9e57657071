#include "orderactions.h"

// Filled in as the file features land.
void saveProject(SelectionControls&) {}
void openProject(SelectionControls&) {}
void writeOrderList(SelectionControls&) {}
void copyToFolder(SelectionControls&) {}
