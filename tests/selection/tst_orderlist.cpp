#include "selection/order/orderlist.h"
#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"
#include <QDir>

namespace {

using OrderList = WindowFixture;

const QString kGenerated = "File generated. Click 'Ok' to view the list.";

} // namespace

TEST(OrderListFormat, NamesAndLines) {
    const std::pair<QString, QString> names[] = {
        {"", "untitled"},
        {"/home/ana/order.mvl", "/home/ana/order.txt"},
        {"/home/ana/order", "/home/ana/order.txt"},
        {"/home/ana.v2/order", "/home/ana.v2/order.txt"},
        {"/home/ana/.mvl", "/home/ana/.mvl.txt"},
        {"/home/ana/order.txt", "/home/ana/order list.txt"},
    };
    for (const auto& [project, list] : names)
        EXPECT_EQ(proposedListName(project), list);

    EXPECT_EQ(orderListLine({"/Fotos/a.jpg", "2", "13x18", ""}),
              "File: a.jpg, Copies: 2, Size: 13x18");
    // A path written on Windows is named after its last backslash.
    EXPECT_EQ(orderListLine({"C:\\Fotos\\a.jpg", "", "", ""}), "File: a.jpg, Copies: , Size: ");
    for (const char* copies : {"00", " 0", ""})
        EXPECT_TRUE(isListed(copies)) << copies;
    EXPECT_FALSE(isListed("0"));
}

TEST_F(OrderList, WritesTheListedRowsAndShowsThem) {
    fill({{"/Fotos/a.jpg", "2", "13x18"},
          {"/Fotos/b.jpg", "0", "10x15"},
          {"/Other/a.jpg", "00", "10x15"},
          {"/Fotos/c\u00e9.jpg", " 0", "9x13"},
          {"/Fotos/d.jpg", "", "10x15"}});
    click(ui(w).Command1); // cancelled: nothing written, nothing shown
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(shell.started.isEmpty());

    dialogs.answerFile(file("list.txt"));
    click(ui(w).Command1);
    EXPECT_EQ(contents(file("list.txt")),
              QByteArray("File: a.jpg, Copies: 2, Size: 13x18\r\n"
                         "File: a.jpg, Copies: 00, Size: 10x15\r\n"
                         "File: c\xc3\xa9.jpg, Copies:  0, Size: 9x13\r\n"
                         "File: d.jpg, Copies: , Size: 10x15\r\n"));
    ASSERT_EQ(dialogs.fileCalls.size(), 2);
    const auto& call = dialogs.fileCalls[1];
    EXPECT_EQ(call.mode, FileDialogMode::Save);
    EXPECT_EQ(call.request.filter, "Text Files|*.txt");
    EXPECT_EQ(call.request.fileName, "untitled");
    EXPECT_EQ(call.request.flags, 2);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_EQ(dialogs.messages[0].text, kGenerated);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].program, "notepad.exe");
    EXPECT_EQ(shell.started[0].argument, file("list.txt"));
    EXPECT_EQ(shell.started[0].style, WindowStyle::Normal);
}

TEST_F(OrderList, AnEmptyListIsStillWrittenAndShown) {
    ASSERT_TRUE(put(file("list.txt"), "old contents"));
    dialogs.answerFile(file("list.txt"));
    click(ui(w).Command1);
    EXPECT_EQ(contents(file("list.txt")), QByteArray());

    fill({{"/Fotos/a.jpg", "0", "13x18"}});
    dialogs.answerFile(file("zero.txt"));
    click(ui(w).Command1);
    EXPECT_EQ(contents(file("zero.txt")), QByteArray());
    EXPECT_EQ(messageTexts(), (QStringList{kGenerated, kGenerated}));
    EXPECT_EQ(shell.started.size(), 2);
}

TEST_F(OrderList, AfterASavedProjectItsNameIsProposed) {
    dialogs.answerFile(file("order.mvl"));
    click(ui(w).Command3);
    click(ui(w).Command1);
    EXPECT_EQ(dialogs.fileCalls[1].request.fileName, file("order.txt"));
}

TEST_F(OrderList, AListThatCannotBeWrittenIsReported) {
    ASSERT_TRUE(put(file("plain"), "x"));
    fill({{"/Fotos/a.jpg", "1", "10x15"}});
    dialogs.answerFile(file("plain/list.txt"));
    click(ui(w).Command1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("The order list could not be written to \"%1\": it could not be created (")
            .arg(file("plain/list.txt"))));
    EXPECT_TRUE(shell.started.isEmpty());
}

TEST(OrderListViewer, AViewerThatCannotStartIsReported) {
    struct DeadShell : RecordingShell {
        bool start(const CommandLine&) override { return false; }
    } shell;
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    MainWindow w({dialogs, shell, QUrl()});
    const QString list = dir.filePath("list.txt");
    dialogs.answerFile(list);
    QTest::mouseClick(ui(w).Command1, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text, kGenerated);
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("The order list \"%1\" was written, but no program could be started "
                             "to show it.")
                  .arg(list));
}

// xdg-open may say only afterwards that nothing could show the list: then the
// user is told where it was written.
TEST_F(OrderList, AListThatCouldNotBeShownIsNamedWhereItLies) {
    const QString list = file("list.txt");
    dialogs.answerFile(list);
    click(ui(w).Command1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    ASSERT_EQ(shell.started.size(), 1);
    ASSERT_TRUE(shell.started[0].failedLater);
    shell.started[0].failedLater();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].title, "Marvolia");
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("The order list \"%1\" was written, but no program could be started "
                             "to show it.")
                  .arg(list));
}
