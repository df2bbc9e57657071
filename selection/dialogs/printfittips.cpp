#include "selection/dialogs/printfittips.h"

#include "selection/order/ordersummary.h"

#include "platform/controls/flexgrid.h"
#include "platform/controls/gridgeometry.h"
#include "selection/dialogs/props.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"

#include <QEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// Sets the tip of the widget asked just before Qt shows it.
class PrintFitTips : public QObject {
public:
    PrintFitTips(OrderView& c, QGroupBox& frame)
        : QObject(&c.MSFlexGrid1), m_c(c), m_frame(frame) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        FlexGrid& grid = m_c.MSFlexGrid1;
        if (watched == grid.viewport()) {
            const int row = grid.rowAt(static_cast<QHelpEvent*>(event)->pos());
            // Off the rows the frame's summary shows instead.
            grid.viewport()->setToolTip(
                m_c.order.index(row - 1, ColFile).data(Qt::ToolTipRole).toString());
        } else if (watched == &m_frame) {
            m_frame.setToolTip(plainTip(summaryText(currentSummary(m_c))));
        }
        return false;
    }

private:
    OrderView& m_c;
    QGroupBox& m_frame;
};

} // namespace

OrderSummary currentSummary(OrderView& c) {
    return summarizeOrder(c.order.fitRows(), Props::sizeItems());
}

void installPrintFitTips(OrderView& c, QGroupBox& frame) {
    auto* tips = new PrintFitTips(c, frame);
    c.MSFlexGrid1.viewport()->installEventFilter(tips);
    frame.installEventFilter(tips);
}

void showGridRow(OrderView& c, int row) {
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
