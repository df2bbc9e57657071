#include "selection/flows/orderundo.h"

#include "platform/controls/flexgrid.h"
#include "selection/dialogs/photorow.h"
#include "selection/flows/gridorder.h"
#include "selection/order/orderhistory.h"
#include "selection/order/ordertexts.h"
#include "selection/order/selectionlist.h"

#include <QFileInfo>
#include <QGroupBox>

namespace {

// Every change to the order ends here. Once rows came or went, the rows
// picked before are other photos: nothing stays picked.
void orderChanged(SelectionControls& c, qsizetype rowsBefore) {
    c.list.changes.markChanged();
    if (rowsBefore != c.list.count && !c.MSFlexGrid1.SelectedRows().isEmpty())
        c.MSFlexGrid1.setSelectedRows({});
}

void showStep(SelectionControls& c, const OrderState& state) {
    const qsizetype before = c.list.count;
    showOrderState(c, state);
    orderChanged(c, before);
    scrollToLastRowIfNeeded(c, c.list.count);
}

} // namespace

OrderState currentOrder(SelectionControls& c) {
    OrderRows rows = orderRows(c.MSFlexGrid1);
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (const SelectionEntry* entry = c.list.entry(static_cast<int>(i) + 1))
            rows[i].pixels = entry->pixels;
    return {rows, c.Frame4.title()};
}

void recordOrderChange(SelectionControls& c, const QString& what, const OrderState& before) {
    const OrderState after = currentOrder(c);
    if (after == before)
        return;
    c.history.record(what, before, after);
    orderChanged(c, before.rows.size());
}

void replaceOrder(SelectionControls& c, const QString& what, const OrderRows& rows) {
    const OrderState before = currentOrder(c);
    showOrderRows(c, rows);
    recordOrderChange(c, what, before);
}

void undoOrderChange(SelectionControls& c) {
    if (c.history.canUndo())
        showStep(c, c.history.undo());
}

void redoOrderChange(SelectionControls& c) {
    if (c.history.canRedo())
        showStep(c, c.history.redo());
}

QString undoText(const OrderHistory& history) {
    return history.canUndo() ? QStringLiteral("Undo ") + history.undoName()
                             : QStringLiteral("Undo");
}

QString redoText(const OrderHistory& history) {
    return history.canRedo() ? QStringLiteral("Redo ") + history.redoName()
                             : QStringLiteral("Redo");
}

QString addingName(int photos) {
    return numbered(photos, "adding a photo", "adding %1 photos");
}

QString removingName(int rows) {
    return numbered(rows, "removing a row", "removing %1 rows");
}

QString changingName(int rows) {
    return numbered(rows, "changing a row", "changing %1 rows");
}

QString relinkingName(int rows) {
    return numbered(rows, "finding a moved photo", "finding %1 moved photos");
}

QString openingName(const QString& project) {
    return QStringLiteral("opening %1").arg(QFileInfo(project).fileName());
}
