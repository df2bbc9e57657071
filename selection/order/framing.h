#pragma once

#include "selection/order/printfit.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// How a row's photo goes on its paper: filling it (the lab's cut, which the
// user may move and make smaller) or whole, with white borders.
enum class FramingMode { Fill, Whole };

// Kept apart from any photo's pixels, so that it outlives a change of size:
// the cut's side as a share of the largest cut of the paper's shape, and
// where its centre lies, as shares of the photo's width and height.
struct Framing {
    FramingMode mode = FramingMode::Fill;
    double scale = 1;
    double centreX = 0.5;
    double centreY = 0.5;
    // The centred cut the lab makes: never stored.
    bool isDefault() const { return *this == Framing{}; }
    bool operator==(const Framing&) const = default;
};

// A cut is never made smaller than this share of the largest.
constexpr double kSmallestCut = 0.1;

// The paper a size text names, turned as the photo is: its long side along
// the photo's long side (a square photo takes it wide). Nothing when the
// text names no paper shape.
std::optional<PrintSize> paperShape(const QString& size);
// Width and height in centimetres, in the photo's upright orientation.
struct Paper {
    double width = 0;
    double height = 0;
    bool operator==(const Paper&) const = default;
};
Paper turnedPaper(PrintSize print, QSize photo);

// The part of the photo printed when filling the paper, in whole pixels of
// the upright photo: the framing's share of the largest cut of the paper's
// shape, centred where the framing says, kept inside the photo.
QRect fillCut(QSize photo, PrintSize print, const Framing& framing);

// The framing with its cut moved by `by` pixels of the photo (clamped to the
// photo), or made `factor` times its side (between kSmallestCut and the
// largest, about its centre, then clamped), or centred at its size.
Framing movedCut(const Framing& framing, QSize photo, PrintSize print, QPoint by);
Framing resizedCut(const Framing& framing, QSize photo, PrintSize print, double factor);
Framing centredCut(const Framing& framing);

// The whole photo on the paper: the paper at the photo's resolution, in
// whole pixels, and where the photo lies on it (centred, white borders on two
// sides, none on the others).
struct WholeOnPaper {
    QSize paper;
    QPoint photoAt;
    bool operator==(const WholeOnPaper&) const = default;
};
WholeOnPaper wholeOnPaper(QSize photo, PrintSize print);

// How the row prints: pixels per inch of the part printed, the share of the
// photo cut off, and for a whole photo the white border on each of two
// sides in centimetres.
struct FramedFit {
    double ppi = 0;
    double cutShare = 0;
    double border = 0;
    PrintRating rating = PrintRating::Low;
};
FramedFit framedFit(QSize photo, PrintSize print, const Framing& framing);

// "512 ppi, sharp; 30 % cut off, the cut chosen" or "677 ppi, sharp; whole
// photo, 0.8 cm borders".
QString framedFitText(const FramedFit& fit, const Framing& framing);
