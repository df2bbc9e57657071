#include "xpbutton/buttongeometry.h"

#include "platform/units/rounding.h"

#include <limits>

std::int32_t wholePixels(double value) {
    const double rounded = roundHalfEven(value);
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (!(rounded >= low))
        return std::numeric_limits<std::int32_t>::min();
    return rounded > high ? std::numeric_limits<std::int32_t>::max()
                          : static_cast<std::int32_t>(rounded);
}

WinRect focusRectFor(double scaleWidth, double scaleHeight) {
    return {4, 4, wholePixels(scaleWidth - 4), wholePixels(scaleHeight - 4)};
}

QRegion roundedWindowRegion(std::int32_t w, std::int32_t h) {
    QRegion region(0, 0, w, h);
    // Per corner a 2 x 1 piece on the outer row and a 1 x 1 piece next to it.
    const QRect pieces[] = {
        {0, 0, 2, 1},         {0, 1, 1, 1},         // top left
        {w - 2, 0, 2, 1},     {w - 1, 1, 1, 1},     // top right
        {0, h - 1, 2, 1},     {0, h - 2, 1, 1},     // bottom left
        {w - 2, h - 1, 2, 1}, {w - 1, h - 2, 1, 1}, // bottom right
    };
    for (const QRect& piece : pieces)
        region -= QRegion(piece);
    return region;
}

QString accessKeyFromCaption(const QString& caption) {
    const qsizetype length = caption.size();
    if (length < 2)
        return {};
    const qsizetype p = caption.indexOf(QLatin1Char('&'));
    if (p < 0 || p == length - 1)
        return {};
    if (caption[p + 1] != QLatin1Char('&'))
        return caption.mid(p + 1, 1).toLower();
    const qsizetype q = caption.indexOf(QLatin1Char('&'), p + 2);
    if (q < 0 || q == length - 1)
        return {};
    if (caption[q + 1] != QLatin1Char('&'))
        return caption.mid(q + 1, 1).toLower();
    return {};
}
