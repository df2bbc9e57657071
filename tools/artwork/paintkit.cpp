#include "paintkit.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QTransform>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// 96 dots per inch.
constexpr int kDotsPerMetre = 3780;

// Below this alpha a pixel of a masked picture counts as background.
constexpr int kMaskAlpha = 72;

QString dejaVuFamily(bool bold) {
    // Loaded from the file of the Debian package, never picked from whatever
    // the machine happens to have installed.
    static const QString families[2] = {
        [] {
            const int id = QFontDatabase::addApplicationFont(
                QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
            return id < 0 ? QString() : QFontDatabase::applicationFontFamilies(id).value(0);
        }(),
        [] {
            const int id = QFontDatabase::addApplicationFont(
                QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
            return id < 0 ? QString() : QFontDatabase::applicationFontFamilies(id).value(0);
        }(),
    };
    const QString& family = families[bold ? 1 : 0];
    if (family.isEmpty()) {
        std::fprintf(stderr, "makeassets: the DejaVu Sans fonts (fonts-dejavu-core) are missing\n");
        std::exit(1);
    }
    return family;
}

QFont dejaVu(qreal pixelSize, bool bold) {
    QFont font(dejaVuFamily(bold));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

} // namespace

QImage transparentCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    return image;
}

QImage opaqueCanvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    return image;
}

QImage flattenOnBlackMask(const QImage& art, const QColor& matte) {
    const QImage source = art.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_RGB888);
    out.setDotsPerMeterX(kDotsPerMetre);
    out.setDotsPerMeterY(kDotsPerMetre);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = source.pixel(x, y);
            const int alpha = qAlpha(pixel);
            if (alpha < kMaskAlpha) {
                out.setPixel(x, y, qRgb(0, 0, 0));
                continue;
            }
            const auto over = [alpha](int front, int back) {
                return (front * alpha + back * (255 - alpha) + 127) / 255;
            };
            int r = over(qRed(pixel), matte.red());
            int g = over(qGreen(pixel), matte.green());
            int b = over(qBlue(pixel), matte.blue());
            if (r == 0 && g == 0 && b == 0)
                r = g = b = kInk.red();
            out.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return out;
}

