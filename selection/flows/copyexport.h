#pragma once

#include "selection/order/gridrow.h"

#include <QSet>

#include <functional>

class OrderController;

// The folder browser's title for the copy export.
QString copyFolderTitle();

// "File: a.jpg, Copies 2, Size 13x18": name is the photo's name in the folder.
QString folderListLine(const QString& name, const GridRow& row);

// The name of the JPEG made of a photo of another kind: "a.heic" -> "a.jpg".
QString labJpegName(const QString& name);

// The name of the file made for a framed row's print, after the photo and
// the row's size as typed: ("IMG_5207.HEIC", "10x15") -> "IMG_5207 10x15.jpg".
QString printFileName(const QString& name, const QString& size);

// "a.jpg" numbered n: "a (n).jpg"; a name without extension gets " (n)" at its end.
QString numberedName(const QString& name, int n);

// The names given out in one folder, compared without regard to letter case
// (the folder may be on a memory card).
class FolderNames {
public:
    void reserve(const QString& name);
    // name itself when free, else the first free numbered name; it is then
    // taken. A name usable() refuses is passed over as if taken.
    QString claim(const QString& name, const std::function<bool(const QString&)>& usable = nullptr);

private:
    bool taken(const QString& name) const;
    QSet<QString> m_folded;
};
