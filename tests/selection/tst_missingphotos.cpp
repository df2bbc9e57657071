#include "tests/support/window/windowfixture.h"

#include "platform/files/picturefile.h"
#include "selection/dialogs/searchwindow.h"
#include "selection/flows/missingphotos.h"
#include "selection/flows/orderactions.h"
#include "selection/flows/relink.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "tests/support/filebytes.h"
#include "xpbutton/xpbutton.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QTimer>

namespace {

class MissingPhotos : public WindowFixture {
protected:
    QString made(const QString& name, QRgb colour) {
        QDir().mkpath(QFileInfo(file(name)).absolutePath());
        return solidPhoto(name, colour);
    }

    static QByteArray projectOf(const QList<QStringList>& rows) {
        QByteArray bytes = " " + QByteArray::number(rows.size()) + " \r\n";
        for (const QStringList& r : rows)
            bytes += r[0].toUtf8() + "\r\n" + r[1].toUtf8() + "\r\n" + r[2].toUtf8() + "\r\n";
        return bytes;
    }

    void open(const QString& project) {
        dialogs.answerFile(project);
        QTest::mouseClick(ui(w).Command4, Qt::LeftButton, {}, QPoint(10, 10));
    }

    static QString unshownLine(const QString& path) {
        return path + ": " + readPictureFile(path).error;
    }

    // The question before photos found by their name alone are taken.
    static QString confirmation(const QList<std::pair<QString, QString>>& picks) {
        QStringList lines;
        for (const auto& [was, now] : picks)
            lines << was + "\n    now " + now;
        return "These photos were found only by their name, in folders that share no name with "
               "the ones they were in, or as a file that another row already holds:\n\n" +
               lines.join('\n') + "\n\nUse them?";
    }

    QStringList texts() const {
        QStringList out;
        for (const auto& m : dialogs.messages)
            out << m.text;
        return out;
    }

    // Runs act on the search window once it shows.
    void whenSearching(const std::function<void(SearchWindow&)>& act) {
        m_poll = [this, act] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<SearchWindow*>(top);
                    window && window->isVisible()) {
                    act(*window);
                    return;
                }
            QTimer::singleShot(0, &m_scope, m_poll);
        };
        QTimer::singleShot(0, &m_scope, m_poll);
    }

    // Opens the grid's context menu with a right click on row 1 and clicks
    // its only item; gives the items the menu showed.
    QStringList pickFromGridMenu() {
        QStringList items;
        QObject scope;
        std::function<void()> poll = [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) {
                QTimer::singleShot(0, &scope, poll);
                return;
            }
            // The menu holds the order's other entries too; this one is picked.
            for (QAction* action : menu->actions())
                if (action->text() == QLatin1String("Find missing photos...")) {
                    items << action->text();
                    QTest::mouseClick(menu, Qt::LeftButton, {},
                                      menu->actionGeometry(action).center());
                    return;
                }
            menu->close();
        };
        QTimer::singleShot(0, &scope, poll);
        const QPoint at(60, 30);
        QTest::mouseClick(grid().viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid().viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid().viewport(), &event);
        return items;
    }

    QObject m_scope;
    std::function<void()> m_poll;
};

