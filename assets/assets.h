#pragma once

#include <QImage>
#include <QString>

// Pictures compiled into the program, by file name under assets/images
// (for example "banner.png"). A missing asset gives a null image.
QImage assetImage(const QString& name);

// The same picture drawn for screens with 1.5 and 2 device pixels to a pixel
// ("banner@1.5x.png" and "banner@2x.png" beside "banner.png"), each with its
// device pixel ratio set; those that do not exist are left out.
QList<QImage> sharperAssetImages(const QString& name);

// Raw bytes of a compiled-in asset by its path under assets/ (for example
// "designs/main_command1.bag"); empty when it does not exist.
QByteArray assetBytes(const QString& path);
