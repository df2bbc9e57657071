#include "selection/order/printfit.h"

#include "platform/units/rounding.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kCmPerInch = 2.54;

std::optional<double> decimal(QString text) {
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<PrintSize> parsePrintSize(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("\\A *([0-9]+(?:[.,][0-9]+)?) *[xX\u00D7] *([0-9]+(?:[.,][0-9]+)?) *\\z"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const std::optional<double> first = decimal(match.captured(1));
    const std::optional<double> second = decimal(match.captured(2));
    if (!first || !second)
        return std::nullopt;
    return PrintSize{*first, *second};
}

PrintRating ratePpi(double ppi) {
    if (ppi >= 300)
        return PrintRating::Sharp;
    if (ppi >= 150)
        return PrintRating::Good;
    return PrintRating::Low;
}

QString ratingName(PrintRating rating) {
    switch (rating) {
    case PrintRating::Sharp:
        return QStringLiteral("sharp");
    case PrintRating::Good:
        return QStringLiteral("good");
    case PrintRating::Low:
        break;
    }
    return QStringLiteral("low");
}

PrintFit printFit(QSize pixels, PrintSize print) {
    PrintFit fit;
    const double longPixels = std::max(pixels.width(), pixels.height());
    const double shortPixels = std::min(pixels.width(), pixels.height());
    if (shortPixels <= 0 || print.shortSide() <= 0)
        return fit;
    // Pixels times 2.54 over centimetres: exact whenever the inputs make it so.
    fit.ppi = std::min(longPixels * kCmPerInch / print.longSide(),
                       shortPixels * kCmPerInch / print.shortSide());
    const double photoRatio = longPixels / shortPixels;
    const double printRatio = print.longSide() / print.shortSide();
    fit.cutShare = 1 - std::min(photoRatio, printRatio) / std::max(photoRatio, printRatio);
    fit.rating = ratePpi(fit.ppi);
    return fit;
}

int shownPpi(double ppi) {
    const double whole = std::floor(ppi);
    return whole >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                    : static_cast<int>(std::max(0.0, whole));
}

int shownCutPercent(double share) {
    return static_cast<int>(roundHalfEven(std::clamp(share, 0.0, 1.0) * 100));
}

QString ppiText(const PrintFit& fit) {
    return QStringLiteral("%1 ppi, %2").arg(shownPpi(fit.ppi)).arg(ratingName(fit.rating));
}

QString fitText(const PrintFit& fit) {
    return QStringLiteral("%1; %2 % cut off").arg(ppiText(fit)).arg(shownCutPercent(fit.cutShare));
}

QRect printedPart(QSize pixels, PrintSize print, QSize box) {
    if (pixels.isEmpty() || box.isEmpty() || print.shortSide() <= 0)
        return {};
    // The print turned as the photo is: its long side along the photo's.
    const bool wide = pixels.width() >= pixels.height();
    const double printWidth = wide ? print.longSide() : print.shortSide();
    const double printHeight = wide ? print.shortSide() : print.longSide();
    const double photoAspect = double(pixels.width()) / pixels.height();
    const double printAspect = printWidth / printHeight;
    // The kept share of each side of the photo.
    const double keptX = photoAspect > printAspect ? printAspect / photoAspect : 1.0;
    const double keptY = photoAspect > printAspect ? 1.0 : photoAspect / printAspect;
    const int width = static_cast<int>(roundHalfEven(keptX * box.width()));
    const int height = static_cast<int>(roundHalfEven(keptY * box.height()));
    return QRect((box.width() - width) / 2, (box.height() - height) / 2, width, height);
}

std::optional<qint64> wholeCopies(const QString& copies) {
    static const QRegularExpression digits(QStringLiteral("\\A[0-9]+\\z"));
    if (!digits.match(copies).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = copies.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}