TEST_F(MissingPhotos, OpeningOffersTheSearchAndRelinksWhatItFinds) {
    const QString red = file("old/red.jpg");
    const QString green = file("old/green.jpg");
    const QString blue = made("old/blue.jpg", qRgb(0, 0, 255));
    const QString gone = file("old/gone.jpg");
    const QString newRed = made("new/photos/Red.JPG", qRgb(255, 0, 0));
    const QString newGreen = made("new/green.jpg", qRgb(0, 255, 0));
    made("new/elsewhere/more/green.jpg", qRgb(9, 9, 9)); // deeper, no folder in common
    const QString project = file("order.mvl");
    ASSERT_TRUE(writeFileBytes(project, projectOf({{red, "2", "13x18"},
                                                   {green, "0", "10x15"},
                                                   {blue, "1", "10x15"},
                                                   {gone, "1", "20x30"},
                                                   {red, "3", "10x15"}})));
    dialogs.answerMessage(MessageResult::Yes);
    dialogs.answerFolder(file("new"));
    dialogs.answerMessage(MessageResult::Yes); // found by their name alone: take them
    open(project);

    ASSERT_EQ(dialogs.messages.size(), 3);
    const auto& question = dialogs.messages[0];
    EXPECT_EQ(question.title, "Marvolia");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.text,
              QStringLiteral("The project \"%1\" was loaded, but these pictures could not be "
                             "shown:\n\n%2\n\nLook for them in another folder?")
                  .arg(project, QStringList{unshownLine(red), unshownLine(green), unshownLine(gone),
                                            unshownLine(red)}
                                    .join('\n')));
    EXPECT_EQ(dialogs.folderTitles, QStringList{"Look for the missing photos in"});
    EXPECT_EQ(dialogs.messages[1].text, confirmation({{red, newRed}, {green, newGreen}}));
    EXPECT_EQ(dialogs.messages[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.messages[2].text,
              QStringLiteral("Found 3 of the 4 missing photos in \"%1\".\n\nNot found:\n\n%2")
                  .arg(file("new"), gone));
    EXPECT_EQ(dialogs.messages[2].icon, MessageIcon::Warning);

    const QList<QStringList> rows = {{newRed, "2", "13x18"},
                                     {newGreen, "0", "10x15"},
                                     {blue, "1", "10x15"},
                                     {gone, "1", "20x30"},
                                     {newRed, "3", "10x15"}};
    ASSERT_EQ(grid().Rows(), 6);
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(grid().TextMatrix(i + 1, ColFile), rows[i][0]) << "row " << i + 1;
        EXPECT_EQ(grid().TextMatrix(i + 1, ColCopies), rows[i][1]) << "row " << i + 1;
        EXPECT_EQ(grid().TextMatrix(i + 1, ColSize), rows[i][2]) << "row " << i + 1;
    }
    expectInStep();
    expectSolidThumbnail(1, qRgb(255, 0, 0));
    expectSolidThumbnail(2, qRgb(0, 255, 0));
    expectSolidThumbnail(3, qRgb(0, 0, 255));
    EXPECT_TRUE(grid().CellPictureAt(4, ColPhoto).isNull());
    expectSolidThumbnail(5, qRgb(255, 0, 0));
    EXPECT_FALSE(grid().CellPictureAt(2, ColCopies).isNull()) << "the 0 marker stays";
}

// A photo another row holds, or one found by its name alone (in no folder
// of the same name), is taken only when the user says so. (Which file is
// picked is the search's own test.)
TEST_F(MissingPhotos, APickThatIsNotCertainIsConfirmedFirst) {
    const QString moved = file("old/sub2/BEACH.JPG");
    const struct {
        const char* name;
        const char* also; // another file carrying the name, or none
        MessageResult answer;
        const char* taken; // or none: the row stays
        bool asked;
    } cases[] = {
        {"only the other row's photo, No", nullptr, MessageResult::No, nullptr, true},
        {"only the other row's photo, Yes", nullptr, MessageResult::Yes, "new/beach.jpg", true},
        {"elsewhere", "new/deeper/Beach.jpg", MessageResult::Yes, "new/deeper/Beach.jpg", true},
        {"in a folder of its own", "new/sub2/beach.jpg", MessageResult::Cancel,
         "new/sub2/beach.jpg", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(file("new")).removeRecursively();
        const QString held = made("new/beach.jpg", qRgb(0, 0, 255));
        if (c.also)
            made(QString::fromLatin1(c.also), qRgb(255, 0, 0));
        const QString project = file("order.mvl");
        ASSERT_TRUE(
            writeFileBytes(project, projectOf({{moved, "1", "10x15"}, {held, "2", "13x18"}})));
        dialogs.messages.clear();
        if (grid().Rows() > 1)
            dialogs.answerMessage(MessageResult::No); // save the order first? No
        dialogs.answerMessage(MessageResult::Yes);    // look for the missing photo
        dialogs.answerFolder(file("new"));
        if (c.asked)
            dialogs.answerMessage(c.answer);
        open(project);

        const QString found = file(QString::fromLatin1(c.taken ? c.taken : c.also));
        EXPECT_EQ(grid().TextMatrix(1, ColFile), c.taken ? found : moved);
        EXPECT_EQ(grid().TextMatrix(2, ColFile), held);
        EXPECT_EQ(texts().contains(confirmation({{moved, c.also ? found : held}})), c.asked);
        EXPECT_TRUE(texts().last().startsWith(
            QStringLiteral("Found %1 of the 1 missing photos").arg(c.taken ? 1 : 0)))
            << texts().last().toStdString();
        expectInStep();
    }
}

TEST_F(MissingPhotos, NoAtTheQuestionLeavesTheRowsAsTheyWere) {
    const QString red = file("old/red.jpg");
    made("new/red.jpg", qRgb(255, 0, 0));
    const QString project = file("order.mvl");
    ASSERT_TRUE(writeFileBytes(project, projectOf({{red, "1", "10x15"}})));
    dialogs.answerMessage(MessageResult::No);
    dialogs.answerFolder(file("new"));
    open(project);
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.folderTitles.isEmpty());
    EXPECT_EQ(grid().TextMatrix(1, ColFile), red);
    expectInStep();

    // A damaged photo alone is not missing: nothing to look for.
    const QString damaged = file("damaged.jpg");
    ASSERT_TRUE(writeFileBytes(damaged, "not a picture"));
    ASSERT_TRUE(writeFileBytes(project, projectOf({{damaged, "1", "10x15"}})));
    dialogs.messages.clear();
    dialogs.answerMessage(MessageResult::No); // save the order first? No
    open(project);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("The project \"%1\" was loaded, but these pictures could not be "
                             "shown:\n\n%2")
                  .arg(project, unshownLine(damaged)));
}

