#include "app/mainwindow.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/drivelist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"
#include "platform/controls/webpanel.h"
#include "tests/support/fakes.h"
#include "tests/support/pageserver.h"
#include "tests/support/testpictures.h"
#include "tests/support/window/mainwindowui.h"
#include "xpbutton/xpbutton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Runs the window in a folder of its own, as the process's current folder.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    QString file(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    QString m_previous;
    ScriptedDialogs dialogs;
    RecordingShell shell;
};

TEST_F(MainWindowTest, LoadSetsUpGridAndCountsTheStartFolder) {
    {
        MainWindow before(MainWindowServices{dialogs, shell, QUrl()});
        EXPECT_EQ(ui(before).Label1->text(), "Cantidad: 0");
    }
    ASSERT_TRUE(writeJpeg(coordinatePicture(8, 6), file("b.JPG")));
    ASSERT_TRUE(writeJpeg(coordinatePicture(8, 6), file("a.jpg")));
    ASSERT_TRUE(writeJpeg(coordinatePicture(8, 6), file(".hidden.jpg")));
    QFile(file("notes.txt")).open(QIODevice::WriteOnly);

    MainWindow w({dialogs, shell, QUrl()});
    FlexGrid& grid = *ui(w).MSFlexGrid1;
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_EQ(grid.Rows(), 1);
    const int widths[] = {600, 1300, 700, 700, 1};
    const char* headers[] = {"Photo", "File", "Copies", "Size", ""};
    for (int col = 0; col < 5; ++col) {
        EXPECT_EQ(grid.ColWidth(col), widths[col]) << col;
        EXPECT_EQ(grid.TextMatrix(0, col), headers[col]) << col;
    }
    EXPECT_EQ(ui(w).Label1->text(), "Cantidad: 2");
    EXPECT_EQ(ui(w).Frame4->title(), "0 Photos Selected");
    EXPECT_TRUE(ui(w).current_file.isEmpty());
    EXPECT_EQ(ui(w).File1->ListIndex(), -1) << "nothing is previewed at start";
}

TEST_F(MainWindowTest, WindowAndControlsSitWhereDesigned) {
    MainWindow w({dialogs, shell, QUrl()});
    EXPECT_EQ(w.windowTitle(), "Marvolia");
    EXPECT_EQ(w.size(), QSize(830, 545));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the layout is fixed";
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    const std::pair<QWidget*, QRect> places[] = {
        {ui(w).Image11, {216, 112, 329, 329}},  {ui(w).image110, {216, 112, 329, 329}},
        {ui(w).Image4, {304, 8, 22, 18}},       {ui(w).Image5, {272, 8, 23, 18}},
        {ui(w).Command4, {344, 16, 59, 53}},    {ui(w).Command5, {760, 16, 59, 53}},
        {ui(w).MSFlexGrid1, {8, 24, 241, 297}}, {ui(w).WebBrowser1, {-48, 464, 897, 65}},
    };
    for (const auto& [widget, place] : places)
        EXPECT_EQ(widget->geometry(), place) << widget->metaObject()->className();
    EXPECT_EQ(ui(w).Image11->ScaleWidth(), 329);
    EXPECT_EQ(ui(w).MSFlexGrid1->parentWidget(), ui(w).Frame4);
    EXPECT_EQ(ui(w).File1->parentWidget(), ui(w).Frame1);
    EXPECT_EQ(ui(w).Image4->parentWidget(), ui(w).Image11);
    EXPECT_EQ(ui(w).Image11->toolTip(), "Click to select...");
    EXPECT_EQ(ui(w).Image5->toolTip(), "View in deafault image viewer");
    EXPECT_EQ(ui(w).Image4->toolTip(), "Rotate");
    EXPECT_EQ(ui(w).Label6->text(), "Doble Click in the file to select...");

    w.show();
    const MainWindowUi controls = ui(w);
    QWidget* hidden[] = {controls.ProgressBar1, controls.ProgressBar2, controls.Label7,
                         controls.Image4,       controls.Image5,       controls.image110,
                         controls.Image10,      controls.Image12};
    for (QWidget* widget : hidden)
        EXPECT_FALSE(widget->isVisible()) << widget->metaObject()->className();
    EXPECT_TRUE(ui(w).Image11->isVisible());
}

