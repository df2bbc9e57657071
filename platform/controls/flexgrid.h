#pragma once

#include "platform/units/sharperimages.h"

#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QVector>

class QPainter;

// The selection grid: a table of text cells with optional cell pictures, one
// current cell, a fixed header row and the members the order code relies on.
// Widths and heights are set in twips and drawn at 15 twips to a pixel.
class FlexGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int WM_VSCROLL = 0x0115;
    static constexpr int SB_BOTTOM = 7;

    explicit FlexGrid(QWidget* parent = nullptr);

    // Empties every cell (texts and pictures); rows, columns and sizes stay.
    void Clear();

    // Shows a model's rows as the data rows, below the fixed rows: grid row
    // r is the model's row r - FixedRows, the columns the same. Texts,
    // pictures and where the pictures sit come from the model, so writing
    // them on a data row does nothing, and the data rows come and go with
    // the model's, rowTwips high. Rows picked go when rows come or go.
    void setModel(QAbstractItemModel* model, int rowTwips);

    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int rows);

    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);

    QString Text() const;
    void setText(const QString& text);
    // Direct access to any cell, for readers that do not move the current cell.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // A column 1 twip wide takes no pixel; its texts stay readable. Setting a
    // negative width restores the default (960 twips).
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    // Heights read back in twips as drawn; setting -1 restores the grid's
    // default height (240 twips, one line of the grid's font with room).
    int RowHeight(int row) const;
    void setRowHeight(int row, int twips);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    // A column of paths: a text that does not fit in its cell is drawn cut
    // in the middle with "...", so that its file name shows. The cell's text
    // stays whole.
    void setColCutsInMiddle(int col, bool cut);
    // The lines a cell shows, as drawn.
    QStringList shownLines(int row, int col) const;

    QImage CellPicture() const;
    // A null image sets the cell to no picture.
    void setCellPicture(const QImage& picture);
    QImage CellPictureAt(int row, int col) const;
    // The same picture made for a screen's device pixels (its device pixel
    // ratio set), drawn instead while the cell keeps that picture.
    void setCellSharperPicture(int row, int col, const QImage& drawing);
    qint16 CellPictureAlignment() const;
    void setCellPictureAlignment(qint16 alignment);

    // Stands in for the window message the program sends to the grid; only
    // WM_VSCROLL with SB_BOTTOM does something: it scrolls to the last row.
    void sendMessage(int message, int wParam, int lParam);

    // Where a cell lies in the viewport, scrolled as it is now.
    QRect cellRect(int row, int col) const;
    // A picture cell's words for screen readers: the file name at the end of
    // the path in column `col` of its row (-1: none).
    void setPicturesNamedByPathsIn(int col) { m_pictureNames = col; }
    QString pictureDescription(int row, int col) const;

    // The data row under a point of the viewport, or -1.
    int rowAt(const QPoint& viewportPoint) const;

    // Rows picked together, beside the current cell: Ctrl+click adds or takes
    // away a row, Shift+click picks the rows from the last one picked, neither
    // raising Click; a plain click picks its row alone. A right click on a row
    // not picked picks it alone, the current cell staying. Data rows only, in
    // ascending order.
    QList<int> SelectedRows() const;
    void setSelectedRows(const QList<int>& rows);
    void selectAllRows();
    // Scrolls as little as needed for row to show whole.
    void scrollToRow(int row) { showRow(row); }

signals:
    // A left press anywhere in the cells' area. On a data cell, Row() and Col()
    // are already that cell; on the header row or the empty area beyond the
    // last row or column the current cell stays where it was.
    void Click();
    // Every scroll request the grid received, for whoever wants to see them.
    void scrollRequested(int request);
    // The picked rows changed by the mouse or by the program.
    void selectedRowsChanged();
    // A cell was given a picture, or none. For the rows of a model, told for
    // every cell of a row that came or changed.
    void cellPictureChanged(int row, int col);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Up, Down, Page Up, Page Down, Home and End move the current row, Shift
    // picking the rows from the last one picked; Enter or Space is a click on
    // the current row.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Cell {
        QString text;
        QImage picture;
        SharperDrawing sharper;
        qint16 pictureAlignment = 0;
    };

    Cell& cell(int row, int col);
    const Cell& cell(int row, int col) const;
    bool hasCell(int row, int col) const;
    // A data row shown from the model.
    bool modelRow(int row) const;
    QString cellText(int row, int col) const;
    QImage cellPicture(int row, int col) const;
    qint16 cellAlignment(int row, int col) const;
    void modelRowsInserted(int first, int last);
    void modelRowsRemoved(int first, int last);
    void modelReset();
    void modelDataChanged(int first, int last);
    void tellPictures(int first, int last);
    void resizeRows(int rows);
    void dropPicks();
    int rowHeightPixels(int row) const;
    int colWidthPixels(int col) const;
    QVector<int> rowPixels() const;
    QVector<int> colPixels() const;
    int fixedRowCount() const;
    QPoint scrollOffset() const;
    void updateScrollBars();
    void paintCell(QPainter& painter, int row, int col, const QRect& rect) const;
    void paintText(QPainter& painter, int row, int col, const QRect& interior) const;
    QStringList textLines(int row, int col, const QRect& interior) const;
    bool isPicked(int row) const;
    bool showsPicked(int row) const;
    void pickRow(int row, Qt::KeyboardModifiers modifiers);
    void showRow(int row);
    // Screen readers (flexgridaccessible.cpp): the grid's view as a table,
    // registered once with Qt, and telling them where the current cell went
    // and that the picked rows may have changed.
    static void installAccessibility();
    void announceCurrentCell();

    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 1;
    int m_row = 0;
    int m_col = 0;
    bool m_wordWrap = false;
    QVector<QVector<Cell>> m_cells;
    QVector<int> m_colWidths;  // twips
    QVector<int> m_rowHeights; // twips, -1 default
    QVector<int> m_cutColumns; // columns of paths
    QVector<bool> m_picked;    // per row
    int m_anchor = -1;         // the row a Shift+click picks from
    int m_pictureNames = -1;   // the column of paths that names pictures
    QPointer<QAbstractItemModel> m_model;
    int m_modelRowTwips = -1;
};
