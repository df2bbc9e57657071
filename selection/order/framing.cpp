#include "selection/order/framing.h"

#include "platform/units/rounding.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCmPerInch = 2.54;

int whole(double v) {
    return static_cast<int>(roundHalfEven(v));
}

// The largest cut of the paper's shape, in fractional pixels.
QSizeF largestCut(QSize photo, const Paper& paper) {
    const double across = double(photo.width()) * paper.height;
    const double down = double(photo.height()) * paper.width;
    if (across >= down) // the photo is wider than the paper: its height stays
        return QSizeF(photo.height() * paper.width / paper.height, photo.height());
    return QSizeF(photo.width(), photo.width() * paper.height / paper.width);
}

bool usable(QSize photo, PrintSize print) {
    return !photo.isEmpty() && print.shortSide() > 0;
}

} // namespace

std::optional<PrintSize> paperShape(const QString& size) {
    return parsePrintSize(size);
}

Paper turnedPaper(PrintSize print, QSize photo) {
    if (photo.width() >= photo.height())
        return {print.longSide(), print.shortSide()};
    return {print.shortSide(), print.longSide()};
}

QRect fillCut(QSize photo, PrintSize print, const Framing& framing) {
    if (!usable(photo, print))
        return {};
    const QSizeF largest = largestCut(photo, turnedPaper(print, photo));
    const double scale = std::clamp(framing.scale, kSmallestCut, 1.0);
    const int width = std::clamp(whole(largest.width() * scale), 1, photo.width());
    const int height = std::clamp(whole(largest.height() * scale), 1, photo.height());
    const int left = whole(framing.centreX * photo.width() - width / 2.0);
    const int top = whole(framing.centreY * photo.height() - height / 2.0);
    return QRect(std::clamp(left, 0, photo.width() - width),
                 std::clamp(top, 0, photo.height() - height), width, height);
}

namespace {

// The framing whose cut is `cut`.
Framing framingOf(const Framing& framing, QSize photo, const QRect& cut) {
    Framing out = framing;
    out.mode = FramingMode::Fill;
    out.centreX = (cut.left() + cut.width() / 2.0) / photo.width();
    out.centreY = (cut.top() + cut.height() / 2.0) / photo.height();
    return out;
}

} // namespace

Framing movedCut(const Framing& framing, QSize photo, PrintSize print, QPoint by) {
    if (!usable(photo, print))
        return framing;
    const QRect cut = fillCut(photo, print, framing).translated(by);
    const QRect inside(std::clamp(cut.left(), 0, photo.width() - cut.width()),
                       std::clamp(cut.top(), 0, photo.height() - cut.height()), cut.width(),
                       cut.height());
    return framingOf(framing, photo, inside);
}

Framing resizedCut(const Framing& framing, QSize photo, PrintSize print, double factor) {
    if (!usable(photo, print) || !(factor > 0))
        return framing;
    Framing out = framing;
    out.mode = FramingMode::Fill;
    out.scale = std::clamp(framing.scale * factor, kSmallestCut, 1.0);
    // Kept inside the photo at its new size, so the centre is where it
    // shows; taken unrounded, so that growing back finds the cut it left.
    const QSizeF half = largestCut(photo, turnedPaper(print, photo)) * (out.scale / 2);
    out.centreX =
        std::clamp(out.centreX, half.width() / photo.width(), 1 - half.width() / photo.width());
    out.centreY =
        std::clamp(out.centreY, half.height() / photo.height(), 1 - half.height() / photo.height());
    return out;
}

Framing centredCut(const Framing& framing) {
    Framing out = framing;
    out.centreX = 0.5;
    out.centreY = 0.5;
    return out;
}

WholeOnPaper wholeOnPaper(QSize photo, PrintSize print) {
    if (!usable(photo, print))
        return {};
    const Paper paper = turnedPaper(print, photo);
    QSize size = photo;
    if (double(photo.width()) * paper.height >= double(photo.height()) * paper.width)
        size.setHeight(std::max(photo.height(), whole(photo.width() * paper.height / paper.width)));
    else
        size.setWidth(std::max(photo.width(), whole(photo.height() * paper.width / paper.height)));
    return {size, QPoint((size.width() - photo.width()) / 2, (size.height() - photo.height()) / 2)};
}

FramedFit framedFit(QSize photo, PrintSize print, const Framing& framing) {
    FramedFit fit;
    if (!usable(photo, print))
        return fit;
    const Paper paper = turnedPaper(print, photo);
    if (framing.mode == FramingMode::Whole) {
        const WholeOnPaper on = wholeOnPaper(photo, print);
        fit.ppi = std::min(on.paper.width() * kCmPerInch / paper.width,
                           on.paper.height() * kCmPerInch / paper.height);
        // The photo's share of the paper along the side with borders.
        const double across = 1 - double(photo.width()) / on.paper.width();
        const double down = 1 - double(photo.height()) / on.paper.height();
        fit.border = std::max(across * paper.width, down * paper.height) / 2;
    } else {
        const QRect cut = fillCut(photo, print, framing);
        fit.ppi = std::min(cut.width() * kCmPerInch / paper.width,
                           cut.height() * kCmPerInch / paper.height);
        fit.cutShare =
            1 - double(cut.width()) * cut.height() / (double(photo.width()) * photo.height());
    }
    fit.rating = ratePpi(fit.ppi);
    return fit;
}

QString framedFitText(const FramedFit& fit, const Framing& framing) {
    const QString ppi =
        QStringLiteral("%1 ppi, %2").arg(shownPpi(fit.ppi)).arg(ratingName(fit.rating));
    if (framing.mode == FramingMode::Whole)
        return QStringLiteral("%1; whole photo, %2 cm borders")
            .arg(ppi, QString::number(roundHalfEven(fit.border * 10) / 10, 'f', 1));
    return QStringLiteral("%1; %2 % cut off, the cut chosen")
        .arg(ppi)
        .arg(shownCutPercent(fit.cutShare));
}
