#include "platform/controls/focusmark.h"

#include <QPainter>
#include <QWidget>

QRect focusMarkRect(const QRect& box) {
    return box.adjusted(1, 1, -1, -1);
}

bool isFocusDot(const QRect& outline, int x, int y) {
    const bool onOutline = outline.contains(x, y) && (x == outline.left() || x == outline.right() ||
                                                      y == outline.top() || y == outline.bottom());
    return onOutline && (x - outline.left() + y - outline.top()) % 2 == 0;
}

void paintFocusMark(QPainter& painter, const QRect& box) {
    // Dots of one device pixel: on a screen with more device pixels to a
    // pixel the mark is drawn in the device's own pixels, one pixel inside.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1;
    QRect outline = focusMarkRect(box);
    painter.save();
    if (ratio > 1) {
        const int inset = qRound(ratio);
        const QRect device(
            QPoint(qRound(box.left() * ratio), qRound(box.top() * ratio)),
            QPoint(qRound((box.right() + 1) * ratio) - 1, qRound((box.bottom() + 1) * ratio) - 1));
        outline = device.adjusted(inset, inset, -inset, -inset);
        painter.scale(1 / ratio, 1 / ratio);
    }
    if (outline.width() < 1 || outline.height() < 1) {
        painter.restore();
        return;
    }
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::NoPen);
    const auto dot = [&](int x, int y) {
        if (isFocusDot(outline, x, y))
            painter.fillRect(QRect(x, y, 1, 1), Qt::white);
    };
    for (int x = outline.left(); x <= outline.right(); ++x) {
        dot(x, outline.top());
        if (outline.bottom() != outline.top())
            dot(x, outline.bottom());
    }
    for (int y = outline.top() + 1; y < outline.bottom(); ++y) {
        dot(outline.left(), y);
        if (outline.right() != outline.left())
            dot(outline.right(), y);
    }
    painter.restore();
}

bool showsFocusMark(const QWidget& widget) {
    return widget.hasFocus() && widget.isActiveWindow();
}
