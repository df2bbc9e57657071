#include "app/core/boxfit.h"

#include "platform/units/rounding.h"

#include <QPainter>

#include <algorithm>

QSize fittedSize(QSize picture, QSize box) {
    if (picture.isEmpty() || box.isEmpty())
        return box;
    // Compared as whole numbers, so that a photo of the box's shape takes
    // the box exactly.
    const qint64 across = qint64(picture.width()) * box.height();
    const qint64 down = qint64(picture.height()) * box.width();
    const auto side = [](double v, int most) {
        return std::clamp(static_cast<int>(roundHalfEven(v)), 1, most);
    };
    if (across >= down)
        return QSize(box.width(),
                     side(double(box.width()) * picture.height() / picture.width(), box.height()));
    return QSize(side(double(box.height()) * picture.width() / picture.height(), box.width()),
                 box.height());
}

QPoint fittedOrigin(QSize picture, QSize box) {
    const QSize drawn = fittedSize(picture, box);
    return QPoint((box.width() - drawn.width()) / 2, (box.height() - drawn.height()) / 2);
}

Samples sampleFitted(const QImage& pixels, QSize trueSize, const SampleGrid& kept, QSize box) {
    const QSize drawn = fittedSize(trueSize, box);
    return samplePicture(pixels, trueSize, kept, roundToInt16(drawn.width()),
                         roundToInt16(drawn.height()));
}

QImage fittedDrawing(const Samples& samples, QSize box) {
    QImage drawn(box, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    if (!samples.block.isNull()) {
        QPainter painter(&drawn);
        painter.drawImage(fittedOrigin(samples.trueSize, box), samples.block);
    }
    return drawn;
}

QRect shownPart(const QRect& part, QSize picture, const QRect& drawn) {
    if (picture.isEmpty() || part.isEmpty())
        return {};
    const auto at = [](int v, int from, int to, int start) {
        return start + static_cast<int>(roundHalfEven(double(v) * to / from));
    };
    const int left = at(part.left(), picture.width(), drawn.width(), drawn.left());
    const int top = at(part.top(), picture.height(), drawn.height(), drawn.top());
    const int right = at(part.left() + part.width(), picture.width(), drawn.width(), drawn.left());
    const int bottom =
        at(part.top() + part.height(), picture.height(), drawn.height(), drawn.top());
    return QRect(left, top, std::max(1, right - left), std::max(1, bottom - top));
}
