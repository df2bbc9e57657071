#include "focusmark.h"

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
    const QRect outline = focusMarkRect(box);
    if (outline.width() < 1 || outline.height() < 1)
        return;
    painter.save();
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
