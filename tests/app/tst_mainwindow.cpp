#include "dirlist.h"
#include "drivelist.h"
#include "fakes.h"
#include "filelist.h"
#include "flexgrid.h"
#include "imagecontrol.h"
#include "mainwindow.h"
#include "pageserver.h"
#include "picturebox.h"
#include "testpictures.h"
#include "webpanel.h"
#include "xpbutton.h"

#include <QAbstractButton>
#include <QApplication>
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
    ASSERT_TRUE(writeJpeg(coordinatePicture(8, 6), file("b.JPG")));
    ASSERT_TRUE(writeJpeg(coordinatePicture(8, 6), file("a.jpg")));
    ASSERT_TRUE(writeJpeg(coordinatePicture(8, 6), file(".hidden.jpg")));
    QFile(file("notes.txt")).open(QIODevice::WriteOnly);

    MainWindow w({dialogs, shell, QUrl()});
    FlexGrid& grid = *w.MSFlexGrid1;
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_EQ(grid.Rows(), 1);
    const int widths[] = {600, 1300, 700, 700, 1};
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(grid.ColWidth(col), widths[col]) << col;
    EXPECT_EQ(grid.TextMatrix(0, 0), "Photo");
    EXPECT_EQ(grid.TextMatrix(0, 1), "File");
    EXPECT_EQ(grid.TextMatrix(0, 2), "Copies");
    EXPECT_EQ(grid.TextMatrix(0, 3), "Size");
    EXPECT_EQ(grid.TextMatrix(0, 4), "");
    EXPECT_EQ(w.Label1->text(), "Cantidad: 2");
    EXPECT_EQ(w.Frame4->title(), "0 Photos Selected");
    EXPECT_TRUE(w.current_file.isEmpty());
    EXPECT_EQ(w.File1->ListIndex(), -1) << "nothing is previewed at start";
}

TEST_F(MainWindowTest, StartFolderWithoutPicturesCountsZero) {
    MainWindow w({dialogs, shell, QUrl()});
    EXPECT_EQ(w.Label1->text(), "Cantidad: 0");
}

TEST_F(MainWindowTest, WindowAndControlsSitWhereDesigned) {
    MainWindow w({dialogs, shell, QUrl()});
    EXPECT_EQ(w.windowTitle(), "Marvolia");
    EXPECT_EQ(w.size(), QSize(830, 545));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the layout is fixed";
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w.Image11->geometry(), QRect(216, 112, 329, 329));
    EXPECT_EQ(w.image110->geometry(), QRect(216, 112, 329, 329));
    EXPECT_EQ(w.Image11->ScaleWidth(), 329);
    EXPECT_EQ(w.Image4->geometry(), QRect(304, 8, 22, 18));
    EXPECT_EQ(w.Image5->geometry(), QRect(272, 8, 23, 18));
    EXPECT_EQ(w.Command4->geometry(), QRect(344, 16, 59, 53));
    EXPECT_EQ(w.Command5->geometry(), QRect(760, 16, 59, 53));
    EXPECT_EQ(w.MSFlexGrid1->geometry(), QRect(8, 24, 241, 297));
    EXPECT_EQ(w.MSFlexGrid1->parentWidget(), w.Frame4);
    EXPECT_EQ(w.File1->parentWidget(), w.Frame1);
    EXPECT_EQ(w.Image4->parentWidget(), w.Image11);
    EXPECT_EQ(w.WebBrowser1->geometry(), QRect(-48, 464, 897, 65));
    EXPECT_EQ(w.Image11->toolTip(), "Click to select...");
    EXPECT_EQ(w.Image5->toolTip(), "View in deafault image viewer");
    EXPECT_EQ(w.Image4->toolTip(), "Rotate");
    EXPECT_EQ(w.Label6->text(), "Doble Click in the file to select...");

    w.show();
    for (QWidget* hidden :
         {static_cast<QWidget*>(w.ProgressBar1), static_cast<QWidget*>(w.ProgressBar2),
          static_cast<QWidget*>(w.Label7), static_cast<QWidget*>(w.Image4),
          static_cast<QWidget*>(w.Image5), static_cast<QWidget*>(w.image110),
          static_cast<QWidget*>(w.Image10), static_cast<QWidget*>(w.Image12)})
        EXPECT_FALSE(hidden->isVisible()) << hidden->metaObject()->className();
    EXPECT_TRUE(w.Image11->isVisible());
}

TEST_F(MainWindowTest, FileListHasFocusAndTabRunsAsDesigned) {
    MainWindow w({dialogs, shell, QUrl()});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.File1));
    QWidget* expected[] = {w.Dir1,     w.Drive1,   w.Image11,  w.MSFlexGrid1, w.Command4,
                           w.Command3, w.Command2, w.Command1, w.Command5};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
    }
}

