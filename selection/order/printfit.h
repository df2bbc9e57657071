#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// A print named by a size text, in centimetres, the sides as typed.
struct PrintSize {
    double first = 0;
    double second = 0;
    double longSide() const { return first > second ? first : second; }
    double shortSide() const { return first > second ? second : first; }
};

// "10x15", "9,5 X 13", "20×30.5": two whole or decimal numbers (comma or
// point) joined by "x", "X" or "×". Anything else, or a side of 0, names no
// print.
std::optional<PrintSize> parsePrintSize(const QString& text);

enum class PrintRating { Sharp, Good, Low };

// 300 ppi and more is sharp, 150 and more good, less is low.
PrintRating ratePpi(double ppi);
// "sharp", "good", "low"
QString ratingName(PrintRating rating);

// How a photo of the given pixel size prints at a size: the print's long
// side goes with the photo's long side, the lab fills the paper and cuts off
// what sticks out.
struct PrintFit {
    double ppi = 0;      // the smaller of long and short side's pixels per inch
    double cutShare = 0; // the share of the photo cut off, 0 to 1
    PrintRating rating = PrintRating::Low;
};
PrintFit printFit(QSize pixels, PrintSize print);

// Pixels per inch as shown: the whole part, so that the number never reads
// better than its rating (299.99 is "299 ppi, good").
int shownPpi(double ppi);
// The cut in whole per cent, rounded.
int shownCutPercent(double share);

// "677 ppi, sharp; 11 % cut off"
QString fitText(const PrintFit& fit);
// "677 ppi, sharp"
QString ppiText(const PrintFit& fit);

// The part of the photo the lab prints, drawn in a box that shows the photo
// stretched to it: centred, the photo's full width or height.
QRect printedPart(QSize pixels, PrintSize print, QSize box);

// Copies as a whole number, or none: digits only, as the lab reads them.
std::optional<qint64> wholeCopies(const QString& copies);
