#include "platform/controls/flexgrid.h"

#include "platform/controls/designfont.h"
#include "platform/controls/focusmark.h"
#include "platform/controls/gridgeometry.h"
#include "platform/controls/gridtextwrap.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <optional>

namespace {

constexpr int kDefaultRowHeight = 240; // twips: a line of the 11 px font plus room
constexpr int kDefaultColWidth = 960;  // twips
constexpr int kTextPadding = 2;        // pixels left and right of a cell text

// The grid's design colours, resolved once: 0x80000005 window background,
// 0x000080FF orange, 0x80000004 menu, 0x00FFC0C0 light blue, 0x8000000E
// highlight text, 0x00FFFFFF beyond the cells, 0x00C0C0C0 grid lines.
const QColor kCellBack(255, 255, 255);
const QColor kCellText(255, 128, 0);
const QColor kHeaderBack(255, 128, 0);
const QColor kHeaderText(212, 208, 200);
const QColor kSelectedBack(192, 192, 255);
const QColor kSelectedText(255, 255, 255);
const QColor kEmptyArea(255, 255, 255);
const QColor kGridLine(192, 192, 192);

std::optional<GridMove> moveOfKey(int key) {
    switch (key) {
    case Qt::Key_Up:
        return GridMove::Up;
    case Qt::Key_Down:
        return GridMove::Down;
    case Qt::Key_PageUp:
        return GridMove::PageUp;
    case Qt::Key_PageDown:
        return GridMove::PageDown;
    case Qt::Key_Home:
        return GridMove::Home;
    case Qt::Key_End:
        return GridMove::End;
    default:
        return std::nullopt;
    }
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    installAccessibility();
    setFont(designFont());
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    // A fresh grid: the header row and one empty row of two columns.
    setCols(2);
    setRows(2);
}

void FlexGrid::Clear() {
    for (auto& row : m_cells)
        std::fill(row.begin(), row.end(), Cell{});
    viewport()->update();
}

int FlexGrid::Rows() const {
    return m_rows;
}

void FlexGrid::setRows(int rows) {
    // The model's rows are the data rows.
    if (!m_model)
        resizeRows(rows);
}

void FlexGrid::resizeRows(int rows) {
    m_rows = std::max(0, rows);
    m_cells.resize(m_rows);
    for (auto& row : m_cells)
        row.resize(m_cols);
    m_rowHeights.resize(m_rows, -1);
    const bool hadPicked = m_picked.size() > m_rows && m_picked.indexOf(true, m_rows) >= 0;
    m_picked.resize(m_rows, false);
    if (m_anchor >= m_rows)
        m_anchor = -1;
    // The current row never points past the end: after the last row is
    // dropped the new last row is current.
    m_row = std::clamp(m_row, 0, std::max(0, m_rows - 1));
    updateScrollBars();
    viewport()->update();
    if (hadPicked)
        emit selectedRowsChanged();
}

int FlexGrid::Cols() const {
    return m_cols;
}

void FlexGrid::setCols(int cols) {
    m_cols = std::max(0, cols);
    for (auto& row : m_cells)
        row.resize(m_cols);
    m_colWidths.resize(m_cols, kDefaultColWidth);
    m_col = std::clamp(m_col, 0, std::max(0, m_cols - 1));
    updateScrollBars();
    viewport()->update();
}

void FlexGrid::setFixedRows(int rows) {
    m_fixedRows = std::max(0, rows);
    updateScrollBars();
    viewport()->update();
}

void FlexGrid::setRow(int row) {
    m_row = std::clamp(row, 0, std::max(0, m_rows - 1));
    viewport()->update();
}

void FlexGrid::setCol(int col) {
    m_col = std::clamp(col, 0, std::max(0, m_cols - 1));
    viewport()->update();
}

QString FlexGrid::Text() const {
    return TextMatrix(m_row, m_col);
}

void FlexGrid::setText(const QString& text) {
    setTextMatrix(m_row, m_col, text);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    return hasCell(row, col) ? cellText(row, col) : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (!hasCell(row, col) || modelRow(row))
        return;
    cell(row, col).text = text;
    viewport()->update();
}

int FlexGrid::ColWidth(int col) const {
    return col >= 0 && col < m_cols ? m_colWidths[col] : 0;
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= m_cols)
        return;
    m_colWidths[col] = twips < 0 ? kDefaultColWidth : twips;
    updateScrollBars();
    viewport()->update();
}

