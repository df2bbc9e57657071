#include "artwork.h"
#include "paintkit.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace {

constexpr int kBannerWidth = 1013;
constexpr int kBannerHeight = 92;

// The banner lies 8 pixels left of the window's edge, so window x is banner
// x - 8. Between the order-list button and the help button (window x 604 to
// 760) the band is free for the prints.
constexpr qreal kFanCentreX = 690;

void paintBlueBand(QPainter& painter) {
    const QRectF band(0, 0, kBannerWidth, kBannerHeight);
    QLinearGradient across(0, 0, kBannerWidth, 0);
    across.setColorAt(0.00, QColor(6, 26, 128));
    across.setColorAt(0.40, QColor(18, 64, 196));
    across.setColorAt(1.00, QColor(64, 132, 232));
    painter.fillRect(band, across);

    QLinearGradient gloss(0, 0, 0, kBannerHeight);
    gloss.setColorAt(0.00, QColor(255, 255, 255, 56));
    gloss.setColorAt(0.45, QColor(255, 255, 255, 8));
    gloss.setColorAt(0.46, QColor(255, 255, 255, 0));
    gloss.setColorAt(1.00, QColor(0, 0, 40, 40));
    painter.fillRect(band, gloss);

    // A soft light behind the prints.
    QRadialGradient glow(QPointF(kFanCentreX, 44), 120);
    glow.setColorAt(0, QColor(255, 255, 255, 70));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(band, glow);
}

// Faint outlines of scattered prints, a texture for the right part of the
// band; the logo's part stays plain.
void paintPrintTexture(QPainter& painter) {
    struct Ghost {
        qreal x, y, w, h, angle;
    };
    static const Ghost ghosts[] = {
        {370, 20, 46, 34, -12}, {430, 74, 52, 38, 8},   {505, 14, 40, 30, 15},
        {560, 66, 44, 34, -6},  {615, 8, 36, 28, -20},  {790, 70, 50, 38, 12},
        {815, 16, 42, 32, -8},  {880, 52, 56, 42, -15}, {940, 12, 40, 30, 10},
        {985, 70, 48, 36, 4},   {335, 80, 38, 28, 18},  {470, 40, 30, 22, -3},
    };
    painter.save();
    painter.setPen(QPen(QColor(255, 255, 255, 46), 1.2));
    painter.setBrush(QColor(255, 255, 255, 14));
    for (const Ghost& g : ghosts) {
        painter.save();
        painter.translate(g.x, g.y);
        painter.rotate(g.angle);
        painter.drawRect(QRectF(-g.w / 2, -g.h / 2, g.w, g.h));
        painter.drawRect(QRectF(-g.w / 2 + 3.5, -g.h / 2 + 3.5, g.w - 7, g.h - 10));
        painter.restore();
    }
    painter.restore();
}

void paintPrintFan(QPainter& painter) {
    paintPrint(painter, {QPointF(kFanCentreX - 30, 48), QSizeF(50, 38), -14, Scene::Lake, 3.5},
               0.45);
    paintPrint(painter, {QPointF(kFanCentreX + 31, 46), QSizeF(50, 38), 12, Scene::Sunset, 3.5},
               0.45);
    paintPrint(painter, {QPointF(kFanCentreX, 43), QSizeF(54, 41), -1, Scene::Daylight, 3.5}, 0.50);
}

void paintOrangeRule(QPainter& painter) {
    painter.fillRect(QRectF(0, 83, kBannerWidth, 1), QColor(255, 255, 255, 60));
    QLinearGradient rule(0, 0, kBannerWidth, 0);
    rule.setColorAt(0, QColor(255, 112, 0));
    rule.setColorAt(0.5, QColor(255, 150, 30));
    rule.setColorAt(1, QColor(255, 112, 0));
    painter.fillRect(QRectF(0, 84, kBannerWidth, 3), rule);
    painter.fillRect(QRectF(0, 87, kBannerWidth, 1), QColor(150, 70, 0, 120));
}

