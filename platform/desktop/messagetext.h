#pragma once

#include <QString>
#include <QStringList>

// A message must fit on the screen whatever it names: a path of any length,
// any number of files.
constexpr int kMessageNameChars = 90;
constexpr int kMessageLines = 20;

// A path as a message names it: whole when it is short, else cut in the
// middle with "..." so that its start and its file name stay. A file name
// too long on its own keeps its end, where the extension is.
QString shortName(const QString& path);

// Lines for a message, one per entry, at most max of them and then how many
// more there are; a line too long for the screen is cut in its middle.
QString namedLines(const QStringList& lines, int max = kMessageLines);