TEST_F(MissingPhotos, EscStopsTheSearchAndChangesNothing) {
    const QString red = file("old/red.jpg");
    ASSERT_TRUE(QDir().mkpath(file("new/many")));
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(writeFileBytes(file(QStringLiteral("new/many/%1.jpg").arg(i)), {}));
    made("new/zz/red.jpg", qRgb(255, 0, 0));
    const QString project = file("order.mvl");
    ASSERT_TRUE(writeFileBytes(project, projectOf({{red, "1", "10x15"}})));
    dialogs.answerMessage(MessageResult::Yes);
    dialogs.answerFolder(file("new"));
    bool shown = false;
    whenSearching([&](SearchWindow& window) {
        shown = true;
        EXPECT_EQ(window.windowTitle(), "Marvolia");
        EXPECT_TRUE(window.isModal());
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    open(project);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialogs.messages.size(), 1) << "a stopped search says nothing more";
    EXPECT_EQ(grid().TextMatrix(1, ColFile), red);
    EXPECT_EQ(grid().TextMatrix(1, ColPath), red);
    expectInStep();
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<SearchWindow*>(top) && top->isVisible());
}

TEST_F(MissingPhotos, TheGridMenuFindsThemAtAnyTime) {
    const QString red = made("old/red.jpg", qRgb(255, 0, 0));
    const QString green = made("old/green.jpg", qRgb(0, 255, 0));
    const QString project = file("order.mvl");
    ASSERT_TRUE(writeFileBytes(project, projectOf({{red, "1", "10x15"}, {green, "2", "13x18"}})));
    open(project);
    ASSERT_TRUE(dialogs.messages.isEmpty());

    // Nothing missing yet.
    EXPECT_EQ(pickFromGridMenu(), QStringList{"Find missing photos..."});
    EXPECT_EQ(texts(), QStringList{"No photo of the order is missing."});
    EXPECT_TRUE(dialogs.folderTitles.isEmpty());

    // The photos move after the order was opened.
    ASSERT_TRUE(QDir().mkpath(file("moved")));
    ASSERT_TRUE(QFile::rename(green, file("moved/green.jpg")));
    dialogs.messages.clear();
    dialogs.answerFolder(folder());
    dialogs.answerMessage(MessageResult::Yes);
    EXPECT_EQ(pickFromGridMenu(), QStringList{"Find missing photos..."});
    EXPECT_EQ(dialogs.folderTitles, QStringList{"Look for the missing photos in"});
    EXPECT_EQ(
        texts(),
        (QStringList{confirmation({{green, file("moved/green.jpg")}}),
                     QStringLiteral("Found 1 of the 1 missing photos in \"%1\".").arg(folder())}));
    EXPECT_EQ(dialogs.messages.last().icon, MessageIcon::Information);
    EXPECT_EQ(grid().TextMatrix(1, ColFile), red);
    EXPECT_EQ(grid().TextMatrix(2, ColFile), file("moved/green.jpg"));
    expectInStep();
    expectSolidThumbnail(2, qRgb(0, 255, 0));
}

