#pragma once

#include "selectioncontrols.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>

// The caption of the frame around the grid: "1 Photo Selected", otherwise a
// blank (the place of the sign), the count and " Photos Selected".
QString frameCaption(std::int16_t count);
void showCount(SelectionControls& c, std::int16_t count);

// The part of a path after its last "/", or the whole path without one.
QString solo_file(const QString& path);

// Grid column roles.
enum GridColumn : int { ColPhoto = 0, ColFile = 1, ColCopies = 2, ColSize = 3, ColPath = 4 };
// Data rows are 500 twips high.
constexpr int kDataRowTwips = 500;

// Loads the photo at path into the loader and sets its 40 x 30 thumbnail as
// the picture of the grid's current cell. On failure the cell gets no picture
// and the reason comes back for the user; empty on success.
QString setRowThumbnail(SelectionControls& c, const QString& path);
// The same for a picture already read from its file.
void setRowThumbnail(SelectionControls& c, const QImage& picture);
// The same from a file, a failure noted in problems as "path: reason".
void setRowThumbnail(SelectionControls& c, const QString& path, QStringList& problems);

// Scrolls the grid to its last row once it holds more than nine photos.
void scrollToLastRowIfNeeded(SelectionControls& c, std::int16_t count);
