#pragma once

// Screen readers see the grid as a table: its data rows, its columns with the
// header row's texts as their headers (columns that take no pixel left out),
// each cell's text, a picture cell named by what the grid says of it, the
// current cell focused and the picked rows selected.

class FlexGrid;

// Tells assistive technology where the current cell went and that the picked
// rows may have changed.
void announceCurrentCell(FlexGrid& grid);

// Registers the grid's accessibility with Qt; once is enough, more is harmless.
void installFlexGridAccessibility();
