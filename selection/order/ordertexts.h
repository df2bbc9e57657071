#pragma once

#include <QString>

#include <cstdint>

// The caption of the frame around the grid: "1 Photo Selected", otherwise a
// blank (the place of the sign), the count and " Photos Selected".
QString frameCaption(std::int16_t count);

// Text for one line of a list: each line break in it (CR or LF, as a file
// name may hold) made a blank.
QString oneLine(QString text);

// A text that counts: one for 1, otherwise many with the number for its %1.
QString numbered(qint64 n, const char* one, const char* many);

// The names of the order's changes, for the undo and redo entries.
QString addingName(int photos);
QString removingName(int rows);
QString changingName(int rows);
QString movingName(int rows);
QString relinkingName(int rows);
QString openingName(const QString& project);
