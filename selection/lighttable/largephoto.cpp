#include "selection/lighttable/largephoto.h"

#include "app/core/areascale.h"
#include "platform/files/picturefile.h"
#include "selection/order/pathnames.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 8;

} // namespace

LargePhoto::LargePhoto(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Photo shown large"));
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, Qt::white);
    setPalette(dark);
}

void LargePhoto::showPhoto(const QString& path) {
    m_path = path;
    setAccessibleDescription(solo_file(path));
    makePicture();
    update();
}

QRect LargePhoto::pictureArea() const {
    const int line = fontMetrics().height();
    return rect().adjusted(kMargin, kMargin, -kMargin, -kMargin - line);
}

void LargePhoto::makePicture() {
    m_picture = {};
    m_error.clear();
    const QRect area = pictureArea();
    if (m_path.isEmpty() || area.isEmpty())
        return;
    // The reduced decode that covers the area's long side, averaged down to
    // fit the area at its shape; never enlarged.
    const qreal ratio = devicePixelRatioF();
    const QSize device(static_cast<int>(std::lround(area.width() * ratio)),
                       static_cast<int>(std::lround(area.height() * ratio)));
    const PictureRead read = readPictureAtLeast(m_path, std::max(device.width(), device.height()));
    if (!read.ok()) {
        m_error = read.error;
        return;
    }
    QSize fit = read.fullSize.scaled(device, Qt::KeepAspectRatio).boundedTo(read.image.size());
    m_picture = areaAverage(read.image, fit.expandedTo({1, 1}));
    m_picture.setDevicePixelRatio(ratio);
}

void LargePhoto::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = pictureArea();
    const qreal ratio = devicePixelRatioF();
    if (!m_picture.isNull()) {
        // Centred at whole device pixels, drawn one to one.
        const QPointF at((std::lround(area.left() * ratio) +
                          (std::lround(area.width() * ratio) - m_picture.width()) / 2) /
                             ratio,
                         (std::lround(area.top() * ratio) +
                          (std::lround(area.height() * ratio) - m_picture.height()) / 2) /
                             ratio);
        painter.drawImage(at, m_picture);
    } else if (!m_error.isEmpty()) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Cannot be read: %1").arg(m_error));
    }
    const QRect line(kMargin, area.bottom() + 1, width() - 2 * kMargin, fontMetrics().height());
    painter.drawText(line, Qt::AlignHCenter,
                     fontMetrics().elidedText(solo_file(m_path), Qt::ElideMiddle, line.width()));
}

void LargePhoto::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Space:
        emit back();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        emit step(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit step(1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void LargePhoto::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible())
        makePicture();
}
