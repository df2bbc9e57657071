#include "selection/lighttable/largephoto.h"

#include "app/core/areascale.h"
#include "platform/files/picturefile.h"
#include "selection/order/pathnames.h"

#include <QFutureWatcher>
#include <QKeyEvent>
#include <QPainter>
#include <QtConcurrentRun>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 8;

struct Made {
    QImage picture;
    QString error;
};

// The reduced decode that covers the area's long side, averaged down to fit
// the area at its shape; never enlarged.
Made makeLarge(const QString& path, QSize device, const std::atomic<bool>* stop) {
    const PictureRead read =
        readPictureAtLeast(path, std::max(device.width(), device.height()), ReadWatch{{}, stop});
    if (!read.ok())
        return {{}, read.error};
    const QSize fit =
        read.fullSize.scaled(device, Qt::KeepAspectRatio).boundedTo(read.image.size());
    return {areaAverage(read.image, fit.expandedTo({1, 1})), {}};
}

} // namespace

LargePhoto::LargePhoto(std::function<QImage(const QString&)> small, QWidget* parent)
    : QWidget(parent), m_small(std::move(small)) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Photo shown large"));
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, Qt::white);
    setPalette(dark);
}

LargePhoto::~LargePhoto() {
    if (m_stop)
        m_stop->store(true);
}

void LargePhoto::showPhoto(const QString& path) {
    m_path = path;
    setAccessibleDescription(solo_file(path));
    m_standIn = m_small ? m_small(path) : QImage();
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
    // A decode still going is for a photo or a size left behind.
    if (m_stop)
        m_stop->store(true);
    m_stop.reset();
    m_making = false;
    const QRect area = pictureArea();
    if (m_path.isEmpty() || area.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize device(static_cast<int>(std::lround(area.width() * ratio)),
                       static_cast<int>(std::lround(area.height() * ratio)));
    // Decoded on a worker: a large photo never holds the window up.
    m_making = true;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    const int asked = ++m_asked;
    auto* watch = new QFutureWatcher<Made>(this);
    connect(watch, &QFutureWatcher<Made>::finished, this, [this, watch, asked, ratio] {
        watch->deleteLater();
        if (asked != m_asked)
            return;
        const Made made = watch->result();
        m_making = false;
        m_error = made.error;
        m_picture = made.picture;
        m_picture.setDevicePixelRatio(ratio);
        update();
    });
    watch->setFuture(QtConcurrent::run(
        [path = m_path, device, stop = m_stop] { return makeLarge(path, device, stop.get()); }));
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
    } else if (m_making && !m_standIn.isNull()) {
        // The small picture stands in, fitted to the area, smoothly.
        const QSize size = m_standIn.size().scaled(area.size(), Qt::KeepAspectRatio);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size),
                          m_standIn);
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
