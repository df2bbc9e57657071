#pragma once

#include <QFont>

// The windows were designed with an 8.25 pt sans serif at 96 dots per inch.
// One font stands in for it everywhere, so text metrics are the same on
// every machine.
void installDesignFont();
QFont designFont();
