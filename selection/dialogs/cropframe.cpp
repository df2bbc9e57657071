#include "selection/dialogs/cropframe.h"

#include "platform/units/syscolours.h"

#include <QEvent>
#include <QPainter>

namespace {

// The dialog's own orange.
constexpr std::uint32_t kFrameColour = 0x000080FF;

} // namespace

CropFrame::CropFrame(QWidget* over) : QWidget(over) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(over->rect());
    over->installEventFilter(this);
    hide();
}

void CropFrame::setPart(const QRect& part) {
    m_part = part;
    setVisible(!part.isEmpty());
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
    painter.setPen(QPen(colourFromValue(kFrameColour), 1));
    painter.setBrush(Qt::NoBrush);
    // A 1-pixel pen draws a rectangle one pixel larger than it: its last
    // column and row are the part's own.
    painter.drawRect(m_part.adjusted(0, 0, -1, -1));
}
