#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Measures the width of a piece of text in pixels.
using TextMeasure = std::function<int(const QString&)>;

// Breaks a cell text into lines no wider than width. Lines break after a
// blank (which is dropped), after "/" or "\" so a path breaks between its
// folders, and inside a word that is wider than a whole line. A line feed
// always starts a new line; a width below 1 breaks only there.
QStringList wrapCellText(const QString& text, int width, const TextMeasure& measure);

// The path cut in the middle with "...": the longest such text that fits
// (fits says whether a text does). The end keeps the file name, with its
// separator, as far as it can, and at least the larger half of what is kept;
// the start gets the rest. The path itself when it fits; "..." and its last
// character when nothing fits.
QString cutPathInMiddle(const QString& path, const std::function<bool(const QString&)>& fits);
