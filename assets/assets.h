#pragma once

#include <QImage>
#include <QString>

// Pictures compiled into the program, by file name under assets/images
// (for example "banner.png"). A missing asset gives a null image.
QImage assetImage(const QString& name);

// Raw bytes of a compiled-in asset by its path under assets/ (for example
// "designs/main_command1.bag"); empty when it does not exist.
QByteArray assetBytes(const QString& path);