int FlexGrid::RowHeight(int row) const {
    if (row < 0 || row >= m_rows)
        return 0;
    return m_rowHeights[row] < 0 ? kDefaultRowHeight : m_rowHeights[row];
}

void FlexGrid::setRowHeight(int row, int twips) {
    if (row < 0 || row >= m_rows)
        return;
    m_rowHeights[row] = std::max(-1, twips);
    updateScrollBars();
    viewport()->update();
}

void FlexGrid::setWordWrap(bool wrap) {
    m_wordWrap = wrap;
    viewport()->update();
}

QImage FlexGrid::CellPicture() const {
    return CellPictureAt(m_row, m_col);
}

void FlexGrid::setCellPicture(const QImage& picture) {
    if (!hasCell(m_row, m_col) || modelRow(m_row))
        return;
    cell(m_row, m_col).picture = picture;
    viewport()->update();
    emit cellPictureChanged(m_row, m_col);
}

void FlexGrid::setCellSharperPicture(int row, int col, const QImage& drawing) {
    if (!hasCell(row, col))
        return;
    cell(row, col).sharper.set(cellPicture(row, col), drawing);
    viewport()->update();
}

QImage FlexGrid::CellPictureAt(int row, int col) const {
    return hasCell(row, col) ? cellPicture(row, col) : QImage();
}

qint16 FlexGrid::CellPictureAlignment() const {
    return hasCell(m_row, m_col) ? cellAlignment(m_row, m_col) : qint16(0);
}

void FlexGrid::setCellPictureAlignment(qint16 alignment) {
    if (!hasCell(m_row, m_col) || modelRow(m_row))
        return;
    cell(m_row, m_col).pictureAlignment = alignment;
    viewport()->update();
}

