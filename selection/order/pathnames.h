#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Orders travel between machines: a path written on Windows starts with a
// drive letter and ":\" (C:\Users\Ana\beach.jpg) or with "\\" (a share) and
// uses "\" between its parts. Every other path is this system's own and
// uses "/".
bool isWindowsPath(const QString& path);

// The separator between the parts of path.
QChar pathSeparator(const QString& path);

// The names of the folders path passes through, from the top, without the
// file name and without empty parts: "C:\Users\Ana\b.jpg" gives "C:", "Users",
// "Ana"; "/home/ana/b.jpg" gives "home", "ana".
QStringList folderNamesOf(const QString& path);

// The part of a path after its last separator, or the whole path without one:
// "\" for a path written on Windows, "/" for this system's own.
QString solo_file(const QString& path);
