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
