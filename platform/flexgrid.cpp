#include "flexgrid.h"

// Minimal cells-only grid until the drawn grid lands.
FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent) {}
void FlexGrid::Clear()
{
    for (auto& r : m_cells)
        for (auto& c : r)
            c = Cell();
}
int FlexGrid::Rows() const { return m_rows; }
void FlexGrid::setRows(int rows)
{
    m_rows = rows;
    m_cells.resize(rows);
    for (auto& r : m_cells)
        r.resize(m_cols);
    m_rowHeights.resize(rows, -1);
    if (m_row >= rows)
        m_row = rows - 1;
}
int FlexGrid::Cols() const { return m_cols; }
void FlexGrid::setCols(int cols)
{
    m_cols = cols;
    for (auto& r : m_cells)
        r.resize(cols);
    m_colWidths.resize(cols, 960);
}
void FlexGrid::setFixedRows(int rows) { m_fixedRows = rows; }
void FlexGrid::setRow(int row) { m_row = row; }
void FlexGrid::setCol(int col) { m_col = col; }
QString FlexGrid::Text() const { return cell(m_row, m_col).text; }
void FlexGrid::setText(const QString& text) { cell(m_row, m_col).text = text; }
QString FlexGrid::TextMatrix(int row, int col) const { return cell(row, col).text; }
void FlexGrid::setTextMatrix(int row, int col, const QString& text) { cell(row, col).text = text; }
int FlexGrid::ColWidth(int col) const { return m_colWidths.value(col); }
void FlexGrid::setColWidth(int col, int twips) { m_colWidths[col] = twips; }
int FlexGrid::RowHeight(int row) const { return m_rowHeights.value(row); }
void FlexGrid::setRowHeight(int row, int twips) { m_rowHeights[row] = twips; }
void FlexGrid::setWordWrap(bool wrap) { m_wordWrap = wrap; }
QImage FlexGrid::CellPicture() const { return cell(m_row, m_col).picture; }
void FlexGrid::setCellPicture(const QImage& picture) { cell(m_row, m_col).picture = picture; }
QImage FlexGrid::CellPictureAt(int row, int col) const { return cell(row, col).picture; }
qint16 FlexGrid::CellPictureAlignment() const { return cell(m_row, m_col).pictureAlignment; }
void FlexGrid::setCellPictureAlignment(qint16 a) { cell(m_row, m_col).pictureAlignment = a; }
void FlexGrid::sendMessage(int message, int wParam, int)
{
    if (message == WM_VSCROLL)
        emit scrollRequested(wParam);
}
int FlexGrid::rowAt(const QPoint&) const { return -1; }
void FlexGrid::paintEvent(QPaintEvent*) {}
void FlexGrid::mousePressEvent(QMouseEvent*) {}
void FlexGrid::resizeEvent(QResizeEvent*) {}
FlexGrid::Cell& FlexGrid::cell(int row, int col) { return m_cells[row][col]; }
const FlexGrid::Cell& FlexGrid::cell(int row, int col) const { return m_cells[row][col]; }
int FlexGrid::rowHeightPixels(int) const { return 0; }
int FlexGrid::colWidthPixels(int) const { return 0; }
void FlexGrid::updateScrollBars() {}
