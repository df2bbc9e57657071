// What a screen reader hears of the two windows, through Qt's accessibility
// interface, and Esc in the row editor.
#include "app/core/browse.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/drivelist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/imagecontrol.h"
#include "tests/support/qtprinters.h"
#include "tests/support/selectionwindow.h"

#include <QAccessible>

#include <span>

namespace {

using ScreenReader = SelectionWindowTest;

QString nameOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

TEST_F(ScreenReader, TheMainWindowsControlsHaveNamesThePictureButtonsTips) {
    const std::pair<QWidget*, const char*> rows[] = {
        {w->Command4, "Open a project"},
        {w->Command3, "Save the project"},
        {w->Command2, "Copy the photos to a folder for the lab"},
        {w->Command1, "Write the order list"},
        {w->Command5, "Help"},
        {w->Dir1, "Folders"},
        {w->File1, "Photos in the folder"},
        {w->Image11, "Preview"},
        {w->Image5, "View in the default image viewer"},
        {w->Image4, "Rotate the preview"},
    };
    for (const auto& [control, name] : rows)
        EXPECT_EQ(nameOf(control), QString::fromLatin1(name));
    for (const auto& [button, tip] : std::span(rows).first(5))
        EXPECT_EQ(button->toolTip(), QString::fromLatin1(tip));
    // A combo box's name is its text on Linux; this one has no label.
    EXPECT_EQ(w->Drive1->accessibleName(), QStringLiteral("Drives"));

    solidPhoto(QStringLiteral("lake.jpg"), qRgb(20, 120, 200));
    w->File1->setPath(folder());
    w->File1->setListIndex(0);
    File1_Click(w->browseControls());
    EXPECT_EQ(nameOf(w->Image11), QStringLiteral("Preview of lake.jpg"));
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

} // namespace
