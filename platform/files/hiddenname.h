#pragma once

#include <QString>

// The longest file name, in bytes, that the file systems here accept.
constexpr int kMaxNameBytes = 255;

// The longest start of text that takes at most maxBytes in a file name,
// never half of a character.
QString cutToNameBytes(const QString& text, qsizetype maxBytes);

// The name of a hidden file of the program's own beside fileName:
// "." + fileName + mark. When that, with spareBytes more for whatever a
// library appends to it, would not fit in a name, fileName is cut short and
// a "~" and eight hex digits of a hash of the whole name follow the part
// kept; the mark always stays at the end, whole, so the file is still known
// as the program's own and as belonging to fileName.
QString hiddenSiblingName(const QString& fileName, const QString& mark, int spareBytes = 0);
