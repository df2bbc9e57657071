#include "tests/support/window/windowfixture.h"

#include "platform/controls/imagecontrol.h"
#include "selection/dialogs/cropframe.h"
#include "selection/dialogs/ordersummarydialog.h"
#include "selection/flows/ordercontroller.h"
#include "selection/order/gridrow.h"
#include "selection/order/printfit.h"
#include "xpbutton/xpbutton.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QTimer>
#include <turbojpeg.h>

namespace {

class OrderGlance : public WindowFixture {
protected:
    // A JPEG of one colour at a pixel size.
    QString jpeg(const QString& name, int width, int height, QRgb colour = qRgb(120, 90, 60)) {
        const QString path = file(name);
        EXPECT_TRUE(
            writeJpeg(patternPicture(width, height, [colour](int, int) { return colour; }), path));
        return path;
    }

    // What the tool tip says when asked at a point of a widget, as a pause of
    // the mouse asks it.
    static QString tipAt(QWidget* widget, const QPoint& at) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    QString gridTip(int row) {
        const QPoint at = rowPoint(row);
        EXPECT_GE(at.y(), 0) << "row " << row;
        const int wasRow = grid().Row();
        const int wasCol = grid().Col();
        const QString tip = tipAt(grid().viewport(), at);
        // Asking never moves the current cell.
        EXPECT_EQ(grid().Row(), wasRow);
        EXPECT_EQ(grid().Col(), wasCol);
        return tip;
    }
    QString frameTip() { return tipAt(ui(w).Frame4, QPoint(6, 4)); }