TEST_F(MissingPhotos, ARelinkIsAChangeThatOneUndoTakesBack) {
    const QString red = made("old/red.jpg", qRgb(255, 0, 0));
    const QString green = made("old/green.jpg", qRgb(0, 255, 0));
    const QString project = file("order.mvl");
    ASSERT_TRUE(writeFileBytes(project, projectOf({{red, "1", "10x15"}, {green, "2", "13x18"}})));
    open(project);
    OrderController& c = ui(w).orderController;
    EXPECT_FALSE(c.order.changedSinceSaved()) << "just opened";

    ASSERT_TRUE(QDir().mkpath(file("moved")));
    ASSERT_TRUE(QFile::rename(red, file("moved/red.jpg")));
    ASSERT_TRUE(QFile::rename(green, file("moved/green.jpg")));
    dialogs.answerFolder(folder());
    dialogs.answerMessage(MessageResult::Yes);
    EXPECT_EQ(pickFromGridMenu(), QStringList{"Find missing photos..."});
    ASSERT_EQ(grid().TextMatrix(1, ColFile), file("moved/red.jpg"));
    ASSERT_EQ(grid().TextMatrix(2, ColFile), file("moved/green.jpg"));
    EXPECT_TRUE(c.order.changedSinceSaved()) << "closing must offer to save it";
    EXPECT_EQ(ui(w).orderActions->undo->text(), "Undo finding 2 moved photos");

    press(&grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid().TextMatrix(1, ColFile), red);
    EXPECT_EQ(grid().TextMatrix(2, ColFile), green);
    EXPECT_EQ(c.list.entry(2)->file, green);
    expectInStep();
    press(&grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid().TextMatrix(2, ColFile), file("moved/green.jpg"));
    EXPECT_EQ(grid().TextMatrix(2, ColPath), file("moved/green.jpg"));
    expectSolidThumbnail(2, qRgb(0, 255, 0));
    expectInStep();
}

TEST_F(MissingPhotos, ARelinkIsTakenBackByTheSameCallWithWhatItReturned) {
    const QString red = file("old/red.jpg");
    const QString blue = made("old/blue.jpg", qRgb(0, 0, 255));
    const QString newRed = made("new/red.jpg", qRgb(255, 0, 0));
    const QString project = file("order.mvl");
    ASSERT_TRUE(writeFileBytes(project, projectOf({{red, "1", "10x15"}, {blue, "2", "13x18"}})));
    dialogs.answerMessage(MessageResult::No);
    open(project);
    grid().setRow(2);
    grid().setCol(ColSize);

    OrderController& c = ui(w).orderController;
    const QList<RowPath> before = relinkRows(c, {{1, newRed}, {2, blue}, {7, newRed}, {0, newRed}});
    EXPECT_EQ(before, (QList<RowPath>{{1, red}})) << "unchanged and unknown rows are left out";
    EXPECT_EQ(grid().TextMatrix(1, ColFile), newRed);
    expectInStep();
    expectSolidThumbnail(1, qRgb(255, 0, 0));
    EXPECT_EQ(grid().Row(), 2);
    EXPECT_EQ(grid().Col(), ColSize);

    QStringList unshown;
    const QList<RowPath> again = relinkRows(c, before, &unshown);
    EXPECT_EQ(again, (QList<RowPath>{{1, newRed}}));
    EXPECT_EQ(grid().TextMatrix(1, ColFile), red);
    expectInStep();
    EXPECT_TRUE(grid().CellPictureAt(1, ColPhoto).isNull());
    EXPECT_EQ(unshown, QStringList{unshownLine(red)});
    expectSolidThumbnail(2, qRgb(0, 0, 255));
}

