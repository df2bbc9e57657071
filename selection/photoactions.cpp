#include "orderactions.h"

// Filled in as the selection features land.
void add_photo(SelectionControls&, int) {}
void MSFlexGrid1_Click(SelectionControls&) {}