    static QString fit(const QString& path, const char* rest) {
        return path + QStringLiteral(" - ") + QString::fromLatin1(rest);
    }
};

TEST_F(OrderGlance, TipsFollowAddsEditsAndRemoves) {
    const QString a = jpeg("a.jpg", 1800, 1200);
    const QString b = jpeg("b.jpg", 80, 60);
    const QString c = jpeg("c.jpg", 1200, 1200);
    EXPECT_EQ(frameTip(), "0 photos, 0 prints\nNothing needs a look.");
    for (const QString& path : {a, b, c})
        addPreviewed(path);
    ASSERT_EQ(list().count, 3);
    EXPECT_EQ(gridTip(1), fit(a, "1800 x 1200 pixels - at 10x15: 304 ppi, sharp; 0 % cut off"));
    EXPECT_EQ(gridTip(2), fit(b, "80 x 60 pixels - at 10x15: 13 ppi, low; 11 % cut off"));
    EXPECT_EQ(gridTip(3), fit(c, "1200 x 1200 pixels - at 10x15: 203 ppi, good; 33 % cut off"));
    EXPECT_EQ(frameTip(), "10x15: 3 prints\n3 photos, 3 prints\nNeeds a look:\n"
                          "Row 2: prints low at 10x15 (13 ppi)\n"
                          "Row 3: loses 33 % to the cut at 10x15");

    editRow(1, "2", "20x30");
    editRow(2, "0", "10x15");
    EXPECT_EQ(gridTip(1), fit(a, "1800 x 1200 pixels - at 20x30: 152 ppi, good; 0 % cut off"));
    EXPECT_EQ(frameTip(), "10x15: 1 print\n20x30: 2 prints\n2 photos, 3 prints\n"
                          "1 row kept, not printed\nNeeds a look:\n"
                          "Row 3: loses 33 % to the cut at 10x15");

    ASSERT_TRUE(clickRow(1, [](Props& p) { QTest::mouseClick(p.Command1, Qt::LeftButton); }));
    expectInStep();
    EXPECT_EQ(gridTip(1), fit(b, "80 x 60 pixels - at 10x15: 13 ppi, low; 11 % cut off"));
    EXPECT_EQ(gridTip(2), fit(c, "1200 x 1200 pixels - at 10x15: 203 ppi, good; 33 % cut off"));
    const QString summary = "10x15: 1 print\n1 photo, 1 print\n1 row kept, not printed\n"
                            "Needs a look:\nRow 2: loses 33 % to the cut at 10x15";
    EXPECT_EQ(frameTip(), summary);
    // Below the last row the grid has nothing to say, and the frame speaks.
    EXPECT_EQ(tipAt(grid().viewport(), QPoint(60, grid().viewport()->height() - 2)), summary);

    ASSERT_TRUE(QFile::remove(c));
    EXPECT_EQ(gridTip(2), fit(c, "the photo is missing"));
    EXPECT_EQ(frameTip(), "10x15: 1 print\n1 photo, 1 print\n1 row kept, not printed\n"
                          "Needs a look:\nRow 2: the photo is missing");
}

// Rows changed together keep their photo's size: their tips and the summary
// still tell how they print.
TEST_F(OrderGlance, RowsChangedTogetherStillTellHowTheyPrint) {
    const QString a = jpeg("a.jpg", 1800, 1200);
    const QString b = jpeg("b.jpg", 1200, 1800);
    addPreviewed(a);
    addPreviewed(b);
    pickRow(1, Qt::ControlModifier);
    pickRow(2, Qt::ControlModifier);
    chooseFromGridMenu(2, "Change copies and size of the 2 selected rows...", [](Props& p) {
        p.Combo1->setEditText("2");
        p.Combo2->setEditText("13x18");
        QTest::mouseClick(p.Command2, Qt::LeftButton);
    });
    EXPECT_EQ(gridTip(1), fit(a, "1800 x 1200 pixels - at 13x18: 234 ppi, good; 8 % cut off"));
    EXPECT_EQ(gridTip(2), fit(b, "1200 x 1800 pixels - at 13x18: 234 ppi, good; 8 % cut off"));
    EXPECT_EQ(frameTip(), "13x18: 4 prints\n2 photos, 4 prints\nNothing needs a look.");
}

TEST_F(OrderGlance, TipsOfAnOpenedProject) {
    const QString a = jpeg("a.jpg", 1800, 1200);
    const QString b = jpeg("b.jpg", 80, 60);
    const QString gone = file("gone.jpg");
    const QString project = file("p.mvl");
    QFile out(project);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(" 3 \r\n" + a.toUtf8() + "\r\n2\r\n13x18\r\n" + gone.toUtf8() + "\r\n1\r\n10x15\r\n" +
              b.toUtf8() + "\r\n2.5\r\n10x15\r\n");
    out.close();
    dialogs.answerFile(project);
    QTest::mouseClick(ui(w).Command4, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(list().count, 3);
    EXPECT_EQ(gridTip(1), fit(a, "1800 x 1200 pixels - at 13x18: 234 ppi, good; 8 % cut off"));
    EXPECT_EQ(gridTip(2), fit(gone, "the photo is missing"));
    EXPECT_EQ(gridTip(3), fit(b, "80 x 60 pixels - at 10x15: 13 ppi, low; 11 % cut off"));
    EXPECT_EQ(frameTip(), "10x15: 1 print\n13x18: 2 prints\n3 photos, 3 prints\nNeeds a look:\n"
                          "Row 2: the photo is missing\n"
                          "Row 3: copies \"2.5\" are not a whole number; prints low at 10x15 "
                          "(13 ppi)");
}

TEST_F(OrderGlance, TheSummaryFromTheGridsMenuGoesToTheChosenRow) {
    for (int i = 0; i < 12; ++i)
        addPreviewed(jpeg(QStringLiteral("%1.jpg").arg(i), 1800, 1200));
    editRow(12, "1", "30x45"); // 101 ppi
    grid().verticalScrollBar()->setValue(0);
    ASSERT_LT(rowPoint(12).y(), 0) << "row 12 should be out of view";
    editRow(2, "x", "10x15");

    QObject scope;
    QStringList shown;
    bool chosen = false;
    std::function<void()> poll = [&] {
        auto* dialog = qobject_cast<OrderSummaryDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            QTimer::singleShot(0, &scope, poll);
            return;
        }
        shown << dialog->head->text();
        for (int i = 0; i < dialog->looks->count(); ++i)
            shown << dialog->looks->item(i)->text();
        QListWidget* looks = dialog->looks;
        QTest::mouseClick(looks->viewport(), Qt::LeftButton, {},
                          looks->visualItemRect(looks->item(1)).center());
        chosen = grid().Row() == 12 && rowPoint(12).y() >= 0;
        QTest::mouseClick(looks->viewport(), Qt::LeftButton, {},
                          looks->visualItemRect(looks->item(0)).center());
        dialog->reject();
    };

    // The menu runs its own loop; the summary is looked at once it shows.
    QTimer::singleShot(0, &scope, poll);
    const QStringList items = chooseFromGridMenu(1, QStringLiteral("Order summary..."));
    EXPECT_TRUE(items.contains(QStringLiteral("Order summary...")))
        << items.join(", ").toStdString();
    EXPECT_EQ(list().count, 12); // a right click opens no editor

    EXPECT_EQ(shown, (QStringList{"10x15: 10 prints\n30x45: 1 print\n12 photos, 11 prints",
                                  "Row 2: copies \"x\" are not a whole number",
                                  "Row 12: prints low at 30x45 (101 ppi)"}));
    EXPECT_TRUE(chosen) << "row 12 was not made current and shown";
    EXPECT_EQ(grid().Row(), 2);
    EXPECT_EQ(grid().Col(), ColFile);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(OrderGlance, TheSummaryNamesRowsThatOrderOnePhotoTwice) {
    const QString a = jpeg("IMG_1234.jpg", 60, 40);
    const QString copy = file("IMG_1234(1).jpg");
    ASSERT_TRUE(QFile::copy(a, copy));
    // The same pixels and size, another density in the header: other bytes.
    QByteArray bytes = contents(a);
    ASSERT_EQ(bytes.mid(2, 2), QByteArray("\xff\xe0"));
    bytes[15] = static_cast<char>(bytes[15] ^ 1);
    const QString other = file("other.jpg");
    ASSERT_TRUE(put(other, bytes));
    QDir(folder()).mkpath("sub");
    const QString sameName = file("sub/IMG_1234.jpg");
    ASSERT_TRUE(QFile::copy(a, sameName));

    const struct {
        QStringList rows;
        QStringList lines; // below the summary; none: the summary as it was
    } cases[] = {
        {{a, other}, {}},
        {{other, a, other}, {"Ordered more than once:\nRows 1 and 3: the same photo, other.jpg"}},
        {{a, other, copy, a},
         {"Ordered more than once:\nRows 1 and 4: the same photo, IMG_1234.jpg\n"
          "Rows 1, 3 and 4: identical files, IMG_1234.jpg and IMG_1234(1).jpg"}},
        {{other, a, sameName},
         {"Ordered more than once:\nRows 2 and 3: identical files, " + a + " and " + sameName}},
    };
    for (const auto& c : cases) {
        ui(w).orderController.addPhotos(c.rows);
        OrderSummaryDialog dialog(ui(w).orderController.view);
        QSignalSpy checked(&dialog, &OrderSummaryDialog::duplicatesChecked);
        ASSERT_TRUE(checked.wait(10000));
        EXPECT_EQ(dialog.duplicates->isVisibleTo(&dialog), !c.lines.isEmpty());
        EXPECT_EQ(c.lines.isEmpty() ? QStringList() : QStringList{dialog.duplicates->text()},
                  c.lines);
        EXPECT_EQ(dialog.head->text().count('\n'), 1) << "the head stays as it was";
        ui(w).orderController.order.undoStack().undo();
    }
}

TEST_F(OrderGlance, ARealPhotographsSizeIsItsJpegHeaders) {
    const QString path = QStringLiteral("/usr/share/backgrounds/Dragonfly_by_Bolly.jpg");
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no " << path.toStdString();
    const QByteArray bytes = in.readAll();
    tjhandle tj = tjInitDecompress();
    int width = 0, height = 0, sub = 0, space = 0;
    ASSERT_EQ(tjDecompressHeader3(tj, reinterpret_cast<const unsigned char*>(bytes.constData()),
                                  static_cast<unsigned long>(bytes.size()), &width, &height, &sub,
                                  &space),
              0);
    tjDestroy(tj);
    ASSERT_EQ(QSize(width, height), QSize(4224, 3168));
    addPreviewed(path);
    EXPECT_EQ(gridTip(1), fit(path, "4224 x 3168 pixels - at 10x15: 715 ppi, sharp; 11 % cut off"));
}

// The editor's frame over a photo of other proportions than the print.
TEST_F(OrderGlance, TheRowEditorDrawsTheCutAndListsTheFit) {
    const QRgb grey = qRgb(100, 110, 120);
    const QString path =
        photo("wide.jpg", patternPicture(400, 300, [&](int, int) { return grey; }));
    addPreviewed(path);

    const auto expectFrame = [&](Props& p, const QRect& part, const char* what) {
        ASSERT_EQ(p.cropFrame->part(), part) << what;
        const QImage shot = p.Image2->grab().toImage();
        ASSERT_EQ(shot.size(), QSize(113, 89));
        int framed = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const bool edge = part.contains(x, y) && (x == part.left() || x == part.right() ||
                                                          y == part.top() || y == part.bottom());
                framed += edge;
                // The 4:3 photo keeps its shape: white above and below it;
                // what is cut off is dimmed to half.
                const QRgb photo = !QRect(0, 2, 113, 85).contains(x, y)    ? qRgb(255, 255, 255)
                                   : part.isEmpty() || part.contains(x, y) ? grey
                                                                           : qRgb(50, 55, 60);
                ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF,
                          (edge ? qRgb(255, 128, 0) : photo) & 0xFFFFFF)
                    << what << " at " << x << "," << y;
            }
        EXPECT_EQ(framed, part.isEmpty() ? 0 : 2 * (part.width() + part.height()) - 4) << what;
    };

    ASSERT_TRUE(clickRow(1, [&](Props& p) {
        EXPECT_EQ(p.Label4->toolTip(), path);
        EXPECT_EQ(p.Combo2->toolTip(),
                  "10x15: 67 ppi, low\n13x18: 56 ppi, low\n15x21: 48 ppi, low\n"
                  "20x25: 38 ppi, low\n20x30: 33 ppi, low\n30x45: 22 ppi, low");
        expectFrame(p, QRect(0, 7, 113, 75), "10x15");
        QLineEdit* edit = p.Combo2->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "20x20");
        expectFrame(p, QRect(14, 2, 85, 85), "typed 20x20");
        // Picking from the list: the next item after 10x15.
        edit->selectAll();
        QTest::keyClicks(edit, "10x15");
        QTest::keyClick(p.Combo2, Qt::Key_Down);
        ASSERT_EQ(p.Combo2->currentText(), "13x18");
        expectFrame(p, QRect(0, 4, 113, 82), "picked 13x18");
        edit->selectAll();
        QTest::keyClicks(edit, "A4");
        expectFrame(p, QRect(), "A4");
        p.reject();
    }));
}

} // namespace
