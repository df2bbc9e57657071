#include "tests/support/window/windowfixture.h"

#include "platform/controls/imagecontrol.h"
#include "platform/controls/pathlabel.h"
#include "selection/dialogs/cropframe.h"
#include "selection/order/gridrow.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>

namespace {

const QColor kOrange(255, 128, 0);

class RowEditor : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        a = solidPhoto("a.jpg", qRgb(30, 60, 90));
        b = solidPhoto("b.jpg", qRgb(90, 60, 30));
        addPreviewed(a);
        addPreviewed(b);
    }

    // Types text into a combo box as a user would, over what it shows.
    static void type(QComboBox* combo, const QString& text) {
        QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(combo->lineEdit(), text);
    }

    QStringList items(const QComboBox* combo) {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    QString a;
    QString b;
};

TEST_F(RowEditor, IsAFixedToolWindowLaidOutAsDesigned) {
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        EXPECT_TRUE(p.isModal());
        EXPECT_EQ(p.windowTitle(), "");
        // What the window manager is given: a blank, not the program's name.
        EXPECT_EQ(p.windowHandle()->title(), " ");
        EXPECT_EQ(p.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        EXPECT_FALSE(p.windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(p.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(p.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(p.size(), QSize(313, 196));
        EXPECT_EQ(p.minimumSize(), p.maximumSize());
        EXPECT_EQ(p.parentWidget(), w.get());
        const QPoint offset = p.frameGeometry().center() - w->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << "," << offset.y();

        const std::pair<QWidget*, QRect> places[] = {
            {p.Image1, {0, -16, 1013, 220}}, {p.Label2, {32, 16, 49, 17}},
            {p.Label4, {80, 16, 217, 17}},   {p.Label1, {32, 48, 49, 17}},
            {p.Combo1, {80, 45, 65, 21}},    {p.Label3, {32, 80, 49, 17}},
            {p.Combo2, {80, 76, 65, 21}},    {p.Image2, {168, 40, 113, 89}},
            {p.Command1, {40, 152, 73, 25}}, {p.Command2, {208, 152, 73, 25}},
        };
        for (const auto& [widget, place] : places)
            EXPECT_EQ(widget->geometry(), place) << widget->objectName().toStdString();
        EXPECT_TRUE(p.Image1->Stretch());
        EXPECT_TRUE(p.Image2->Stretch());
        EXPECT_EQ(p.Label2->text(), "File:");
        EXPECT_EQ(p.Label1->text(), "Copies:");
        EXPECT_EQ(p.Label3->text(), "Size:");
        EXPECT_EQ(p.Command1->Caption(), "Remove");
        EXPECT_EQ(p.Command2->Caption(), "Ok");
        EXPECT_EQ(p.Command1->ButtonStyle(), 3);
        for (QLabel* label : {p.Label2, p.Label4, p.Label1, p.Label3}) {
            EXPECT_TRUE(label->autoFillBackground());
            EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::white));
        }
        EXPECT_EQ(p.Label4->palette().color(QPalette::WindowText), kOrange);
        for (QComboBox* combo : {p.Combo1, p.Combo2}) {
            EXPECT_TRUE(combo->isEditable());
            EXPECT_EQ(combo->lineEdit()->palette().color(QPalette::Text), kOrange);
        }
        // Enter in a combo box presses nothing; Tab runs from copies to Ok,
        // then to the frame over the photo.
        QTest::keyClick(p.Combo1->lineEdit(), Qt::Key_Return);
        EXPECT_TRUE(p.isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return p.isActiveWindow(); }));
        ASSERT_TRUE(p.Combo1->hasFocus());
        QWidget* tabOrder[] = {p.Combo2, p.Command1, p.Command2, p.cropFrame, p.Combo1};
        for (QWidget* next : tabOrder) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_TRUE(next->hasFocus()) << next->metaObject()->className();
        }
        p.reject();
    }));
}