void paintCalmWaves(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    QPainterPath wave;
    wave.moveTo(0, 70);
    wave.cubicTo(250, 48, 520, 92, 760, 64);
    wave.cubicTo(880, 50, 960, 60, kBannerWidth, 56);
    wave.lineTo(kBannerWidth, kBannerHeight);
    wave.lineTo(0, kBannerHeight);
    wave.closeSubpath();
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawPath(wave);

    QPainterPath line;
    line.moveTo(0, 78);
    line.cubicTo(260, 60, 540, 96, 800, 72);
    line.cubicTo(900, 64, 970, 70, kBannerWidth, 66);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 150, 40, 110), 1.4));
    painter.drawPath(line);
    painter.setPen(QPen(QColor(120, 160, 255, 90), 1.0));
    painter.drawPath(line.translated(0, -5));
}

void paintMainBanner(QPainter& painter) {
    paintBlueBand(painter);
    paintPrintTexture(painter);
    paintPrintFan(painter);
    paintOrangeRule(painter);
}

void paintLogo(QPainter& painter) {
    paintPhotoStack(painter, QRectF(0, -1, 40, 40));

    // The word with a dotless i; the dot becomes an orange ball.
    const qreal size = 40;
    const QString word = QStringLiteral("Marvol\u0131a");
    const QPainterPath raw = textPath(word, size, true);
    const QRectF box(51, 2, 243, 31);
    const QPainterPath text = fitPath(raw, box, Qt::AlignLeft);
    const qreal scale = text.boundingRect().height() / raw.boundingRect().height();
    const qreal stemCentre = textAdvance(QStringLiteral("Marvol"), size, true) +
                             textAdvance(QStringLiteral("\u0131"), size, true) / 2;
    const QPointF dot(text.boundingRect().left() + (stemCentre - raw.boundingRect().left()) * scale,
                      text.boundingRect().top() + 3.2);

    paintSoftShadow(painter, text, QPointF(1.2, 1.8), 2, 0.35);
    painter.setPen(Qt::NoPen);
    QLinearGradient fill(0, box.top(), 0, box.bottom());
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(222, 232, 255));
    painter.setBrush(fill);
    painter.drawPath(text);

    QPainterPath ball;
    ball.addEllipse(dot, 3.4, 3.4);
    paintSoftShadow(painter, ball, QPointF(1.0, 1.4), 1, 0.35);
    QRadialGradient orange(dot - QPointF(1, 1), 4);
    orange.setColorAt(0, QColor(255, 190, 90));
    orange.setColorAt(1, kBrandOrange);
    painter.setBrush(orange);
    painter.drawPath(ball);
}

void paintPropsBanner(QPainter& painter) {
    QLinearGradient down(0, 0, 0, kBannerHeight);
    down.setColorAt(0.00, QColor(208, 224, 255));
    down.setColorAt(0.55, QColor(244, 248, 255));
    down.setColorAt(1.00, QColor(222, 234, 255));
    painter.fillRect(QRectF(0, 0, kBannerWidth, kBannerHeight), down);
    paintCalmWaves(painter);
}

} // namespace

QImage mainBanner(qreal scale) {
    return toRgb24(paintSmooth(opaqueCanvas(scaledLength(kBannerWidth, scale),
                                            scaledLength(kBannerHeight, scale), Qt::white),
                               paintMainBanner, scale));
}

QImage logo(qreal scale) {
    return paintSmooth(transparentCanvas(scaledLength(296, scale), scaledLength(38, scale)),
                       paintLogo, scale);
}

QImage propsBanner(qreal scale) {
    return toRgb24(paintSmooth(opaqueCanvas(scaledLength(kBannerWidth, scale),
                                            scaledLength(kBannerHeight, scale), Qt::white),
                               paintPropsBanner, scale));
}
