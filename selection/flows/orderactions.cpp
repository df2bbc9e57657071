#include "selection/flows/orderactions.h"

#include "selection/flows/ordercontroller.h"

#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/foldertree.h"
#include "selection/dialogs/ordersummarydialog.h"
#include "selection/dialogs/photorow.h"
#include "selection/flows/manyrows.h"
#include "selection/flows/missingphotos.h"
#include "selection/flows/openandsave.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordertexts.h"

#include <QAction>
#include <QMenu>

namespace {

QAction* action(QObject* owner, const QString& text, QList<QKeySequence> keys = {}) {
    auto* made = new QAction(text, owner);
    made->setShortcuts(keys);
    return made;
}

} // namespace

OrderActions::OrderActions(OrderController& c) : QObject(&c.view.window), m_c(c) {
    QUndoStack& stack = c.order.undoStack();
    undo = stack.createUndoAction(this, QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo = stack.createRedoAction(this, QStringLiteral("Redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // A step taken back or again may bring rows beyond the view.
    for (QAction* step : {undo, redo})
        connect(step, &QAction::triggered, this, [&c] { scrollToLastRowIfNeeded(c.view); });
    editRows = action(this, {});
    connect(editRows, &QAction::triggered, this, [&c] { ::editRows(c, pickedRows(c)); });
    removeRows = action(this, {}, {QKeySequence(Qt::Key_Delete)});
    connect(removeRows, &QAction::triggered, this, [&c] { ::removeRows(c, pickedRows(c)); });
    selectAll =
        action(this, QStringLiteral("Select all rows"), {QKeySequence(Qt::CTRL | Qt::Key_A)});
    connect(selectAll, &QAction::triggered, this, [&c] { c.view.MSFlexGrid1.selectAllRows(); });
    findMissing = action(this, QStringLiteral("Find missing photos..."));
    connect(findMissing, &QAction::triggered, this, [&c] { findMissingPhotos(c); });
    summary = action(this, QStringLiteral("Order summary..."));
    connect(summary, &QAction::triggered, this, [&c] { showOrderSummary(c.view); });
    addSelected = action(this, {});
    connect(addSelected, &QAction::triggered, this, [&c] { c.addPhotos(selectedListedPhotos(c)); });
    addAll = action(this, {});
    connect(addAll, &QAction::triggered, this, [&c] { c.addPhotos(allListedPhotos(c)); });
    addTree = action(this, {});
    connect(addTree, &QAction::triggered, this, [&c] { addListedTree(c); });
    open = action(this, QStringLiteral("Open..."), {QKeySequence(Qt::CTRL | Qt::Key_O)});
    connect(open, &QAction::triggered, this, [&c] { c.openProject(); });
    saveInPlace = action(this, QStringLiteral("Save"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    connect(saveInPlace, &QAction::triggered, this, [&c] { saveOpenProject(c); });
    lightTable = action(this, QStringLiteral("Light table"), {QKeySequence(Qt::Key_F2)});

    // The window's keys work wherever the focus is in it; the grid's only
    // on the grid.
    c.view.window.addActions({undo, redo, open, saveInPlace, lightTable});
    for (QAction* onGrid : {removeRows, selectAll}) {
        onGrid->setShortcutContext(Qt::WidgetShortcut);
        c.view.MSFlexGrid1.addAction(onGrid);
    }
}

QList<MenuEntry> OrderActions::gridMenu() {
    const int n = static_cast<int>(pickedRows(m_c).size());
    const bool rows = m_c.order.count() > 0;
    editRows->setText(numbered(n, "Change copies and size of the 1 selected row...",
                               "Change copies and size of the %1 selected rows..."));
    removeRows->setText(numbered(n, "Remove the 1 selected row", "Remove the %1 selected rows"));
    return {{undo, undo->isEnabled()},
            {redo, redo->isEnabled()},
            {},
            {editRows, n > 0},
            {removeRows, n > 0},
            {selectAll, rows},
            {},
            {findMissing, rows},
            {summary, true},
            {},
            {lightTable, true}};
}

QList<MenuEntry> OrderActions::fileListMenu() {
    const qsizetype selected = selectedListedPhotos(m_c).size();
    const qsizetype all = allListedPhotos(m_c).size();
    addSelected->setText(
        numbered(selected, "Add the 1 selected photo", "Add the %1 selected photos"));
    addAll->setText(
        numbered(all, "Add the 1 photo of this folder", "Add all %1 photos of this folder"));
    QList<MenuEntry> entries{{addSelected, selected > 0}, {addAll, all > 0}};
    // Offered where the subfolders hold photos too.
    if (const qsizetype tree = listedTree(m_c).photos.size(); tree > all) {
        addTree->setText(numbered(tree, "Add the 1 photo of this folder and its subfolders",
                                  "Add all %1 photos of this folder and its subfolders"));
        entries.append({addTree, true});
    }
    entries << MenuEntry{} << MenuEntry{lightTable, true};
    return entries;
}

void runMenu(QWidget* owner, const QList<MenuEntry>& entries, const QPoint& globalPos) {
    // The menu shows stand-ins: the action chosen runs once the menu has
    // closed, as it may open a dialog.
    QMenu menu(owner);
    QList<QAction*> shown;
    for (const MenuEntry& entry : entries) {
        if (!entry.action) {
            shown << menu.addSeparator();
            continue;
        }
        QAction* standIn = menu.addAction(entry.action->text());
        standIn->setEnabled(entry.enabled);
        shown << standIn;
    }
    QAction* chosen = menu.exec(globalPos);
    const qsizetype at = chosen ? shown.indexOf(chosen) : -1;
    if (at >= 0 && entries[at].action)
        entries[at].action->trigger();
}
