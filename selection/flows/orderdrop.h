#pragma once

class OrderController;

#include <QList>
#include <QStringList>
#include <QUrl>

// What a drop of files holds: the first project file, the photos (a folder
// gives its own and its subfolders', walked as a tree), and everything else;
// and how many folders the walks left out.
struct DroppedFiles {
    QString project;
    QStringList photos;
    QStringList others;
    int hiddenFolders = 0;
    int unreadFolders = 0;
};
DroppedFiles sortDroppedFiles(const QList<QUrl>& urls);

// Whether the files may be dropped: a project anywhere on the window, photos
// only on the grid or the preview.
bool acceptsDrop(const QList<QUrl>& urls, bool onOrder);

// A project opens as Open opens it; otherwise photos dropped on the grid or
// the preview are added, and files that are not photos are named.
void dropFiles(OrderController& c, const QList<QUrl>& urls, bool onOrder);
