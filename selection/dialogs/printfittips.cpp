#include "selection/dialogs/printfittips.h"

#include "selection/order/ordersummary.h"

#include "platform/controls/flexgrid.h"
#include "platform/controls/gridgeometry.h"
#include "selection/dialogs/props.h"
#include "selection/order/gridrow.h"
#include "selection/order/selectionlist.h"

#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHelpEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// Sets the tip of the widget asked just before Qt shows it.
class PrintFitTips : public QObject {
public:
    explicit PrintFitTips(SelectionControls& c) : QObject(&c.MSFlexGrid1), m_c(c) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        FlexGrid& grid = m_c.MSFlexGrid1;
        if (watched == grid.viewport()) {
            const int row = grid.rowAt(static_cast<QHelpEvent*>(event)->pos());
            // Off the rows the frame's summary shows instead.
            grid.viewport()->setToolTip(
                row >= 1 && row < grid.Rows() ? plainTip(rowTip(fitRow(m_c, row))) : QString());
        } else if (watched == &m_c.Frame4) {
            m_c.Frame4.setToolTip(plainTip(summaryText(currentSummary(m_c))));
        }
        return false;
    }

private:
    SelectionControls& m_c;
};

} // namespace

FitRow fitRow(SelectionControls& c, int i) {
    const FlexGrid& grid = c.MSFlexGrid1;
    FitRow row;
    row.file = grid.TextMatrix(i, ColFile);
    row.copies = grid.TextMatrix(i, ColCopies);
    row.size = grid.TextMatrix(i, ColSize);
    // The size kept belongs to the entry's photo, which the row shows.
    const SelectionEntry* entry = c.list.entry(i);
    if (entry && entry->file == row.file)
        row.pixels = entry->pixels;
    row.missing = !QFileInfo(row.file).isFile();
    return row;
}

QList<FitRow> fitRows(SelectionControls& c) {
    QList<FitRow> rows;
    for (int i = 1; i < c.MSFlexGrid1.Rows(); ++i)
        rows.append(fitRow(c, i));
    return rows;
}

OrderSummary currentSummary(SelectionControls& c) {
    return summarizeOrder(fitRows(c), Props::sizeItems());
}

void installPrintFitTips(SelectionControls& c) {
    auto* tips = new PrintFitTips(c);
    c.MSFlexGrid1.viewport()->installEventFilter(tips);
    c.Frame4.installEventFilter(tips);
}

void showGridRow(SelectionControls& c, int row) {
    FlexGrid& grid = c.MSFlexGrid1;
    if (row < 1 || row >= grid.Rows())
        return;
    grid.setRow(row);
    // The path cell shows it as the current one.
    grid.setCol(ColFile);
    QVector<int> heights;
    for (int i = 0; i < grid.Rows(); ++i)
        heights << gridPixels(grid.RowHeight(i));
    const int header = trackStart(heights, grid.FixedRows());
    const int top = trackStart(heights, row) - header;
    const int bottom = top + heights[row];
    const int view = grid.viewport()->height() - header;
    QScrollBar* bar = grid.verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (bottom > bar->value() + view)
        bar->setValue(std::min(top, bottom - view));
}
