#include "platform/controls/picturebox.h"

#include "platform/controls/focusmark.h"
#include "platform/units/syscolours.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <utility>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    m_surface = QImage(1, 1, QImage::Format_RGB32);
    m_surface.fill(colourFromValue(m_backColor));
}

void PictureBox::setBackColor(std::uint32_t colour) {
    m_backColor = colour;
    Cls();
}

void PictureBox::setPicture(const QImage& picture) {
    setPicture(picture, picture.size());
}

void PictureBox::setPicture(const QImage& picture, QSize trueSize, const SampleGrid& kept) {
    m_picture = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    m_kept = SampleGrid();
    if (m_autoSize && !m_picture.isNull()) {
        // Cls draws the surface anew from the picture: nothing of it need be kept.
        if (m_picture.size() != m_surface.size()) {
            m_surface = m_picture;
            m_scaleWidth = -1;
            m_scaleHeight = -1;
        }
        setGeometry(QRect(pos(), m_picture.size()));
        setScaleWidth(trueSize.width());
        setScaleHeight(trueSize.height());
        if (!kept.empty() && int(kept.columns.size()) == m_picture.width() &&
            int(kept.rows.size()) == m_picture.height())
            m_kept = kept;
    }
    Cls();
}

quintptr PictureBox::PictureHandle() const {
    return m_picture.isNull() ? 0 : static_cast<quintptr>(m_picture.cacheKey());
}

void PictureBox::setPictureFromImage() {
    m_picture = m_surface.copy();
    update();
}

bool PictureBox::toPixel(double x, double y, int* px, int* py) const {
    if (!(x >= 0 && y >= 0 && x < ScaleWidth() && y < ScaleHeight()))
        return false;
    if (!m_kept.empty()) {
        *px = keptIndex(m_kept.columns, x);
        *py = keptIndex(m_kept.rows, y);
    } else {
        // A custom scale maps onto the same pixels.
        *px = scaledPixel(x, m_surface.width(), m_scaleWidth);
        *py = scaledPixel(y, m_surface.height(), m_scaleHeight);
    }
    return *px >= 0 && *py >= 0 && *px < m_surface.width() && *py < m_surface.height();
}

std::int32_t PictureBox::Point(double x, double y) const {
    int px = 0;
    int py = 0;
    if (!toPixel(x, y, &px, &py))
        return -1;
    return valueFromColour(m_surface.pixel(px, py));
}

void PictureBox::PSet(double x, double y, std::int32_t colour) {
    int px = 0;
    int py = 0;
    if (!toPixel(x, y, &px, &py))
        return;
    const QColor c = colourFromValue(static_cast<std::uint32_t>(colour));
    m_surface.setPixel(px, py, c.rgb());
}

void PictureBox::Cls() {
    // A picture as large as the surface is the whole drawing: shared, not
    // copied (a large photo in the loader costs no second copy).
    if (!m_picture.isNull() && m_picture.size() == m_surface.size()) {
        m_surface = m_picture;
        update();
        return;
    }
    // Shared with a picture handed out: start afresh rather than copy it.
    if (!m_surface.isDetached())
        m_surface = QImage(m_surface.size(), QImage::Format_RGB32);
    m_surface.fill(colourFromValue(m_backColor));
    if (!m_picture.isNull()) {
        QPainter painter(&m_surface);
        painter.drawImage(0, 0, m_picture);
    }
    update();
}

void PictureBox::PaintPicture(const QImage& picture, double x, double y) {
    QPainter painter(&m_surface);
    painter.drawImage(QPointF(std::floor(x), std::floor(y)), picture);
    update();
}

void PictureBox::Refresh() {
    update();
}

int PictureBox::ScaleWidth() const {
    return m_scaleWidth > 0 ? m_scaleWidth : m_surface.width();
}

int PictureBox::ScaleHeight() const {
    return m_scaleHeight > 0 ? m_scaleHeight : m_surface.height();
}

void PictureBox::setScaleWidth(int width) {
    m_scaleWidth = width == m_surface.width() ? -1 : width;
}

void PictureBox::setScaleHeight(int height) {
    m_scaleHeight = height == m_surface.height() ? -1 : height;
}

void PictureBox::setBoxWidth(int pixels) {
    place(QRect(pos(), QSize(pixels, height())));
}

void PictureBox::setBoxHeight(int pixels) {
    place(QRect(pos(), QSize(width(), pixels)));
}

void PictureBox::place(const QRect& geometry) {
    setGeometry(geometry);
    resizeSurface(geometry.size());
}

void PictureBox::resizeSurface(const QSize& size) {
    const QSize wanted(qMax(1, size.width()), qMax(1, size.height()));
    if (wanted == m_surface.size())
        return;
    QImage next(wanted, QImage::Format_RGB32);
    next.fill(colourFromValue(m_backColor));
    QPainter painter(&next);
    painter.drawImage(0, 0, m_surface);
    m_surface = next;
    m_scaleWidth = -1;
    m_scaleHeight = -1;
    m_kept = SampleGrid();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    resizeSurface(size());
}

void PictureBox::setSharper(const QImage& drawing) {
    m_sharper.set(m_surface, drawing);
    update();
}

QImage PictureBox::Sharper() const {
    return m_sharper.of(m_surface);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0),
                      m_sharper.toDraw(m_surface, painter.device()->devicePixelRatio()));
    if (showsFocusMark(*this))
        paintFocusMark(painter, rect());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool endsDoubleClick = std::exchange(m_releaseEndsDoubleClick, false);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !endsDoubleClick)
        emit Click();
    QWidget::mouseReleaseEvent(event);
}

// The box has no double click of its own: a double click is one click, raised
// by its first release.
void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    m_releaseEndsDoubleClick = event->button() == Qt::LeftButton;
    QWidget::mouseDoubleClickEvent(event);
}