// The panel stays visible only for a page titled exactly "publ".
class WebPanelTitles : public MainWindowTest {
protected:
    bool visibleAfterActivation(int status, const QByteArray& body) {
        server.setPage("/publ_mv.php", status, body);
        MainWindow w({dialogs, shell, server.base()});
        w.Form_Activate();
        return !w.WebBrowser1->isHidden();
    }
    PageServer server;
};

TEST_F(WebPanelTitles, ExactTitleShowsThePanel) {
    EXPECT_TRUE(visibleAfterActivation(200, pageTitled("publ")));
}

TEST_F(WebPanelTitles, OtherTitlesHideIt) {
    EXPECT_FALSE(visibleAfterActivation(200, pageTitled("Publ")));
    EXPECT_FALSE(visibleAfterActivation(200, pageTitled("publ ")));
    EXPECT_FALSE(visibleAfterActivation(200, pageTitled("")));
    EXPECT_FALSE(visibleAfterActivation(200, "<html><body>no title</body></html>"));
}

TEST_F(WebPanelTitles, ErrorPageHidesIt) {
    EXPECT_FALSE(visibleAfterActivation(500, pageTitled("publ")));
    EXPECT_FALSE(visibleAfterActivation(404, pageTitled("publ")));
}

TEST_F(MainWindowTest, ClosedPortHidesThePanelQuietly) {
    quint16 port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    MainWindow w({dialogs, shell, QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port))});
    w.Form_Activate();
    EXPECT_TRUE(w.WebBrowser1->isHidden());
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
    EXPECT_TRUE(w.WebBrowser1->isVisible());
}

TEST_F(MainWindowTest, ButtonsAreTheStoredXpButtons) {
    MainWindow w({dialogs, shell, QUrl()});
    for (XpButton* button : {w.Command1, w.Command2, w.Command3, w.Command4, w.Command5}) {
        EXPECT_EQ(button->ButtonStyle(), 3);
        EXPECT_EQ(button->Caption(), "");
        EXPECT_EQ(button->PictureSize(), 2);
        ASSERT_TRUE(button->Picture());
        EXPECT_EQ(button->Picture()->type(), OlePicture::Type::Bitmap);
        EXPECT_EQ(button->PictureWidth(), 55);
    }
    EXPECT_EQ(w.Command5->PictureHeight(), 47);
    EXPECT_EQ(w.Command1->PictureHeight(), 46);
}

TEST_F(MainWindowTest, EachButtonClickRunsItsFlow) {
    MainWindow w({dialogs, shell, QUrl("http://127.0.0.1:9/")});
    w.show();
    // Every dialog is cancelled by the script, so each flow stops at its first question.
    QTest::mouseClick(w.Command1, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    EXPECT_EQ(dialogs.fileCalls[0].mode, FileDialogMode::Save);
    EXPECT_EQ(dialogs.fileCalls[0].request.filter, "Text Files|*.txt");

    QTest::mouseClick(w.Command2, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(dialogs.folderTitles,
              QStringList{"Select the path where you want to all the images to be saved"});

    QTest::mouseClick(w.Command3, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(dialogs.fileCalls.size(), 2);
    EXPECT_EQ(dialogs.fileCalls[1].mode, FileDialogMode::Save);
    EXPECT_EQ(dialogs.fileCalls[1].request.filter, "Marvolia files|*.mvl");
    EXPECT_EQ(dialogs.fileCalls[1].request.fileName, "untiteled");

    QTest::mouseClick(w.Command4, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(dialogs.fileCalls.size(), 3);
    EXPECT_EQ(dialogs.fileCalls[2].mode, FileDialogMode::Open);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "an empty grid asks nothing";

    QTest::mouseClick(w.Command5, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].argument, "http://127.0.0.1:9/mv_help.html");
}

TEST_F(MainWindowTest, HelpStartsOneCommandWithTheWholeAddress) {
    MainWindow w({dialogs, shell, QUrl("http://127.0.0.1:9/site/")});
    w.show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].program, "explorer");
    EXPECT_EQ(shell.started[0].argument, "http://127.0.0.1:9/site/mv_help.html");
    EXPECT_EQ(shell.started[0].style, WindowStyle::Minimized);
}

TEST_F(MainWindowTest, ViewerGetsThePathWholeWhateverItHolds) {
    MainWindow w({dialogs, shell, QUrl()});
    const QStringList paths = {"/tmp/with blanks/a b.jpg", "/tmp/it's \"quoted\".jpg",
                               "/tmp/semi;colon $(rm -rf x).jpg", "-leading dash.jpg"};
    for (const QString& path : paths) {
        w.current_file = path;
        w.Image5_Click();
    }
    ASSERT_EQ(shell.started.size(), paths.size());
    for (int i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(shell.started[i].program, "explorer");
        EXPECT_EQ(shell.started[i].argument, paths[i]);
        EXPECT_EQ(shell.started[i].style, WindowStyle::Maximized);
    }
}

} // namespace
