#include "selection/flows/ordermenus.h"

#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "selection/dialogs/ordersummarydialog.h"
#include "selection/flows/manyrows.h"
#include "selection/flows/missingphotos.h"
#include "selection/flows/orderundo.h"
#include "selection/order/orderhistory.h"
#include "selection/order/ordertexts.h"
#include "selection/order/selectionlist.h"

#include <QMenu>

namespace {

MenuEntry separator() {
    return {};
}

} // namespace

QList<MenuEntry> gridMenuEntries(SelectionControls& c) {
    const QList<int> rows = pickedRows(c);
    const int n = static_cast<int>(rows.size());
    return {
        {undoText(c.history), c.history.canUndo(), [&c] { undoOrderChange(c); }},
        {redoText(c.history), c.history.canRedo(), [&c] { redoOrderChange(c); }},
        separator(),
        {numbered(n, "Change copies and size of the 1 selected row...",
                  "Change copies and size of the %1 selected rows..."),
         n > 0, [&c, rows] { editRows(c, rows); }},
        {numbered(n, "Remove the 1 selected row", "Remove the %1 selected rows"), n > 0,
         [&c, rows] { removeRows(c, rows); }},
        {QStringLiteral("Select all rows"), c.list.count > 0,
         [&c] { c.MSFlexGrid1.selectAllRows(); }},
        separator(),
        {QStringLiteral("Find missing photos..."), c.list.count > 0,
         [&c] { findMissingPhotos(c); }},
        {QStringLiteral("Order summary..."), true, [&c] { showOrderSummary(c); }},
    };
}

QList<MenuEntry> fileListMenuEntries(SelectionControls& c) {
    const QStringList selected = selectedListedPhotos(c);
    const QStringList all = allListedPhotos(c);
    return {
        {numbered(selected.size(), "Add the 1 selected photo", "Add the %1 selected photos"),
         !selected.isEmpty(), [&c, selected] { addPhotos(c, selected); }},
        {numbered(all.size(), "Add the 1 photo of this folder", "Add all %1 photos of this folder"),
         !all.isEmpty(), [&c, all] { addPhotos(c, all); }},
    };
}

void runMenu(QWidget* owner, const QList<MenuEntry>& entries, const QPoint& globalPos) {
    QMenu menu(owner);
    QList<QAction*> actions;
    for (const MenuEntry& entry : entries) {
        if (entry.text.isEmpty()) {
            actions << menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(entry.text);
        action->setEnabled(entry.enabled);
        actions << action;
    }
    QAction* chosen = menu.exec(globalPos);
    // The menu is closed before the entry runs: it may open a dialog.
    const qsizetype at = chosen ? actions.indexOf(chosen) : -1;
    if (at >= 0 && entries[at].run)
        entries[at].run();
}
