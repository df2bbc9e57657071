#pragma once

#include <QImage>
#include <QString>

// Every picture and page the program ships, one function each. The file each
// one is written to is decided by makeassets.cpp. Pictures the windows show
// take a scale: the same picture for screens with 1.5 or 2 device pixels to
// a pixel, on a canvas that many times larger (each length rounded).

// Banners and the logo (banners.cpp).
QImage mainBanner(qreal scale = 1);  // 1013 x 92, top and bottom of the main window
QImage logo(qreal scale = 1);        // 296 x 38, drawn over the top banner at (16, 24)
QImage propsBanner(qreal scale = 1); // 1013 x 92, background of the row editor

// Pictures of the five buttons of the main window, 24-bit on a black mask
// (commandicons.cpp).
QImage openCommandIcon(qreal scale = 1);
QImage saveCommandIcon(qreal scale = 1);
QImage copyCommandIcon(qreal scale = 1);
QImage listCommandIcon(qreal scale = 1);
QImage helpCommandIcon(qreal scale = 1);

// Small pictures (smallpictures.cpp).
QImage jpegIcon(qreal scale = 1);   // 23 x 18, "view in the default viewer"
QImage rotateIcon(qreal scale = 1); // 22 x 18, "Rotate"
QImage windowIcon(int size);        // 16, 32 or 48 pixels
QImage handCursor();                // 32 x 32, hot spot (10, 0)
QImage noCopiesMarker();            // 40 x 30, the grid's mark for "0" copies

// Pictures the desktop shows for the program's files (desktopicons.cpp).
QImage projectFileIcon(int size); // 16, 32 or 48 pixels, a project (.mvl) file
