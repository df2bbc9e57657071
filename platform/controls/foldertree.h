#pragma once

#include <QString>
#include <QStringList>

// Every photo under a folder, as adding a whole tree takes them.
struct FolderTree {
    QStringList photos;
    int hiddenFolders = 0; // left out with everything below them
    int unreadFolders = 0; // could not be listed
};

// The files matching patterns in folder and in all its subfolders, depth
// first: a folder's own files in the file list's order, then each subfolder
// in that order. Hidden files and folders are left out, as the lists leave
// them out; so are folders that cannot be read and names that lead nowhere as
// text. A folder met again, through a link or a loop of links, is walked once.
FolderTree folderTree(const QString& folder, const QStringList& patterns);