TEST_F(MainWindowTest, FileListHasFocusAndTabRunsAsDesigned) {
    MainWindow w({dialogs, shell, QUrl()});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(ui(w).File1));
    const MainWindowUi controls = ui(w);
    QWidget* expected[] = {controls.Dir1,        controls.Drive1,   controls.Image11,
                           controls.MSFlexGrid1, controls.Command4, controls.Command3,
                           controls.Command2,    controls.Command1, controls.Command5};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
    }
}

// The web panel is no tab stop: Tab from the last button goes back to the
// file list, also while the panel shows its page.
TEST_F(MainWindowTest, TabFromTheLastButtonPassesTheWebPanelBy) {
    PageServer server;
    server.setPage("/publ_mv.php", 200, pageTitled("publ"));
    MainWindow w({dialogs, shell, server.base()});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.activations() >= 1; }));
    ASSERT_TRUE(ui(w).WebBrowser1->isVisible());
    ui(w).Command5->setFocus();
    QTest::keyClick(ui(w).Command5, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ui(w).File1);
    QTest::keyClick(ui(w).File1, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), ui(w).Command5);
}

// The frames' inside is the window's white, so that the white labels on
// them show no box; their line stays as drawn.
TEST_F(MainWindowTest, TheFramesInsideIsWhite) {
    MainWindow w({dialogs, shell, QUrl()});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QImage shown = w.grab().toImage();
    // Window points inside a frame where no control lies.
    const QPoint inside[] = {{13, 296},  {98, 146},  {158, 232}, {173, 421}, // Frame1
                             {208, 300}, {555, 300}, {300, 445},             // Frame3
                             {572, 300}, {821, 300}, {700, 420}};            // Frame4
    for (const QPoint at : inside)
        EXPECT_EQ(shown.pixelColor(at), QColor(Qt::white)) << at.x() << "," << at.y();
    EXPECT_EQ(shown.pixelColor(9, 300), QColor(228, 228, 228)) << "Frame1's line";
}

// The drive list's open list shows the drives in the list's orange on white.
TEST_F(MainWindowTest, TheDriveListOpensInOrange) {
    MainWindow w({dialogs, shell, QUrl()});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ui(w).Drive1->setFocus();
    QTest::keyClick(ui(w).Drive1, Qt::Key_F4);
    QWidget* open = ui(w).Drive1->view();
    ASSERT_TRUE(open->isVisible());
    const QImage shown = open->grab().toImage();
    ui(w).Drive1->hidePopup();
    int orange = 0; // glyph edges blend into the white: orange's hue counts
    int black = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            orange += c.red() >= 240 && c.green() >= 128 && c.green() < 200 && c.blue() < 120;
            black += c.red() < 60 && c.green() < 60 && c.blue() < 60;
        }
    EXPECT_GT(orange, 20);
    EXPECT_EQ(black, 0);
    EXPECT_EQ(shown.pixelColor(shown.width() - 2, shown.height() - 2), QColor(Qt::white));
}

TEST_F(MainWindowTest, ThePanelStaysOnlyForAPageTitledExactlyPubl) {
    PageServer server;
    const std::tuple<int, QByteArray, bool> pages[] = {
        {200, pageTitled("publ"), true},
        {200, pageTitled("Publ"), false},
        {200, pageTitled("publ "), false},
        {200, pageTitled(""), false},
        {200, "<html><body>no title</body></html>", false},
        {500, pageTitled("publ"), false},
        {404, pageTitled("publ"), false},
    };
    for (const auto& [status, body, shown] : pages) {
        server.setPage("/publ_mv.php", status, body);
        MainWindow w({dialogs, shell, server.base()});
        w.Form_Activate();
        EXPECT_EQ(!ui(w).WebBrowser1->isHidden(), shown) << status << " " << body.toStdString();
    }

    // A closed port hides it quietly.
    quint16 port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    MainWindow w({dialogs, shell, QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port))});
    w.Form_Activate();
    EXPECT_TRUE(ui(w).WebBrowser1->isHidden());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, EveryActivationLoadsThePageAgain) {
    PageServer server;
    server.setPage("/publ_mv.php", 200, pageTitled("publ"));
    MainWindow w({dialogs, shell, server.base()});
    w.show();
    w.activateWindow();
    QTRY_VERIFY(w.activations() >= 1);
    const int first = server.requests("/publ_mv.php");
    EXPECT_GE(first, 1);
    w.Form_Activate();
    EXPECT_EQ(server.requests("/publ_mv.php"), first + 1);
    EXPECT_TRUE(ui(w).WebBrowser1->isVisible());
}

