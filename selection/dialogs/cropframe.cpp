#include "selection/dialogs/cropframe.h"

#include "platform/controls/focusmark.h"
#include "platform/units/syscolours.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

namespace {

// The dialog's own orange.
constexpr std::uint32_t kFrameColour = 0x000080FF;
// What is cut off shows through half-dark.
const QColor kDim(0, 0, 0, 128);
// One notch of a wheel.
constexpr int kNotch = 120;

} // namespace

CropFrame::CropFrame(QWidget* over) : QWidget(over) {
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Print frame"));
    setAccessibleDescription(QStringLiteral(
        "What is printed: drag it, or move it with the arrow keys; + and - or the wheel make it "
        "larger or smaller"));
    setGeometry(over->rect());
    over->installEventFilter(this);
    hide();
}

void CropFrame::setPart(const QRect& part) {
    m_part = part;
    setVisible(!part.isEmpty());
    update();
}

void CropFrame::setPicture(const QRect& picture) {
    m_picture = picture;
    update();
}

bool CropFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

void CropFrame::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    if (m_part.isEmpty())
        return;
    QPainter painter(this);
    painter.setClipRegion(QRegion(m_picture).subtracted(QRegion(m_part)));
    painter.fillRect(m_picture, kDim);
    painter.setClipping(false);
    painter.setPen(QPen(colourFromValue(kFrameColour), 1));
    painter.setBrush(Qt::NoBrush);
    // A 1-pixel pen draws a rectangle one pixel larger than it: its last
    // column and row are the part's own.
    painter.drawRect(m_part.adjusted(0, 0, -1, -1));
    if (showsFocusMark(*this))
        paintFocusMark(painter, rect());
}

void CropFrame::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = event->position().toPoint();
    m_dragging = true;
    emit dragStarted();
}

void CropFrame::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        emit dragged(event->position().toPoint() - m_pressed);
}

void CropFrame::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
        emit stepped({-1, 0});
        return;
    case Qt::Key_Right:
        emit stepped({1, 0});
        return;
    case Qt::Key_Up:
        emit stepped({0, -1});
        return;
    case Qt::Key_Down:
        emit stepped({0, 1});
        return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        emit scaled(1);
        return;
    case Qt::Key_Minus:
        emit scaled(-1);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CropFrame::wheelEvent(QWheelEvent* event) {
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / kNotch;
    m_wheel -= steps * kNotch;
    if (steps != 0)
        emit scaled(steps);
}

void CropFrame::contextMenuEvent(QContextMenuEvent* event) {
    setFocus(Qt::OtherFocusReason);
    emit menuAsked(event->globalPos());
}

void CropFrame::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CropFrame::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