TEST_F(RowEditor, OpensOnTheClickedRowWithBothListsFilled) {
    editRow(2, "3", "13x18");
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(clickRow(2, [&](Props& p) {
            EXPECT_EQ(p.Label4->text(), b);
            ASSERT_FALSE(p.Image2->Picture().isNull());
            EXPECT_EQ(p.Image2->Picture().pixel(5, 5) & 0xFFFFFF, qRgb(90, 60, 30) & 0xFFFFFFu);
            EXPECT_EQ(items(p.Combo1),
                      QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
            EXPECT_EQ(items(p.Combo2),
                      QStringList({"10x15", "13x18", "15x21", "20x25", "20x30", "30x45"}));
            EXPECT_EQ(p.Combo1->currentText(), "3");
            EXPECT_EQ(p.Combo2->currentText(), "13x18");
            EXPECT_EQ(grid().Row(), 2);
            EXPECT_EQ(grid().Col(), ColSize);
            EXPECT_EQ(list().edit_row, 2);
            p.reject();
        }));
    }
}

TEST_F(RowEditor, OkStoresWhatWasTypedExactly) {
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        type(p.Combo1, "0");
        type(p.Combo2, "9x13 matte");
        QTest::mouseClick(p.Command2, Qt::LeftButton);
    }));
    EXPECT_EQ(grid().TextMatrix(1, ColCopies), "0");
    EXPECT_EQ(list().entries[1].copies, "0");
    EXPECT_EQ(list().entries[1].size, "9x13 matte");
    EXPECT_EQ(list().entries[1].file, a);

    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        EXPECT_EQ(p.Combo1->currentText(), "0");
        type(p.Combo1, "12");
        type(p.Combo2, "");
        QTest::mouseClick(p.Command2, Qt::LeftButton);
    }));
    EXPECT_EQ(list().entries[1].copies, "12");
    EXPECT_EQ(list().entries[1].size, "");
    // Typed values stay out of the lists.
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        EXPECT_EQ(p.Combo1->count(), 10);
        EXPECT_EQ(p.Combo2->count(), 6);
        p.Combo2->setCurrentIndex(5);
        p.Combo1->setCurrentIndex(9);
        QTest::mouseClick(p.Command2, Qt::LeftButton);
    }));
    EXPECT_EQ(list().entries[1].copies, "10");
    EXPECT_EQ(list().entries[1].size, "30x45");
    // The other row is untouched.
    EXPECT_EQ(list().entries[2].copies, "1");
    EXPECT_EQ(list().entries[2].size, "10x15");
    expectInStep();
}

// Whatever is typed is stored as typed: nothing completes it from the lists.
TEST_F(RowEditor, TypedTextIsNeverCompleted) {
    const struct {
        const char* copies;
        const char* size;
    } typed[] = {{"1", "20"}, {"2", "1"}, {"1", "10X1"}, {"3", "13x1"}, {"1", "30x4"}};
    for (const auto& t : typed) {
        ASSERT_TRUE(clickRow(1, [&](Props& p) {
            // Completion works only with the keyboard in the box.
            ASSERT_TRUE(QTest::qWaitFor([&] { return p.isActiveWindow(); }));
            type(p.Combo1, t.copies);
            type(p.Combo2, t.size);
            EXPECT_EQ(p.Combo2->lineEdit()->selectedText(), "") << t.size;
            QTest::mouseClick(p.Command2, Qt::LeftButton);
        }));
        EXPECT_EQ(list().entries[1].copies, t.copies);
        EXPECT_EQ(list().entries[1].size, t.size);
        EXPECT_EQ(grid().TextMatrix(1, ColSize), t.size);
    }
}

