#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>

// Drawing helpers shared by the pictures. Everything here is deterministic:
// no randomness, no system fonts, fixed resolution.

// The brand colours of the main window.
inline const QColor kBrandBlue(0, 0, 255);
inline const QColor kBrandOrange(255, 128, 0);
// Dark strokes on masked button pictures: pure black is their mask colour.
inline const QColor kInk(20, 20, 20);

// A fully transparent ARGB canvas; dots per metre fixed so the files do not
// depend on the screen of the machine that runs the generator.
QImage transparentCanvas(int width, int height);
// An opaque 24-bit canvas filled with one colour.
QImage opaqueCanvas(int width, int height, const QColor& fill);

// Turns artwork painted on a transparent canvas into a 24-bit picture for a
// button whose mask colour is black: almost transparent pixels become black,
// the others are laid over `matte` (the button face they will sit on), so
// their soft edges carry no dark fringe. No artwork pixel ends up pure black.
QImage flattenOnBlackMask(const QImage& art, const QColor& matte);

// Painter with antialiasing on.
void beginSmooth(QPainter& painter, QImage& image);
// Runs `paint` with a smooth painter on `image` and returns the result. The
// painting is designed in pixels of the 1x picture; `scale` draws it on a
// canvas made `scale` times larger.
QImage paintSmooth(QImage image, const std::function<void(QPainter&)>& paint, qreal scale = 1);

// A length of the 1x picture on a canvas `scale` times larger.
int scaledLength(int length, qreal scale);

// Linear mix of two colours, t = 0 gives a, t = 1 gives b.
QColor mixColor(const QColor& a, const QColor& b, qreal t);

// Outline of `text` in the bundled DejaVu Sans (bold or book), unhinted, with
// its baseline at y = 0 and its origin at x = 0.
QPainterPath textPath(const QString& text, qreal pixelSize, bool bold);
// Horizontal advance of `text` in the same font.
qreal textAdvance(const QString& text, qreal pixelSize, bool bold);
// Scales and moves `path` so that it fits `box`, keeping its proportions;
// centred, or against the box's left side with Qt::AlignLeft.
QPainterPath fitPath(const QPainterPath& path, const QRectF& box,
                     Qt::Alignment alignment = Qt::AlignCenter);

// A soft shadow under `shape`: the shape offset by `offset`, blurred by
// layering it `spread` times with growing pens.
void paintSoftShadow(QPainter& painter, const QPainterPath& shape, const QPointF& offset,
                     int spread, qreal opacity);

// The little landscapes on the photo prints.
enum class Scene { Daylight, Sunset, Lake };
void paintScene(QPainter& painter, const QRectF& rect, Scene scene);

// A photo print: white border around a scene, turned by `angle` degrees about
// `centre`. `border` is the white margin in pixels.
struct Print {
    QPointF centre;
    QSizeF size;
    qreal angle = 0;
    Scene scene = Scene::Daylight;
    qreal border = 2;
};
void paintPrint(QPainter& painter, const Print& print, qreal shadowOpacity);

// A small stack of three prints filling `box`: the program's emblem.
void paintPhotoStack(QPainter& painter, const QRectF& box);

// The same picture without alpha, so that it is stored as 24-bit RGB.
QImage toRgb24(const QImage& image);
