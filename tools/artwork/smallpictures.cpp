#include "artwork.h"
#include "paintkit.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

const QColor kTileLine(30, 60, 170);
const QColor kArrowBlue(24, 72, 230);

// The white tile the two preview icons sit on, so they read over any photo.
// Drawn pixel by pixel: a frame one pixel wide at 1x with its corners left
// out; on larger canvases the frame stays whole pixels wide.
void paintTile(QImage& image, qreal scale) {
    const int w = image.width();
    const int h = image.height();
    const int line = std::max(1, static_cast<int>(scale));
    for (int y = 0; y < h; ++y) {
        const QColor paper =
            mixColor(QColor(255, 255, 255), QColor(222, 231, 250), qreal(y) / (h - 1));
        for (int x = 0; x < w; ++x) {
            const bool edgeX = x < line || x >= w - line;
            const bool edgeY = y < line || y >= h - line;
            if (edgeX && edgeY)
                continue;
            image.setPixelColor(x, y, edgeX || edgeY ? kTileLine : paper);
        }
    }
}

// Capital letters in a 3 x 5 pixel face, one pixel apart: crisp at this size.
// On a larger canvas each of its pixels becomes a square of the scale's size,
// smoothed where it does not fall on whole pixels.
void paintPixelWord(QImage& image, int left, int top, const char* const glyphs[][5], int count,
                    const QColor& colour, qreal scale) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (int g = 0; g < count; ++g)
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (glyphs[g][row][col] == '#') {
                    if (scale == 1)
                        image.setPixelColor(left + g * 4 + col, top + row, colour);
                    else
                        painter.drawRect(QRectF(left + g * 4 + col, top + row, 1, 1));
                }
}

QPainterPath handOutline() {
    // Coordinates on half pixels so that the one-pixel outline stays crisp.
    QPainterPath hand;
    hand.moveTo(7.5, 17.5);
    hand.lineTo(7.5, 2.5);
    hand.arcTo(QRectF(7.5, 0.5, 5, 4), 180, -180); // index fingertip, hot spot (10, 0)
    hand.lineTo(12.5, 10.5);
    hand.arcTo(QRectF(12.5, 8.5, 4, 4), 180, -180);
    hand.lineTo(16.5, 11.5);
    hand.arcTo(QRectF(16.5, 9.5, 4, 4), 180, -180);
    hand.lineTo(20.5, 12.5);
    hand.arcTo(QRectF(20.5, 11, 3, 3), 180, -180);
    hand.lineTo(23.5, 20.5);
    hand.cubicTo(23.5, 23, 22.5, 24.5, 21.5, 26.5);
    hand.lineTo(11.5, 26.5);
    hand.lineTo(4.5, 19.5);
    hand.cubicTo(3, 18, 3.5, 15, 6, 16);
    hand.closeSubpath();
    return hand;
}

void paintJpegPicture(QPainter& painter) {
    paintScene(painter, QRectF(2, 2, 19, 8), Scene::Daylight);
    painter.fillRect(QRect(1, 11, 21, 6), kBrandOrange);
}

void paintClockwiseArrow(QPainter& painter) {
    // Clockwise from the left round over the top, ending low on the right.
    const QPointF centre(11, 9);
    const qreal radius = 5.2;
    const qreal startAngle = 200;
    const qreal sweep = -245;
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(ring, startAngle);
    arc.arcTo(ring, startAngle, sweep);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kArrowBlue, 2.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(arc);

    // The head points along the circle, clockwise.
    const qreal end = (startAngle + sweep) * M_PI / 180;
    const QPointF tip = centre + QPointF(std::cos(end), -std::sin(end)) * radius;
    const qreal heading = std::atan2(std::cos(end), std::sin(end)) * 180 / M_PI;
    painter.save();
    painter.translate(tip);
    painter.rotate(heading);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrowBlue);
    painter.drawPolygon(QPolygonF{{3.4, 0}, {-1.0, -3.6}, {-1.0, 3.6}});
    painter.restore();
}

void paintHand(QPainter& painter) {
    const QPainterPath hand = handOutline();
    paintSoftShadow(painter, hand, QPointF(1.5, 1.5), 1, 0.18);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    // The folded fingers' seams.
    painter.drawLine(QLineF(12.5, 10.5, 12.5, 15));
    painter.drawLine(QLineF(16.5, 11.5, 16.5, 15.5));
    painter.drawLine(QLineF(20.5, 12.5, 20.5, 16));
}

void paintNoSign(QPainter& painter) {
    const QPointF centre(20, 15);
    const qreal radius = 11;
    const QColor red(220, 20, 20);
    painter.setPen(QPen(red, 3.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    const qreal d = radius * std::sqrt(0.5);
    painter.drawLine(QLineF(centre + QPointF(-d, -d), centre + QPointF(d, d)));
}

} // namespace

QImage jpegIcon(qreal scale) {
    QImage image = transparentCanvas(scaledLength(23, scale), scaledLength(18, scale));
    paintTile(image, scale);
    image = paintSmooth(image, paintJpegPicture, scale);

    static const char* const jpg[][5] = {
        {"..#", "..#", "..#", "#.#", ".#."},
        {"##.", "#.#", "##.", "#..", "#.."},
        {".##", "#..", "#.#", "#.#", ".##"},
    };
    paintPixelWord(image, 6, 11, jpg, 3, Qt::white, scale);
    return image;
}

QImage rotateIcon(qreal scale) {
    QImage image = transparentCanvas(scaledLength(22, scale), scaledLength(18, scale));
    paintTile(image, scale);
    return paintSmooth(image, paintClockwiseArrow, scale);
}

QImage windowIcon(int size) {
    return paintSmooth(transparentCanvas(size, size), [size](QPainter& painter) {
        if (size < 24) {
            // Too small for three prints: one turned behind, one square in front.
            paintPrint(painter, {QPointF(7, 7.5), QSizeF(11, 9), -14, Scene::Sunset, 1}, 0.25);
            paintPrint(painter, {QPointF(9, 9.5), QSizeF(13, 11), 0, Scene::Daylight, 1}, 0.3);
        } else {
            paintPhotoStack(painter, QRectF(0, 0, size, size));
        }
    });
}

QImage handCursor() {
    return paintSmooth(transparentCanvas(32, 32), paintHand);
}

QImage noCopiesMarker() {
    return toRgb24(paintSmooth(opaqueCanvas(40, 30, Qt::white), paintNoSign));
}
