#pragma once

#include "selection/dialogs/rowthumbnails.h"
#include "selection/dialogs/selectioncontrols.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>

// Frame4 shows frameCaption(count).
void showCount(SelectionControls& c, std::int16_t count);

// Sets the 40 x 30 thumbnail of the photo at path as the picture of the
// grid's current cell; a photo decoded for it is left in the loader. On
// failure the cell gets no picture and the reason comes back for the user;
// empty on success.
QString setRowThumbnail(SelectionControls& c, const QString& path);
// The same, a failure noted in problems as "path: reason". Gives the photo's
// pixel size, empty on failure.
QSize setRowThumbnail(SelectionControls& c, const QString& path, QStringList& problems);
// The same with the thumbnail made beforehand (photoThumbnail).
QString setRowThumbnail(SelectionControls& c, const PhotoThumbnail& thumb);
// A picture just read goes into the loader, and the scaler draws it from there
// into Image12 for the current cell. Gives the samples it drew.
Samples setRowThumbnail(SelectionControls& c, const PictureRead& picture);

// A photo's new last row, as adding fills it. Begin: the count, the entry
// ("1" copy of "10x15"), the row of 500 twips and its path; the current cell
// is left on its photo column for the thumbnail. End: copies, size, the
// caption, the hidden path and the scroll.
void beginPhotoRow(SelectionControls& c, const QString& file);
void endPhotoRow(SelectionControls& c, const QString& file);

// Scrolls the grid to its last row once it holds more than nine photos.
void scrollToLastRowIfNeeded(SelectionControls& c, std::int16_t count);