TEST_F(MainWindowTest, OnlyAReturnFromTheProgramsOwnWindowsLoadsThePageAgain) {
    PageServer server;
    server.setPage("/publ_mv.php", 200, pageTitled("publ"));
    MainWindow w({dialogs, shell, server.base()});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // QTRY_* would only leave the test on a failure; these fail it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.activations() >= 1; }));
    QTest::qWait(50);
    const int first = w.activations();
    const int requests = server.requests("/publ_mv.php");

    // Another program takes the keyboard and gives it back, twice.
    for (int i = 0; i < 2; ++i) {
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(&w);
        ASSERT_EQ(QApplication::activeWindow(), &w);
        QTest::qWait(50);
    }
    EXPECT_EQ(w.activations(), first);
    EXPECT_EQ(server.requests("/publ_mv.php"), requests);

    // One of the program's own windows comes and goes.
    QDialog own(&w);
    own.show();
    own.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&own));
    own.hide();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.activations() == first + 1; }));
    EXPECT_EQ(server.requests("/publ_mv.php"), requests + 1);
}

TEST_F(MainWindowTest, AnErrorInAButtonsEventIsShownInTheUsualMessage) {
    struct RefusingShell : RecordingShell {
        bool navigate(const QString& address) override {
            RecordingShell::navigate(address);
            return false;
        }
    } refusing;
    MainWindow w({dialogs, refusing, QUrl("http://127.0.0.1:9/site/")});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ui(w).Command5->setURL("http://127.0.0.1:9/elsewhere");
    QTest::mouseClick(ui(w).Command5, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(refusing.started.size(), 1) << "the click itself ran";
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.messages.size() == 1; }));
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.messages[0].text,
              "The button \"Command5\" could not finish what it was doing: The address could "
              "not be opened. Its address is \"http://127.0.0.1:9/elsewhere\".");
    QTest::qWait(20);
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(MainWindowTest, ButtonsAreTheStoredXpButtons) {
    MainWindow w({dialogs, shell, QUrl()});
    const MainWindowUi controls = ui(w);
    for (XpButton* button : {controls.Command1, controls.Command2, controls.Command3,
                             controls.Command4, controls.Command5}) {
        EXPECT_EQ(button->ButtonStyle(), 3);
        EXPECT_EQ(button->Caption(), "");
        EXPECT_EQ(button->PictureSize(), 2);
        ASSERT_TRUE(button->Picture());
        EXPECT_EQ(button->Picture()->type(), OlePicture::Type::Bitmap);
        EXPECT_EQ(button->PictureWidth(), 55);
    }
    EXPECT_EQ(ui(w).Command5->PictureHeight(), 47);
    EXPECT_EQ(ui(w).Command1->PictureHeight(), 46);
}

// The buttons' flows are tried through clicks by the selection tests.
TEST_F(MainWindowTest, HelpAndViewerStartOneCommandWithTheWholeText) {
    MainWindow w({dialogs, shell, QUrl("http://127.0.0.1:9/site/")});
    w.show();
    QTest::mouseClick(ui(w).Command5, Qt::LeftButton);
    ui(w).current_file = "/tmp/it's \"quoted\" $(rm -rf x).jpg";
    w.Image5_Click();
    ASSERT_EQ(shell.started.size(), 2);
    EXPECT_EQ(shell.started[0].program, "explorer");
    EXPECT_EQ(shell.started[0].argument, "http://127.0.0.1:9/site/mv_help.html");
    EXPECT_EQ(shell.started[0].style, WindowStyle::Minimized);
    EXPECT_EQ(shell.started[1].program, "explorer");
    EXPECT_EQ(shell.started[1].argument, ui(w).current_file);
    EXPECT_EQ(shell.started[1].style, WindowStyle::Maximized);
}

} // namespace
