// What a screen reader hears of the two windows, through Qt's accessibility
// interface, and Esc in the row editor.
#include "app/browsecontroller.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/drivelist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"
#include "selection/order/gridrow.h"
#include "tests/support/qtprinters.h"
#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include <QAccessible>

#include <QComboBox>
#include <span>

namespace {

using ScreenReader = WindowFixture;

QString nameOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

TEST_F(ScreenReader, TheMainWindowsControlsHaveNamesThePictureButtonsTips) {
    const std::pair<QWidget*, const char*> rows[] = {
        {ui(w).Command4, "Open a project"},
        {ui(w).Command3, "Save the project"},
        {ui(w).Command2, "Copy the photos to a folder for the lab"},
        {ui(w).Command1, "Write the order list"},
        {ui(w).Command5, "Help"},
        {ui(w).Dir1, "Folders"},
        {ui(w).File1, "Photos in the folder"},
        {ui(w).Image11, "Preview"},
        {ui(w).Image5, "View in the default image viewer"},
        {ui(w).Image4, "Rotate the preview"},
    };
    for (const auto& [control, name] : rows)
        EXPECT_EQ(nameOf(control), QString::fromLatin1(name));
    for (const auto& [button, tip] : std::span(rows).first(5))
        EXPECT_EQ(button->toolTip(), QString::fromLatin1(tip));
    // A combo box's name is its text on Linux; this one has no label.
    EXPECT_EQ(ui(w).Drive1->accessibleName(), QStringLiteral("Drives"));

    solidPhoto(QStringLiteral("lake.jpg"), qRgb(20, 120, 200));
    ui(w).File1->setPath(folder());
    ui(w).File1->setListIndex(0);
    ui(w).browseController.File1_Click();
    EXPECT_EQ(nameOf(ui(w).Image11), QStringLiteral("Preview of lake.jpg"));
}

TEST_F(ScreenReader, TheRowEditorNamesItsPhotoAndClosesOnEscFromEveryControl) {
    addPreviewed(solidPhoto(QStringLiteral("lake.jpg"), qRgb(20, 120, 200)));
    const auto labelOf = [](QWidget* box) {
        const auto labels =
            QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    };
    for (int control = 0; control < 4; ++control) {
        Props::Outcome outcome = Props::Outcome::Ok;
        bool closedByEsc = false;
        ASSERT_TRUE(clickRow(1, [&](Props& p) {
            EXPECT_EQ(p.windowTitle(), QString());
            EXPECT_EQ(nameOf(&p), QStringLiteral("Copies and size of lake.jpg"));
            EXPECT_EQ(labelOf(p.Combo1), QStringLiteral("Copies:"));
            EXPECT_EQ(labelOf(p.Combo2), QStringLiteral("Size:"));
            p.Combo1->setEditText(QStringLiteral("7"));
            QWidget* controls[] = {p.Combo1, p.Combo2, p.Command1, p.Command2};
            controls[control]->setFocus();
            QTest::keyClick(controls[control], Qt::Key_Escape);
            outcome = p.outcome();
            closedByEsc = !p.isVisible();
            if (p.isVisible())
                p.reject();
        }));
        EXPECT_TRUE(closedByEsc) << control;
        EXPECT_EQ(outcome, Props::Outcome::Closed) << control;
        EXPECT_EQ(grid().TextMatrix(1, ColCopies), QStringLiteral("1")) << control;
    }
}

TEST_F(ScreenReader, TheGridIsATableOfItsRowsAndColumns) {
    for (const char* name : {"lake.jpg", "sea.jpg", "hill.jpg"})
        addPreviewed(solidPhoto(QString::fromLatin1(name), qRgb(20, 120, 200)));
    editRow(2, QStringLiteral("3"), QStringLiteral("13x18"));
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid());
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Selected photos"));
    QAccessibleTableInterface* t = table->tableInterface();
    ASSERT_EQ(t->rowCount(), 3);
    // The path column 1 twip wide is not shown, so not told.
    ASSERT_EQ(t->columnCount(), 4);
    const char* headers[] = {"Photo", "File", "Copies", "Size"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(t->columnDescription(column), QString::fromLatin1(headers[column]));
        QAccessibleInterface* header = table->child(column);
        EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(header->text(QAccessible::Name), QString::fromLatin1(headers[column]));
    }
    const QString rows[3][4] = {{"lake.jpg", file("lake.jpg"), "1", "10x15"},
                                {"sea.jpg", file("sea.jpg"), "3", "13x18"},
                                {"hill.jpg", file("hill.jpg"), "1", "10x15"}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            QAccessibleInterface* cell = t->cellAt(row, column);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->role(), QAccessible::Cell);
            EXPECT_EQ(cell->text(QAccessible::Name), rows[row][column]) << row << "," << column;
            EXPECT_EQ(table->child(4 * (row + 1) + column), cell);
            EXPECT_EQ(table->indexOfChild(cell), 4 * (row + 1) + column);
            QAccessibleTableCellInterface* c = cell->tableCellInterface();
            EXPECT_EQ(c->rowIndex(), row);
            EXPECT_EQ(c->columnIndex(), column);
            EXPECT_EQ(c->columnHeaderCells().value(0), table->child(column));
            const QRect inGrid(grid().viewport()->mapFromGlobal(cell->rect().topLeft()),
                               cell->rect().size());
            EXPECT_EQ(grid().rowAt(inGrid.center()), row + 1);
        }
    EXPECT_EQ(t->cellAt(0, 0)->text(QAccessible::Description), QStringLiteral("lake.jpg"));
    EXPECT_EQ(t->cellAt(3, 0), nullptr);

    // The editor left row 2 current; picked rows are the table's selection.
    EXPECT_TRUE(t->cellAt(1, 2)->state().active);
    EXPECT_FALSE(t->cellAt(0, 2)->state().active);
    grid().setSelectedRows({1, 3});
    EXPECT_EQ(t->selectedRows(), QList<int>({0, 2}));
    EXPECT_EQ(t->selectedRowCount(), 2);
    EXPECT_TRUE(t->cellAt(2, 1)->state().selected);
    EXPECT_FALSE(t->cellAt(1, 1)->state().selected);
    EXPECT_EQ(t->selectedCellCount(), 8);

    // A row removed is gone from the table.
    ui(w).order.removeRowsAt({2}, "removing a row");
    EXPECT_EQ(t->rowCount(), 2);
    EXPECT_EQ(t->cellAt(2, 0), nullptr);
}

} // namespace