void FlexGrid::sendMessage(int message, int wParam, int lParam) {
    Q_UNUSED(lParam);
    if (message != WM_VSCROLL)
        return;
    // The request sits in the low word; the high word is a thumb position.
    const int request = wParam & 0xFFFF;
    if (request == SB_BOTTOM) {
        updateScrollBars();
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
    emit scrollRequested(request);
}

QRect FlexGrid::cellRect(int row, int col) const {
    if (!hasCell(row, col))
        return {};
    const QVector<int> rows = rowPixels();
    const QVector<int> cols = colPixels();
    const int y =
        row < fixedRowCount() ? trackStart(rows, row) : trackStart(rows, row) - scrollOffset().y();
    return QRect(trackStart(cols, col) - scrollOffset().x(), y, cols[col], rows[row]);
}

QString FlexGrid::pictureDescription(int row, int col) const {
    if (!hasCell(row, col) || cellPicture(row, col).isNull() || m_pictureNames < 0)
        return {};
    return QFileInfo(TextMatrix(row, m_pictureNames)).fileName();
}

int FlexGrid::rowAt(const QPoint& viewportPoint) const {
    const GridHit hit =
        gridHitTest(rowPixels(), colPixels(), fixedRowCount(), scrollOffset(), viewportPoint);
    return hit.row >= fixedRowCount() ? hit.row : -1;
}

QList<int> FlexGrid::SelectedRows() const {
    QList<int> rows;
    for (int row = fixedRowCount(); row < m_rows; ++row)
        if (m_picked[row])
            rows.append(row);
    return rows;
}

void FlexGrid::setSelectedRows(const QList<int>& rows) {
    std::fill(m_picked.begin(), m_picked.end(), false);
    for (int row : rows)
        if (row >= fixedRowCount() && row < m_rows)
            m_picked[row] = true;
    m_anchor = rows.isEmpty() ? -1 : std::clamp(rows.first(), 0, m_rows - 1);
    viewport()->update();
    emit selectedRowsChanged();
}

void FlexGrid::selectAllRows() {
    QList<int> rows;
    for (int row = fixedRowCount(); row < m_rows; ++row)
        rows.append(row);
    setSelectedRows(rows);
}

bool FlexGrid::isPicked(int row) const {
    return row >= 0 && row < m_picked.size() && m_picked[row];
}

bool FlexGrid::showsPicked(int row) const {
    // A row picked on its own that is the current row shows only its current
    // cell, as a plain click always has.
    if (!isPicked(row))
        return false;
    if (row != m_row)
        return true;
    for (int other = fixedRowCount(); other < m_rows; ++other)
        if (other != row && m_picked[other])
            return true;
    return false;
}

void FlexGrid::pickRow(int row, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) {
        const int from = m_anchor >= fixedRowCount() ? m_anchor : row;
        if (!(modifiers & Qt::ControlModifier))
            std::fill(m_picked.begin(), m_picked.end(), false);
        for (int r = std::min(from, row); r <= std::max(from, row); ++r)
            m_picked[r] = true;
    } else if (modifiers & Qt::ControlModifier) {
        m_picked[row] = !m_picked[row];
        m_anchor = row;
    } else {
        std::fill(m_picked.begin(), m_picked.end(), false);
        m_picked[row] = true;
        m_anchor = row;
    }
    emit selectedRowsChanged();
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    const GridHit hit = gridHitTest(rowPixels(), colPixels(), fixedRowCount(), scrollOffset(),
                                    event->position().toPoint());
    const bool onData = hit.row >= fixedRowCount() && hit.col >= 0;
    if (event->button() != Qt::LeftButton) {
        if (event->button() == Qt::RightButton && onData && !isPicked(hit.row)) {
            pickRow(hit.row, {});
            viewport()->update();
        }
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers picking =
        event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (onData) {
        pickRow(hit.row, picking);
        m_row = hit.row;
        m_col = hit.col;
        viewport()->update();
        announceCurrentCell();
    }
    event->accept();
    // Picking rows together is not a click on one of them.
    if (!picking)
        emit Click();
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers others = event->modifiers() & ~Qt::KeypadModifier;
    if (const auto move = moveOfKey(event->key());
        move && (others & ~Qt::ShiftModifier) == Qt::NoModifier) {
        const int pageHeight = viewport()->height() - trackStart(rowPixels(), fixedRowCount());
        const int row = movedRow(rowPixels(), fixedRowCount(), m_row, *move, pageHeight);
        if (row >= 0) {
            pickRow(row, others & Qt::ShiftModifier);
            m_row = row;
            showRow(row);
            viewport()->update();
            announceCurrentCell();
        }
        event->accept();
        return;
    }
    const bool opens = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                       event->key() == Qt::Key_Space;
    if (opens && others == Qt::NoModifier) {
        event->accept();
        emit Click();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void FlexGrid::showRow(int row) {
    updateScrollBars();
    verticalScrollBar()->setValue(scrollShowing(
        rowPixels(), fixedRowCount(), row, verticalScrollBar()->value(), viewport()->height()));
}

void FlexGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void FlexGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void FlexGrid::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter painter(viewport());
    painter.setFont(font());
    const QRect view = viewport()->rect();
    painter.fillRect(view, kEmptyArea);

    const QVector<int> rows = rowPixels();
    const QVector<int> cols = colPixels();
    const int fixedRows = fixedRowCount();
    const QPoint scroll = scrollOffset();
    const int fixedHeight = trackStart(rows, fixedRows);

    const QVector<int> colX = trackStarts(cols, scroll.x());
    auto paintRow = [&](int row, int y) {
        for (int col = 0; col < m_cols; ++col) {
            const QRect rect(colX[col], y, cols[col], rows[row]);
            if (rect.width() > 0 && rect.intersects(view))
                paintCell(painter, row, col, rect);
        }
    };

    // Scrolled rows first, kept out of the band of the fixed rows, which
    // stay where they are.
    const QVector<int> scrolledY = trackStarts(rows, scroll.y());
    painter.setClipRect(QRect(0, fixedHeight, view.width(), view.height() - fixedHeight));
    for (int row = fixedRows; row < m_rows && scrolledY[row] < view.height(); ++row) {
        if (scrolledY[row] + rows[row] > fixedHeight)
            paintRow(row, scrolledY[row]);
    }
    painter.setClipRect(view);
    const QVector<int> fixedY = trackStarts(rows, 0);
    for (int row = 0; row < fixedRows; ++row)
        paintRow(row, fixedY[row]);
    if (showsFocusMark(*this))
        paintFocusMark(painter, view);
}

void FlexGrid::paintCell(QPainter& painter, int row, int col, const QRect& rect) const {
    const bool fixed = row < fixedRowCount();
    const bool selected = !fixed && ((row == m_row && col == m_col) || showsPicked(row));
    const QRect interior = cellInterior(rect);

    painter.fillRect(interior, fixed ? kHeaderBack : selected ? kSelectedBack : kCellBack);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), kGridLine);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), kGridLine);

    painter.save();
    painter.setClipRect(interior, Qt::IntersectClip);
    const QImage picture = cellPicture(row, col);
    if (!picture.isNull())
        painter.drawImage(
            QPointF(pictureRect(interior, picture.size(), cellAlignment(row, col)).topLeft()),
            cell(row, col).sharper.toDraw(picture, painter.device()->devicePixelRatio()));
    painter.setPen(fixed ? kHeaderText : selected ? kSelectedText : kCellText);
    paintText(painter, row, col, interior);
    painter.restore();
}

