// What a screen reader hears of the two windows, read through Qt's
// accessibility interface, and Esc in the row editor.
#include "browse.h"
#include "dirlist.h"
#include "drivelist.h"
#include "filelist.h"
#include "imagecontrol.h"
#include "qtprinters.h"
#include "selectionwindow.h"

#include <QAccessible>

namespace {

using ScreenReader = SelectionWindowTest;

QString nameOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// On Linux a combo box's name is its text; it is known by its label.
QString labelOf(QWidget* widget) {
    const auto labels =
        QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

TEST_F(ScreenReader, EveryControlOfTheMainWindowHasANameThePictureButtonsATip) {
    const struct {
        QWidget* control;
        const char* name;
        const char* tip;
    } rows[] = {
        {w->Command4, "Open a project", "Open a project"},
        {w->Command3, "Save the project", "Save the project"},
        {w->Command2, "Copy the photos to a folder for the lab",
         "Copy the photos to a folder for the lab"},
        {w->Command1, "Write the order list", "Write the order list"},
        {w->Command5, "Help", "Help"},
        {w->Dir1, "Folders", ""},
        {w->File1, "Photos in the folder", ""},
        {w->Image11, "Preview", "Click to select..."},
        {w->Image5, "View in the default image viewer", "View in deafault image viewer"},
        {w->Image4, "Rotate the preview", "Rotate"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(nameOf(row.control), QString::fromLatin1(row.name));
        EXPECT_EQ(row.control->toolTip(), QString::fromLatin1(row.tip)) << row.name;
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w->Command4)->role(), QAccessible::Button);
    EXPECT_EQ(w->Drive1->accessibleName(), QStringLiteral("Drives"));

    solidPhoto(QStringLiteral("lake.jpg"), qRgb(20, 120, 200));
    w->File1->setPath(folder());
    w->File1->setListIndex(0);
    File1_Click(w->browseControls());
    EXPECT_EQ(nameOf(w->Image11), QStringLiteral("Preview of lake.jpg"));
}

TEST_F(ScreenReader, TheRowEditorNamesItsPhotoAndBoxesAndClosesOnEscFromAnyControl) {
    addPreviewed(solidPhoto(QStringLiteral("lake.jpg"), qRgb(20, 120, 200)));
    const std::function<QWidget*(Props&)> controls[] = {
        [](Props& p) { return p.Combo1; }, [](Props& p) { return p.Combo2; },
        [](Props& p) { return p.Command1; }, [](Props& p) { return p.Command2; }};
    for (const auto& control : controls) {
        Props::Outcome outcome = Props::Outcome::Ok;
        ASSERT_TRUE(clickRow(1, [&](Props& p) {
            EXPECT_EQ(p.windowTitle(), QString());
            EXPECT_EQ(nameOf(&p), QStringLiteral("Copies and size of lake.jpg"));
            EXPECT_EQ(labelOf(p.Combo1), QStringLiteral("Copies:"));
            EXPECT_EQ(labelOf(p.Combo2), QStringLiteral("Size:"));
            EXPECT_EQ(p.Combo2->accessibleName(), QStringLiteral("Size"));
            EXPECT_EQ(nameOf(p.Command1), QStringLiteral("Remove"));
            EXPECT_EQ(nameOf(p.Command2), QStringLiteral("Ok"));
            p.Combo1->setEditText(QStringLiteral("7"));
            control(p)->setFocus();
            QTest::keyClick(control(p), Qt::Key_Escape);
            EXPECT_FALSE(p.isVisible());
            outcome = p.outcome();
            if (p.isVisible())
                p.reject();
        }));
        EXPECT_EQ(outcome, Props::Outcome::Closed);
        EXPECT_EQ(grid().TextMatrix(1, ColCopies), QStringLiteral("1"));
        expectInStep();
    }
}

} // namespace
