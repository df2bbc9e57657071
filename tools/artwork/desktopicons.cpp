#include "artwork.h"
#include "paintkit.h"

#include <algorithm>

namespace {

const QColor kPaperEdge(120, 132, 160);
const QColor kFoldShade(214, 222, 238);

// A sheet of paper with its top-right corner folded down, inside `box`.
QPainterPath pageOutline(const QRectF& page, qreal fold) {
    QPainterPath path;
    path.moveTo(page.topLeft());
    path.lineTo(page.right() - fold, page.top());
    path.lineTo(page.right(), page.top() + fold);
    path.lineTo(page.bottomRight());
    path.lineTo(page.bottomLeft());
    path.closeSubpath();
    return path;
}

QPainterPath foldTriangle(const QRectF& page, qreal fold) {
    QPainterPath path;
    path.moveTo(page.right() - fold, page.top());
    path.lineTo(page.right() - fold, page.top() + fold);
    path.lineTo(page.right(), page.top() + fold);
    path.closeSubpath();
    return path;
}

void paintProjectPage(QPainter& painter, int size) {
    // Coordinates on half pixels keep the one-pixel outline crisp.
    const qreal s = size;
    const QRectF page(s * 0.16 + 0.5, 0.5, s * 0.68, s - 1);
    const qreal fold = s * 0.22;
    painter.setPen(QPen(kPaperEdge, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(pageOutline(page, fold));
    painter.setBrush(kFoldShade);
    painter.drawPath(foldTriangle(page, fold));

    // The order's lines, then the print the page stands for.
    if (size >= 32) {
        painter.setPen(QPen(kBrandBlue, 1));
        const qreal left = page.left() + s * 0.1;
        for (int i = 0; i < 3; ++i) {
            const qreal y = qRound(s * 0.3 + i * s * 0.08) + 0.5;
            const qreal right = page.right() - s * (i == 0 ? 0.28 : 0.1);
            painter.drawLine(QLineF(left, y, right, y));
        }
    }
    const qreal printWidth = size >= 32 ? s * 0.56 : s * 0.62;
    const QPointF centre(s * 0.5, size >= 32 ? s * 0.72 : s * 0.62);
    paintPrint(painter,
               {centre, QSizeF(printWidth, printWidth * 0.76), size >= 32 ? -8.0 : 0.0,
                Scene::Daylight, size >= 32 ? 2.0 : 1.0},
               0.3);

    // The brand's orange band at the foot of the page.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBrandOrange);
    const qreal band = std::max<qreal>(1.5, s * 0.06);
    painter.drawRect(QRectF(page.left() + 0.5, page.bottom() - band, page.width() - 1, band));
}

} // namespace

QImage projectFileIcon(int size) {
    return paintSmooth(transparentCanvas(size, size),
                       [size](QPainter& painter) { paintProjectPage(painter, size); });
}