void FlexGrid::setColCutsInMiddle(int col, bool cut) {
    m_cutColumns.removeAll(col);
    if (cut)
        m_cutColumns << col;
    viewport()->update();
}

QStringList FlexGrid::shownLines(int row, int col) const {
    if (!hasCell(row, col))
        return {};
    return textLines(row, col,
                     cellInterior(QRect(0, 0, colWidthPixels(col), rowHeightPixels(row))));
}

QStringList FlexGrid::textLines(int row, int col, const QRect& interior) const {
    const QString text = cellText(row, col);
    const int width = interior.width() - 2 * kTextPadding;
    if (text.isEmpty() || width <= 0)
        return {};
    const QFontMetrics metrics(font());
    const auto lines = [&](const QString& shown) {
        return m_wordWrap ? wrapCellText(shown, width,
                                         [&metrics](const QString& s) {
                                             return metrics.horizontalAdvance(s);
                                         })
                          : QStringList{shown};
    };
    if (!m_cutColumns.contains(col))
        return lines(text);
    const qsizetype room = std::max(1, interior.height() / metrics.height());
    return lines(cutPathInMiddle(text, [&](const QString& shown) {
        const QStringList wrapped = lines(shown);
        return wrapped.size() <= room && (m_wordWrap || metrics.horizontalAdvance(shown) <= width);
    }));
}

void FlexGrid::paintText(QPainter& painter, int row, int col, const QRect& interior) const {
    const QRect area = interior.adjusted(kTextPadding, 0, -kTextPadding, 0);
    const QStringList lines = textLines(row, col, interior);
    if (lines.isEmpty())
        return;
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.height();
    const int block = int(lines.size()) * lineHeight;
    // Centred when the lines fit; otherwise the first lines show.
    int y = block <= area.height() ? area.top() + (area.height() - block) / 2 : area.top();
    for (const QString& line : lines) {
        if (y >= area.bottom() + 1)
            break;
        painter.drawText(QRect(area.left(), y, area.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line);
        y += lineHeight;
    }
}

FlexGrid::Cell& FlexGrid::cell(int row, int col) {
    return m_cells[row][col];
}

const FlexGrid::Cell& FlexGrid::cell(int row, int col) const {
    return m_cells[row][col];
}

bool FlexGrid::hasCell(int row, int col) const {
    return row >= 0 && row < m_rows && col >= 0 && col < m_cols;
}

int FlexGrid::rowHeightPixels(int row) const {
    return gridPixels(RowHeight(row));
}

int FlexGrid::colWidthPixels(int col) const {
    return gridPixels(ColWidth(col));
}

QVector<int> FlexGrid::rowPixels() const {
    QVector<int> sizes(m_rows);
    for (int row = 0; row < m_rows; ++row)
        sizes[row] = rowHeightPixels(row);
    return sizes;
}

QVector<int> FlexGrid::colPixels() const {
    QVector<int> sizes(m_cols);
    for (int col = 0; col < m_cols; ++col)
        sizes[col] = colWidthPixels(col);
    return sizes;
}

int FlexGrid::fixedRowCount() const {
    return std::min(m_fixedRows, m_rows);
}

QPoint FlexGrid::scrollOffset() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void FlexGrid::updateScrollBars() {
    const QVector<int> rows = rowPixels();
    const QSize view = viewport()->size();
    const int fixedHeight = trackStart(rows, fixedRowCount());
    QScrollBar* vertical = verticalScrollBar();
    vertical->setSingleStep(gridPixels(kDefaultRowHeight));
    vertical->setPageStep(std::max(1, view.height() - fixedHeight));
    vertical->setRange(0, scrollMaximum(trackTotal(rows), view.height()));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setSingleStep(gridPixels(kDefaultColWidth) / 4);
    horizontal->setPageStep(std::max(1, view.width()));
    horizontal->setRange(0, scrollMaximum(trackTotal(colPixels()), view.width()));
}
