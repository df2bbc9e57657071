#include "platform/controls/pathlabel.h"

#include "platform/controls/gridtextwrap.h"

#include <QPainter>
#include <QStyle>

PathLabel::PathLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

QString PathLabel::shownText() const {
    const QFontMetrics metrics(font());
    const int width = contentsRect().width();
    return cutPathInMiddle(
        text(), [&](const QString& shown) { return metrics.horizontalAdvance(shown) <= width; });
}

void PathLabel::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}
