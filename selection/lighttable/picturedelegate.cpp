#include "selection/lighttable/picturedelegate.h"

#include "selection/lighttable/tablepictures.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace {

constexpr QRgb kFrame = qRgb(232, 232, 232);
constexpr QRgb kUnreadable = qRgb(160, 32, 32);

// Lines of text under the frame, and the gap above them.
constexpr int kGap = 4;

} // namespace

PictureDelegate::PictureDelegate(TablePictures& pictures, PathOf path, LinesOf lines, int lineCount,
                                 QObject* parent)
    : QStyledItemDelegate(parent), m_pictures(pictures), m_path(std::move(path)),
      m_lines(std::move(lines)), m_lineCount(lineCount) {}

QSize PictureDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    const int lines = option.fontMetrics.height() * m_lineCount;
    return {m_side + 2 * kMargin, kMargin + m_side + kGap + lines + kMargin};
}

void PictureDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    painter->save();
    // The selection's and the hover's background, without the item's text.
    opt.text.clear();
    opt.icon = {};
    opt.features &= ~QStyleOptionViewItem::HasDecoration;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    // The frame centred across the item, at whole pixels.
    const QRect item = option.rect;
    const QRect frame(item.left() + (item.width() - m_side) / 2, item.top() + kMargin, m_side,
                      m_side);
    painter->fillRect(frame, QColor(kFrame));
    const TablePictures::Picture picture = m_pictures.picture(m_path(index));
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    if (!picture.error.isEmpty()) {
        painter->setPen(QColor(kUnreadable));
        painter->drawRect(frame.adjusted(0, 0, -1, -1));
        painter->drawText(frame.adjusted(kMargin, kMargin, -kMargin, -kMargin),
                          Qt::AlignCenter | Qt::TextWordWrap, tr("Cannot be read"));
    } else if (!picture.image.isNull()) {
        // Placed in device pixels, drawn one to one; a picture of the size
        // left behind stands in, fitted, until its new one comes.
        const int device = static_cast<int>(std::lround(m_side * ratio));
        QSize size = picture.image.size();
        if (!picture.current)
            size.scale(device, device, Qt::KeepAspectRatio);
        const auto onDevice = [ratio](int logical, int offset) {
            return (std::lround(logical * ratio) + offset) / ratio;
        };
        const QPointF at(onDevice(frame.left(), (device - size.width()) / 2),
                         onDevice(frame.top(), (device - size.height()) / 2));
        QImage image = picture.image;
        image.setDevicePixelRatio(ratio);
        if (picture.current)
            painter->drawImage(at, image);
        else
            painter->drawImage(QRectF(at, QSizeF(size) / ratio), image);
    }

    // The lines, the first a file name that keeps its end.
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QFontMetrics& metrics = option.fontMetrics;
    QRect line(item.left() + kMargin / 2, frame.bottom() + 1 + kGap, item.width() - kMargin,
               metrics.height());
    const QStringList lines = m_lines(index);
    for (int i = 0; i < lines.size() && i < m_lineCount; ++i, line.translate(0, metrics.height()))
        painter->drawText(
            line, Qt::AlignHCenter | Qt::AlignTop,
            metrics.elidedText(lines[i], i == 0 ? Qt::ElideMiddle : Qt::ElideRight, line.width()));
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = item.adjusted(1, 1, -1, -1);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

bool PictureDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString path = m_path(index);
    QString tip = path;
    if (const QString error = m_pictures.picture(path).error; !error.isEmpty())
        tip += QStringLiteral("\nCannot be read: %1").arg(error);
    if (const QString more = index.data(Qt::ToolTipRole).toString(); !more.isEmpty())
        tip += QLatin1Char('\n') + more;
    QToolTip::showText(event->globalPos(), tip, view);
    return true;
}