// An order put together on Windows: Windows-1252, CR LF, drive letters and a
// share, accented names.
TEST_F(MissingPhotos, AnOrderFromWindowsOpensIsFoundAndListsByName) {
    const QByteArray windows = " 3 \r\n"
                               "C:\\Users\\Ana\\Fotos\\A\xf1o nuevo\\playa.jpg\r\n2\r\n13x18\r\n"
                               "\\\\server\\fotos\\Cami\xf3n.jpg\r\n1\r\n10x15\r\n"
                               "d:\\perro.jpg\r\n0\r\n10x15\r\n";
    const QString playa = QStringLiteral("C:\\Users\\Ana\\Fotos\\Año nuevo\\playa.jpg");
    const QString camion = QStringLiteral("\\\\server\\fotos\\Camión.jpg");
    const QString project = file("windows.mvl");
    ASSERT_TRUE(writeFileBytes(project, windows));
    dialogs.answerMessage(MessageResult::No);
    open(project);
    ASSERT_EQ(grid().Rows(), 4);
    EXPECT_EQ(grid().TextMatrix(1, ColFile), playa);
    EXPECT_EQ(grid().TextMatrix(2, ColFile), camion);
    EXPECT_EQ(grid().TextMatrix(3, ColFile), "d:\\perro.jpg");

    // The lists name each photo by the part after its last backslash.
    const QString list = file("windows.txt");
    dialogs.answerFile(list);
    QTest::mouseClick(ui(w).Command1, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(readFileBytes(list),
              QByteArray("File: playa.jpg, Copies: 2, Size: 13x18\r\n"
                         "File: Cami\xc3\xb3n.jpg, Copies: 1, Size: 10x15\r\n"));

    // The photos lie here now, one of them in another letter case.
    const QString newPlaya = made("here/Fotos/Año nuevo/Playa.JPG", qRgb(255, 0, 0));
    made("here/Otros/playa.jpg", qRgb(1, 1, 1)); // fewer folders in common
    const QString newCamion = made("here/Camión.jpg", qRgb(0, 255, 0));
    const QString newPerro = made("here/x/perro.jpg", qRgb(0, 0, 255));
    dialogs.messages.clear();
    dialogs.answerFolder(file("here"));
    dialogs.answerMessage(MessageResult::Yes);
    EXPECT_EQ(pickFromGridMenu(), QStringList{"Find missing photos..."});
    EXPECT_EQ(texts(),
              (QStringList{
                  confirmation({{camion, newCamion}, {"d:\\perro.jpg", newPerro}}),
                  QStringLiteral("Found 3 of the 3 missing photos in \"%1\".").arg(file("here"))}));
    EXPECT_EQ(grid().TextMatrix(1, ColFile), newPlaya);
    EXPECT_EQ(grid().TextMatrix(2, ColFile), newCamion);
    EXPECT_EQ(grid().TextMatrix(3, ColFile), newPerro);
    expectInStep();
    expectSolidThumbnail(1, qRgb(255, 0, 0));
    expectSolidThumbnail(2, qRgb(0, 255, 0));
    expectSolidThumbnail(3, qRgb(0, 0, 255));

    dialogs.answerFile(list);
    QTest::mouseClick(ui(w).Command1, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(readFileBytes(list),
              QByteArray("File: Playa.JPG, Copies: 2, Size: 13x18\r\n"
                         "File: Cami\xc3\xb3n.jpg, Copies: 1, Size: 10x15\r\n"));

    const QString lab = file("lab");
    ASSERT_TRUE(QDir().mkpath(lab));
    dialogs.answerFolder(lab);
    dialogs.answerFile(lab + "/order.txt");
    dialogs.messages.clear();
    QTest::mouseClick(ui(w).Command2, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << texts().join('\n').toStdString();
    EXPECT_EQ(readFileBytes(lab + "/order.txt"),
              QByteArray("File: Playa.JPG, Copies 2, Size 13x18\r\n"
                         "File: Cami\xc3\xb3n.jpg, Copies 1, Size 10x15\r\n"));
    EXPECT_EQ(readFileBytes(lab + "/Playa.JPG"), readFileBytes(newPlaya));
    EXPECT_EQ(readFileBytes(lab + "/Camión.jpg"), readFileBytes(newCamion));
    EXPECT_EQ(QDir(lab).entryList(QDir::Files).size(), 3);
}

} // namespace