void beginSmooth(QPainter& painter, QImage& image) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QColor mixColor(const QColor& a, const QColor& b, qreal t) {
    const auto lerp = [t](int from, int to) { return qRound(from + (to - from) * t); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QPainterPath textPath(const QString& text, qreal pixelSize, bool bold) {
    QPainterPath path;
    path.addText(QPointF(0, 0), dejaVu(pixelSize, bold), text);
    return path;
}

qreal textAdvance(const QString& text, qreal pixelSize, bool bold) {
    return QFontMetricsF(dejaVu(pixelSize, bold)).horizontalAdvance(text);
}

QPainterPath fitPath(const QPainterPath& path, const QRectF& box, Qt::Alignment alignment) {
    const QRectF bounds = path.boundingRect();
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    const qreal centreX =
        alignment & Qt::AlignLeft ? box.left() + bounds.width() * scale / 2 : box.center().x();
    QTransform transform;
    transform.translate(centreX, box.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

void paintSoftShadow(QPainter& painter, const QPainterPath& shape, const QPointF& offset,
                     int spread, qreal opacity) {
    painter.save();
    painter.translate(offset);
    painter.setBrush(Qt::NoBrush);
    const qreal step = opacity / std::max(1, spread);
    for (int i = spread; i >= 1; --i) {
        painter.setPen(QPen(QColor::fromRgbF(0, 0, 0, step), 2.0 * i, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        painter.drawPath(shape);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0, 0, 0, std::min(1.0, opacity * 1.5)));
    painter.drawPath(shape);
    painter.restore();
}

void paintScene(QPainter& painter, const QRectF& r, Scene scene) {
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    painter.setPen(Qt::NoPen);

    QColor skyTop, skyBottom, sun, farHill, nearHill;
    QPointF sunCentre;
    switch (scene) {
    case Scene::Daylight:
        skyTop = QColor(70, 140, 245);
        skyBottom = QColor(190, 225, 255);
        sun = QColor(255, 200, 40);
        farHill = QColor(110, 185, 90);
        nearHill = QColor(50, 140, 60);
        sunCentre = QPointF(r.left() + r.width() * 0.72, r.top() + r.height() * 0.30);
        break;
    case Scene::Sunset:
        skyTop = QColor(255, 150, 50);
        skyBottom = QColor(255, 225, 150);
        sun = QColor(255, 250, 215);
        farHill = QColor(150, 80, 120);
        nearHill = QColor(80, 45, 100);
        sunCentre = QPointF(r.left() + r.width() * 0.35, r.top() + r.height() * 0.52);
        break;
    case Scene::Lake:
        skyTop = QColor(120, 175, 250);
        skyBottom = QColor(225, 240, 255);
        sun = QColor(255, 140, 20);
        farHill = QColor(60, 110, 200);
        nearHill = QColor(30, 70, 190);
        sunCentre = QPointF(r.left() + r.width() * 0.25, r.top() + r.height() * 0.28);
        break;
    }

    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, skyTop);
    sky.setColorAt(1, skyBottom);
    painter.fillRect(r, sky);

    const qreal sunRadius = std::max(1.6, std::min(r.width(), r.height()) * 0.16);
    painter.setBrush(sun);
    painter.drawEllipse(sunCentre, sunRadius, sunRadius);

    QPainterPath far;
    far.moveTo(r.left(), r.top() + r.height() * 0.70);
    far.cubicTo(r.left() + r.width() * 0.30, r.top() + r.height() * 0.38,
                r.left() + r.width() * 0.55, r.top() + r.height() * 0.62, r.right(),
                r.top() + r.height() * 0.48);
    far.lineTo(r.bottomRight());
    far.lineTo(r.bottomLeft());
    far.closeSubpath();
    painter.setBrush(farHill);
    painter.drawPath(far);

    QPainterPath near;
    near.moveTo(r.left(), r.top() + r.height() * 0.86);
    near.cubicTo(r.left() + r.width() * 0.40, r.top() + r.height() * 0.60,
                 r.left() + r.width() * 0.70, r.top() + r.height() * 0.92, r.right(),
                 r.top() + r.height() * 0.74);
    near.lineTo(r.bottomRight());
    near.lineTo(r.bottomLeft());
    near.closeSubpath();
    painter.setBrush(nearHill);
    painter.drawPath(near);
    painter.restore();
}

void paintPrint(QPainter& painter, const Print& print, qreal shadowOpacity) {
    painter.save();
    painter.translate(print.centre);
    painter.rotate(print.angle);
    const QRectF outer(-print.size.width() / 2, -print.size.height() / 2, print.size.width(),
                       print.size.height());
    QPainterPath paper;
    paper.addRect(outer);
    if (shadowOpacity > 0)
        paintSoftShadow(painter, paper, QPointF(0.8, 1.2), 2, shadowOpacity);

    painter.setPen(QPen(QColor(170, 170, 180), 0.6));
    painter.setBrush(QColor(252, 252, 250));
    painter.drawRect(outer);
    const QRectF inner = outer.adjusted(print.border, print.border, -print.border,
                                        -print.border * (print.border > 1.5 ? 1.6 : 1.0));
    paintScene(painter, inner, print.scene);
    painter.restore();
}

void paintPhotoStack(QPainter& painter, const QRectF& box) {
    // Prints in a 48 x 48 design, scaled into the box.
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 48.0, box.height() / 48.0);
    const qreal border = box.width() < 24 ? 4.0 : 3.0;
    paintPrint(painter, {QPointF(20, 22), QSizeF(34, 27), -16, Scene::Lake, border}, 0.25);
    paintPrint(painter, {QPointF(25, 23), QSizeF(34, 27), -4, Scene::Sunset, border}, 0.25);
    paintPrint(painter, {QPointF(27, 27), QSizeF(36, 29), 9, Scene::Daylight, border}, 0.30);
    painter.restore();
}

QImage toRgb24(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_RGB888);
    out.setDotsPerMeterX(kDotsPerMetre);
    out.setDotsPerMeterY(kDotsPerMetre);
    return out;
}
