#pragma once

#include <QImage>
#include <QList>

// A picture made for screens with more device pixels to a pixel comes as
// several images: the 1x one and sharper ones, each carrying its device
// pixel ratio (1.5 for a picture 1.5 times as large). Qt draws an image with
// a ratio at its 1x size.

// The image to draw at a device pixel ratio: of `base` (1x) and `sharper`,
// the one whose ratio is the smallest at or above `ratio`, else the one with
// the largest ratio. `base` at a ratio of 1 or less.
QImage imageForRatio(const QImage& base, const QList<QImage>& sharper, qreal ratio);

// A drawing made from `base` at a screen's device pixels. It stands for the
// base only while the base is the very image it was made from: Qt gives an
// image a new cache key whenever it is drawn on or replaced.
class SharperDrawing {
public:
    void set(const QImage& base, const QImage& drawing) {
        m_drawing = drawing;
        m_for = base.cacheKey();
    }
    // The drawing while `base` is unchanged, else a null image.
    QImage of(const QImage& base) const {
        return !base.isNull() && base.cacheKey() == m_for ? m_drawing : QImage();
    }
    // What to draw for `base` on a device of `ratio`: the drawing above 1x
    // while it stands, else the base itself.
    QImage toDraw(const QImage& base, qreal ratio) const {
        const QImage drawing = ratio > 1 ? of(base) : QImage();
        return drawing.isNull() ? base : drawing;
    }

private:
    QImage m_drawing;
    qint64 m_for = 0;
};
