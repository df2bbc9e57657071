#pragma once

#include "selection/dialogs/orderview.h"

#include <QStringList>

// Takes the row being edited out of the selection: the grid loses its last
// row, every later photo moves up one row with its thumbnail (kept while its
// file is unchanged, otherwise rebuilt from the file), the count drops by one
// and the frame caption follows. A photo whose
// thumbnail cannot be rebuilt keeps its row with an empty thumbnail cell; the
// reasons come back, one per such photo, for the user.
QStringList removeEditRow(OrderView& c);
