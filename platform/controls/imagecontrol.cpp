#include "platform/controls/imagecontrol.h"

#include "platform/units/sharperimages.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageControl::setPicture(const QImage& picture, const QList<QImage>& sharper) {
    m_picture = picture;
    m_sharper = sharper;
    update();
}

void ImageControl::setStretch(bool stretch) {
    m_stretch = stretch;
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    const QImage picture = imageForRatio(m_picture, m_sharper, devicePixelRatioF());
    QPainter painter(this);
    // A drawing made for this box at the device's pixels is shown as it is:
    // at 1.5x the box is a fraction of a device pixel smaller than it.
    const bool madeForBox =
        picture.devicePixelRatio() > 1 &&
        (QSizeF(picture.size()) / picture.devicePixelRatio()).toSize() == size();
    if (m_stretch && !madeForBox) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture);
    } else {
        painter.drawImage(QPointF(0, 0), picture);
    }
}

// Accepted, so that Qt does not hand the press and the release on to the
// parent: an icon over the preview must not also add the photo.
void ImageControl::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool endsDoubleClick = std::exchange(m_releaseEndsDoubleClick, false);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !endsDoubleClick)
        emit Click();
}

// No double click of its own: a double click is one click, raised by its
// first release.
void ImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    m_releaseEndsDoubleClick = event->button() == Qt::LeftButton;
}
