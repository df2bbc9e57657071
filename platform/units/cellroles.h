#pragma once

#include <Qt>

// Data a grid asks a model for beside the text and the picture.
enum CellRole : int {
    // Where a cell's picture sits, as the grid's picture alignment (qint16).
    PictureAlignmentRole = Qt::UserRole,
};
