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

// Colours of a scene, and where its sun stands as a fraction of the picture.
struct ScenePalette {
    QColor skyTop, skyBottom, sun, farHill, nearHill;
    qreal sunX, sunY;
};

// In the order of Scene.
const ScenePalette kScenePalettes[] = {
    {{70, 140, 245}, {190, 225, 255}, {255, 200, 40}, {110, 185, 90}, {50, 140, 60}, 0.72, 0.30},
    {{255, 150, 50}, {255, 225, 150}, {255, 250, 215}, {150, 80, 120}, {80, 45, 100}, 0.35, 0.52},
    {{120, 175, 250}, {225, 240, 255}, {255, 140, 20}, {60, 110, 200}, {30, 70, 190}, 0.25, 0.28},
};

// A hill filling `r` below the curve through the four points, which are
// fractions of the picture's width and height.
QPainterPath hillPath(const QRectF& r, const QPointF& start, const QPointF& control1,
                      const QPointF& control2, const QPointF& end) {
    const auto at = [&r](const QPointF& f) {
        return QPointF(r.left() + r.width() * f.x(), r.top() + r.height() * f.y());
    };
    QPainterPath hill;
    hill.moveTo(at(start));
    hill.cubicTo(at(control1), at(control2), at(end));
    hill.lineTo(r.bottomRight());
    hill.lineTo(r.bottomLeft());
    hill.closeSubpath();
    return hill;
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

QImage paintSmooth(QImage image, const std::function<void(QPainter&)>& paint, qreal scale) {
    QPainter painter;
    beginSmooth(painter, image);
    painter.scale(scale, scale);
    paint(painter);
    painter.end();
    return image;
}

int scaledLength(int length, qreal scale) {
    return qRound(length * scale);
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

    const ScenePalette& palette = kScenePalettes[static_cast<int>(scene)];
    const QPointF sunCentre(r.left() + r.width() * palette.sunX,
                            r.top() + r.height() * palette.sunY);

    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, palette.skyTop);
    sky.setColorAt(1, palette.skyBottom);
    painter.fillRect(r, sky);

    const qreal sunRadius = std::max(1.6, std::min(r.width(), r.height()) * 0.16);
    painter.setBrush(palette.sun);
    painter.drawEllipse(sunCentre, sunRadius, sunRadius);

    // Hill crests: height at the left edge, two control points, height at the
    // right edge, as fractions of the picture.
    painter.setBrush(palette.farHill);
    painter.drawPath(hillPath(r, {0.0, 0.70}, {0.30, 0.38}, {0.55, 0.62}, {1.0, 0.48}));
    painter.setBrush(palette.nearHill);
    painter.drawPath(hillPath(r, {0.0, 0.86}, {0.40, 0.60}, {0.70, 0.92}, {1.0, 0.74}));
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
