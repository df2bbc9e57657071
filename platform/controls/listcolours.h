#pragma once

class QWidget;

// The platform's lists mark their selected items in the system highlight
// colour with highlight text, whether or not their window is active, not in
// the toolkit's own blue.
void useSystemHighlight(QWidget& list);
