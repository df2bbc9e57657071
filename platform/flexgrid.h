#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>
#include <QVector>

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

    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    // -1 means the grid's default height.
    int RowHeight(int row) const;
    void setRowHeight(int row, int twips);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    QImage CellPicture() const;
    // A null image sets the cell to no picture.
    void setCellPicture(const QImage& picture);
    QImage CellPictureAt(int row, int col) const;
    qint16 CellPictureAlignment() const;
    void setCellPictureAlignment(qint16 alignment);

    // Stands in for the window message the program sends to the grid; only
    // WM_VSCROLL with SB_BOTTOM does something: it scrolls to the last row.
    void sendMessage(int message, int wParam, int lParam);

    // The data row under a point of the viewport, or -1.
    int rowAt(const QPoint& viewportPoint) const;

signals:
    // The user clicked a cell; Row() is already the clicked data row.
    void Click();
    // Every scroll request the grid received, for whoever wants to see them.
    void scrollRequested(int request);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Cell {
        QString text;
        QImage picture;
        qint16 pictureAlignment = 0;
    };

    Cell& cell(int row, int col);
    const Cell& cell(int row, int col) const;
    int rowHeightPixels(int row) const;
    int colWidthPixels(int col) const;
    void updateScrollBars();

    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 1;
    int m_row = 0;
    int m_col = 0;
    bool m_wordWrap = false;
    QVector<QVector<Cell>> m_cells;
    QVector<int> m_colWidths;  // twips
    QVector<int> m_rowHeights; // twips, -1 default
};
