#include "artwork.h"
#include "paintkit.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

namespace {

constexpr int kIconWidth = 55;
constexpr int kIconHeight = 46;
constexpr int kHelpIconHeight = 47;

// The middle of the XP button face the pictures sit on.
const QColor kFaceMatte(242, 242, 236);

const QColor kFolderLine(160, 84, 0);

QLinearGradient verticalGradient(qreal top, qreal bottom, const QColor& from, const QColor& to) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

QPainterPath polygonPath(const QPolygonF& polygon) {
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

// The back of a folder with its tab, from `left` to `right`, tab top at
// `top`, bottom at `bottom`.
void paintFolderBack(QPainter& painter, qreal left, qreal right, qreal top, qreal bottom) {
    const QPainterPath back = polygonPath(QPolygonF{{left, top + 1.5},
                                                    {left + 1.5, top},
                                                    {left + 12, top},
                                                    {left + 15, top + 3.5},
                                                    {right - 1.5, top + 3.5},
                                                    {right, top + 5},
                                                    {right, bottom},
                                                    {left, bottom}});
    paintSoftShadow(painter, back, QPointF(1, 1.5), 2, 0.18);
    painter.setPen(QPen(kFolderLine, 1));
    painter.setBrush(verticalGradient(top, bottom, QColor(236, 156, 44), QColor(204, 116, 20)));
    painter.drawPath(back);
}

// The front of a folder: a quadrilateral, lighter than its back.
void paintFolderFront(QPainter& painter, const QPolygonF& outline) {
    const QRectF bounds = outline.boundingRect();
    painter.setPen(QPen(kFolderLine, 1));
    painter.setBrush(verticalGradient(bounds.top(), bounds.bottom(), QColor(255, 210, 110),
                                      QColor(255, 150, 28)));
    painter.drawPath(polygonPath(outline));
    // A highlight along the upper edge.
    painter.setPen(QPen(QColor(255, 240, 200, 200), 1));
    painter.drawLine(QLineF(outline[0] + QPointF(1.5, 1), outline[1] + QPointF(-1.5, 1)));
}

void paintArrowHead(QPainter& painter, const QPointF& tip, qreal angleDegrees, qreal size) {
    painter.save();
    painter.translate(tip);
    painter.rotate(angleDegrees);
    painter.drawPolygon(QPolygonF{{0, 0}, {-size, -size * 0.75}, {-size, size * 0.75}});
    painter.restore();
}

QImage buttonPicture(int height, void (*paint)(QPainter&), qreal scale) {
    const QImage canvas =
        transparentCanvas(scaledLength(kIconWidth, scale), scaledLength(height, scale));
    return flattenOnBlackMask(paintSmooth(canvas, paint, scale), kFaceMatte);
}

void paintOpenFolder(QPainter& painter) {
    paintFolderBack(painter, 6.5, 44.5, 8.5, 41.5);
    paintPrint(painter, {QPointF(28, 19), QSizeF(27, 20), -9, Scene::Daylight, 2.5}, 0.3);
    paintFolderFront(painter, QPolygonF{{14.5, 22.5}, {51.5, 22.5}, {44.5, 41.5}, {6.5, 41.5}});
}

void paintFloppy(QPainter& painter) {
    const QPainterPath body = polygonPath(QPolygonF{
        {9.5, 5.5}, {11, 4}, {41, 4}, {46.5, 9.5}, {46.5, 40}, {45, 41.5}, {11, 41.5}, {9.5, 40}});
    paintSoftShadow(painter, body, QPointF(1, 1.5), 2, 0.22);
    painter.setPen(QPen(QColor(12, 28, 100), 1));
    painter.setBrush(verticalGradient(4, 42, QColor(80, 124, 250), QColor(22, 52, 190)));
    painter.drawPath(body);

    // Metal shutter with its window.
    painter.setPen(QPen(QColor(96, 100, 118), 1));
    painter.setBrush(verticalGradient(4, 17, QColor(240, 240, 245), QColor(172, 176, 188)));
    painter.drawRect(QRectF(17.5, 4, 21, 13.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(44, 50, 70));
    painter.drawRect(QRectF(31, 6.5, 4.5, 9));

    // Label with an orange stripe and two written lines.
    painter.setPen(QPen(QColor(150, 160, 190), 1));
    painter.setBrush(QColor(252, 252, 252));
    painter.drawRoundedRect(QRectF(14.5, 23.5, 27, 18), 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBrandOrange);
    painter.drawRect(QRectF(15, 24, 26, 3));
    painter.setPen(QPen(QColor(120, 140, 200), 1));
    painter.drawLine(QLineF(18, 31.5, 38, 31.5));
    painter.drawLine(QLineF(18, 35.5, 33, 35.5));

    // A touch of light on the left edge.
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    painter.drawLine(QLineF(11, 6.5, 11, 39));
}

void paintPrintsIntoFolder(QPainter& painter) {
    paintFolderBack(painter, 5.5, 41.5, 17.5, 42.5);
    paintPrint(painter, {QPointF(17, 15), QSizeF(22, 17), -16, Scene::Lake, 2}, 0.3);
    paintPrint(painter, {QPointF(29, 12), QSizeF(22, 17), 11, Scene::Sunset, 2}, 0.3);
    paintFolderFront(painter, QPolygonF{{3.5, 27.5}, {43.5, 27.5}, {41.5, 42.5}, {5.5, 42.5}});

    // A blue arrow bending down into the folder.
    QPainterPath arrow;
    arrow.moveTo(41, 3);
    arrow.quadTo(55, 6, 47.5, 19.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(12, 28, 100), 4.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(arrow);
    painter.setPen(QPen(QColor(40, 90, 240), 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(arrow);
    painter.setPen(QPen(QColor(12, 28, 100), 1));
    painter.setBrush(QColor(40, 90, 240));
    paintArrowHead(painter, QPointF(44, 25), 122, 6);
}

void paintOrderSheet(QPainter& painter) {
    // The sheet with a folded corner.
    const QPainterPath sheet =
        polygonPath(QPolygonF{{11.5, 3.5}, {33.5, 3.5}, {40.5, 10.5}, {40.5, 42.5}, {11.5, 42.5}});
    paintSoftShadow(painter, sheet, QPointF(1, 1.5), 2, 0.22);
    painter.setPen(QPen(QColor(100, 112, 140), 1));
    painter.setBrush(verticalGradient(3, 43, QColor(255, 255, 255), QColor(232, 238, 250)));
    painter.drawPath(sheet);
    painter.setBrush(QColor(210, 218, 236));
    painter.drawPath(polygonPath(QPolygonF{{33.5, 3.5}, {33.5, 10.5}, {40.5, 10.5}}));

    // Lines of the order, each with an orange bullet.
    const qreal lengths[] = {14, 11, 15, 9, 13};
    for (int i = 0; i < 5; ++i) {
        const qreal y = 14.5 + i * 6;
        painter.setPen(Qt::NoPen);
        painter.setBrush(kBrandOrange);
        painter.drawRect(QRectF(15, y - 1.5, 3, 3));
        painter.setPen(QPen(QColor(40, 80, 220), 1.4));
        painter.drawLine(QLineF(21, y, 21 + lengths[i], y));
    }

    // An orange pencil lying across the sheet's edge.
    painter.save();
    painter.translate(44, 27);
    painter.rotate(24);
    const QRectF shaft(-3, -15, 6, 24);
    QLinearGradient wood(-3, 0, 3, 0);
    wood.setColorAt(0, QColor(255, 170, 60));
    wood.setColorAt(0.5, kBrandOrange);
    wood.setColorAt(1, QColor(200, 90, 0));
    painter.setPen(QPen(QColor(120, 60, 0), 1));
    painter.setBrush(wood);
    painter.drawRect(shaft);
    painter.setBrush(QColor(190, 195, 205));
    painter.drawRect(QRectF(-3, -19, 6, 4));
    painter.setBrush(QColor(240, 150, 160));
    painter.drawRoundedRect(QRectF(-3, -22, 6, 3.5), 1.5, 1.5);
    painter.setBrush(QColor(245, 215, 170));
    painter.drawPolygon(QPolygonF{{-3, 9}, {3, 9}, {0, 16}});
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawPolygon(QPolygonF{{-1.1, 13.5}, {1.1, 13.5}, {0, 16}});
    painter.restore();
}

void paintHelpSign(QPainter& painter) {
    const QPointF centre(27.5, 23);
    const qreal radius = 19.5;
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    paintSoftShadow(painter, disc, QPointF(1, 1.5), 2, 0.22);

    QRadialGradient blue(centre + QPointF(-5, -7), radius * 1.4);
    blue.setColorAt(0, QColor(110, 160, 255));
    blue.setColorAt(0.6, QColor(24, 68, 230));
    blue.setColorAt(1, QColor(10, 32, 160));
    painter.setPen(QPen(QColor(10, 24, 100), 1));
    painter.setBrush(blue);
    painter.drawPath(disc);

    // Gloss on the upper half.
    QLinearGradient gloss(0, centre.y() - radius, 0, centre.y());
    gloss.setColorAt(0, QColor(255, 255, 255, 130));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawEllipse(QRectF(centre.x() - radius * 0.72, centre.y() - radius + 1.5, radius * 1.44,
                               radius * 0.95));

    const QPainterPath mark = fitPath(textPath(QStringLiteral("?"), 40, true),
                                      QRectF(centre.x() - 10, centre.y() - 13.5, 20, 27));
    paintSoftShadow(painter, mark, QPointF(1, 1.2), 1, 0.35);
    painter.setBrush(Qt::white);
    painter.drawPath(mark);
}

} // namespace

QImage openCommandIcon(qreal scale) {
    return buttonPicture(kIconHeight, paintOpenFolder, scale);
}

QImage saveCommandIcon(qreal scale) {
    return buttonPicture(kIconHeight, paintFloppy, scale);
}

QImage copyCommandIcon(qreal scale) {
    return buttonPicture(kIconHeight, paintPrintsIntoFolder, scale);
}

QImage listCommandIcon(qreal scale) {
    return buttonPicture(kIconHeight, paintOrderSheet, scale);
}

QImage helpCommandIcon(qreal scale) {
    return buttonPicture(kHelpIconHeight, paintHelpSign, scale);
}
