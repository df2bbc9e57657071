#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include "platform/controls/focusmark.h"
#include "platform/controls/imagecontrol.h"
#include "selection/dialogs/cropframe.h"
#include "selection/order/framing.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "tests/support/testpictures.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QWheelEvent>

namespace {

constexpr QRgb kGrey = qRgb(100, 110, 120);

struct FramingEditor : WindowFixture {
    // A 4:3 photo of 400 x 300: 113 x 85 in the editor's box, from row 2.
    QString grey(const char* name) {
        return photo(QString::fromLatin1(name),
                     patternPicture(400, 300, [](int, int) { return kGrey; }));
    }
    QString tip(int row) {
        return ui(w).order.index(row - 1, ColFile).data(Qt::ToolTipRole).toString();
    }
};

// The frame's edge in orange, what lies outside it dimmed to half, and the
// photo inside as it is.
void expectShown(Props& p, const QRect& part, const char* what) {
    ASSERT_EQ(p.cropFrame->part(), part) << what;
    const QImage shot = p.Image2->grab().toImage();
    const QRect photo(0, 2, 113, 85);
    // With the keyboard the frame marks its box with inverted dots.
    const bool marked = p.cropFrame->hasFocus();
    const QRect outline = focusMarkRect(p.cropFrame->rect());
    for (int y = photo.top(); y <= photo.bottom(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const bool edge = part.contains(x, y) && (x == part.left() || x == part.right() ||
                                                      y == part.top() || y == part.bottom());
            const QRgb want = edge                  ? qRgb(255, 128, 0)
                              : part.contains(x, y) ? kGrey
                                                    : qRgb(50, 55, 60);
            const bool dot = marked && isFocusDot(outline, x, y);
            ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, (dot ? ~want : want) & 0xFFFFFF)
                << what << " at " << x << "," << y;
        }
}

void wheel(QWidget* widget, int notches) {
    const QPointF at = widget->rect().center();
    QWheelEvent event(at, widget->mapToGlobal(at), {}, {0, notches * 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST_F(FramingEditor, DragKeysWheelAndMenuFrameThePrintAndOkStoresIt) {
    const QString path = grey("a.jpg");
    addPreviewed(path);
    const QString plain = path + " - 400 x 300 pixels - at 10x15: 67 ppi, low; 11 % cut off";
    ASSERT_EQ(tip(1), plain);
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        CropFrame* frame = p.cropFrame;
        expectShown(p, QRect(0, 7, 113, 75), "the lab's cut");
        EXPECT_EQ(frame->accessibleName(), "Print frame");
        ASSERT_TRUE(QTest::qWaitFor([&] { return p.isActiveWindow(); }));
        QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(56, 44));
        EXPECT_TRUE(frame->hasFocus());
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(frame, Qt::Key_Up);
        expectShown(p, QRect(0, 2, 113, 76), "moved up to the top");
        QTest::keyClick(frame, Qt::Key_Minus);
        expectShown(p, QRect(5, 5, 103, 69), "made smaller");
        wheel(frame, 1);
        expectShown(p, QRect(0, 2, 113, 76), "the wheel makes it larger again");
        // Dragged down by 20 pixels of the box, 71 of the photo: it stops at
        // the photo's bottom, 33 pixels down.
        QTest::mousePress(frame, Qt::LeftButton, {}, QPoint(56, 40));
        QTest::mouseMove(frame, QPoint(56, 60));
        QTest::mouseRelease(frame, Qt::LeftButton, {}, QPoint(56, 60));
        expectShown(p, QRect(0, 11, 113, 76), "dragged down");
        EXPECT_EQ(chooseFromMenu(frame, QPoint(56, 44), "Whole photo"),
                  QStringList({"Fill the paper", "Whole photo", "Centre the cut"}));
        EXPECT_EQ(frame->part(), QRect(0, 2, 113, 85));
        EXPECT_EQ(chooseFromMenu(frame, QPoint(56, 44), "Fill the paper"),
                  QStringList({"Fill the paper", "Whole photo", "(Centre the cut)"}));
        expectShown(p, QRect(0, 7, 113, 75), "filled again, centred");
        // A key moves it a pixel of the box, 4 of the photo.
        QTest::keyClick(frame, Qt::Key_Up);
        QTest::keyClick(frame, Qt::Key_Up);
        expectShown(p, QRect(0, 4, 113, 76), "moved up by two");
        QTest::mouseClick(p.Command2, Qt::LeftButton);
    }));
    const Framing stored = ui(w).order.rows()[0].framing;
    EXPECT_EQ(stored.mode, FramingMode::Fill);
    EXPECT_EQ(fillCut({400, 300}, {10, 15}, stored), QRect(0, 8, 400, 267));
    EXPECT_EQ(tip(1), path + " - 400 x 300 pixels - at 10x15: 67 ppi, low; 11 % cut off, the "
                             "cut chosen");
    // The editor opens on the framing stored; the close box keeps it.
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        EXPECT_EQ(p.cropFrame->part(), QRect(0, 4, 113, 76));
        p.reject();
    }));
    EXPECT_EQ(ui(w).order.rows()[0].framing, stored);
    ui(w).order.undoStack().undo();
    EXPECT_TRUE(ui(w).order.rows()[0].framing.isDefault());
    EXPECT_EQ(tip(1), plain);

    // A size naming no paper has no frame, and the photo's tip says why.
    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        p.Combo2->lineEdit()->selectAll();
        QTest::keyClicks(p.Combo2->lineEdit(), "A4");
        EXPECT_FALSE(p.cropFrame->isVisible());
        EXPECT_EQ(p.Image2->toolTip(),
                  "The size \"A4\" names no paper shape, so the photo cannot be framed.");
        p.reject();
    }));
}

TEST_F(FramingEditor, TheEditorOfManyRowsFramesThemAllCentred) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        addPreviewed(grey(name));
    pickRow(1, Qt::ControlModifier);
    pickRow(3, Qt::ShiftModifier);
    ASSERT_EQ(grid().SelectedRows(), QList<int>({1, 2, 3}));
    chooseFromGridMenu(1, "Change copies and size of the 3 selected rows...", [&](Props& p) {
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(p.cropFrame, Qt::Key_Up);
        chooseFromMenu(p.cropFrame, QPoint(56, 44), "Whole photo");
        QTest::mouseClick(p.Command2, Qt::LeftButton);
    });
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ui(w).order.rows()[i].framing, Framing{FramingMode::Whole}) << i;
    EXPECT_EQ(ui(w).order.undoStack().undoText(), "changing 3 rows");
    ui(w).order.undoStack().undo();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(ui(w).order.rows()[i].framing.isDefault()) << i;
}