// A long path shows its file name, cut in the middle; the text and the tip
// keep it whole.
TEST_F(RowEditor, ALongPathShowsItsFileName) {
    QDir(folder()).mkpath("Pictures/Portugal 2023, Lisbon and Porto/Day 3");
    const QString longPath = photo("Pictures/Portugal 2023, Lisbon and Porto/Day 3/IMG_0815.jpg",
                                   patternPicture(8, 6, [](int, int) { return qRgb(1, 2, 3); }));
    addPreviewed(longPath);
    // So does the grid's File column.
    EXPECT_EQ(grid().shownLines(3, ColFile).size(), 2);
    EXPECT_EQ(grid().shownLines(3, ColFile).last(), "IMG_0815.jpg");
    ASSERT_TRUE(clickRow(3, [&](Props& p) {
        auto* label = qobject_cast<PathLabel*>(p.Label4);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), longPath);
        EXPECT_TRUE(p.Label4->toolTip().contains(longPath));
        const QString shown = label->shownText();
        EXPECT_TRUE(shown.endsWith("/IMG_0815.jpg")) << shown.toStdString();
        EXPECT_TRUE(shown.startsWith("/")) << shown.toStdString();
        EXPECT_TRUE(shown.contains("...")) << shown.toStdString();
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(shown), 217);
        p.reject();
    }));
    // A short one shows whole.
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        EXPECT_EQ(qobject_cast<PathLabel*>(p.Label4)->shownText(), a);
        p.reject();
    }));
}

TEST_F(RowEditor, CloseBoxChangesNothingAndLeavesTheCopiesCellCurrent) {
    editRow(1, "2", "15x21");
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        type(p.Combo1, "7");
        type(p.Combo2, "20x25");
        p.close();
    }));
    EXPECT_EQ(list().count, 2);
    EXPECT_EQ(list().entries[1].copies, "2");
    EXPECT_EQ(list().entries[1].size, "15x21");
    EXPECT_EQ(list().entries[1].file, a);
    EXPECT_EQ(grid().Col(), ColCopies);
}

TEST_F(RowEditor, AGonePhotoOpensWithoutAPictureAndStillEdits) {
    ASSERT_TRUE(QFile::remove(a));
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        EXPECT_EQ(p.Label4->text(), a);
        EXPECT_TRUE(p.Image2->Picture().isNull());
        type(p.Combo1, "5");
        QTest::mouseClick(p.Command2, Qt::LeftButton);
    }));
    EXPECT_EQ(list().entries[1].copies, "5");
    EXPECT_TRUE(dialogs.messages.isEmpty());
    expectInStep();
}

TEST_F(RowEditor, AClickOutsideTheRowsEditsTheCurrentRow) {
    // Clicks on the header and below the rows leave the current row as it
    // was: the last added, then the one last clicked.
    ASSERT_EQ(grid().Row(), 2);
    ASSERT_TRUE(clickHeader([&](Props& p) {
        EXPECT_EQ(p.Label4->text(), b);
        p.reject();
    }));
    ASSERT_TRUE(clickRow(1, [&](Props& p) { p.reject(); }));
    ASSERT_TRUE(clickBelowRows([&](Props& p) {
        EXPECT_EQ(p.Label4->text(), a);
        p.reject();
    }));
}

TEST_F(RowEditor, ClosingActivatesTheMainWindowAgain) {
    for (int round = 0; round < 2; ++round) {
        int before = 0;
        ASSERT_TRUE(clickRow(1, [&](Props& p) {
            // Not QTest::qWaitForWindowActive: it counts a window whose owner
            // is active as active itself.
            ASSERT_TRUE(QTest::qWaitFor([&] { return p.isActiveWindow(); }));
            // Whatever the main window's earlier activations loaded is done.
            QCoreApplication::processEvents();
            before = w->activations();
            if (round == 0)
                p.close();
            else
                QTest::mouseClick(p.Command2, Qt::LeftButton);
        }));
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return QApplication::activeWindow() == w.get() && w->activations() > before;
        })) << "round "
            << round;
    }
}

} // namespace
