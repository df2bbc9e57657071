#include "orderlist.h"
#include "orderwindow.h"

#include <QAbstractButton>

namespace {

using OrderList = OrderWindow;

const QString kGenerated = QStringLiteral("File generated. Click 'Ok' to view the list.");

// A shell that cannot start anything.
class DeadShell : public RecordingShell {
public:
    bool start(const CommandLine& command) override {
        RecordingShell::start(command);
        return false;
    }
};

} // namespace

TEST(OrderListFormat, ProposedNames) {
    EXPECT_EQ(proposedListName(QString()), QStringLiteral("untitled"));
    EXPECT_EQ(proposedListName(QStringLiteral("/home/ana/order.mvl")),
              QStringLiteral("/home/ana/order.txt"));
    EXPECT_EQ(proposedListName(QStringLiteral("/home/ana/order")),
              QStringLiteral("/home/ana/order.txt"));
    EXPECT_EQ(proposedListName(QStringLiteral("/home/ana.v2/order")),
              QStringLiteral("/home/ana.v2/order.txt"));
    EXPECT_EQ(proposedListName(QStringLiteral("/home/ana/.mvl")),
              QStringLiteral("/home/ana/.mvl.txt"));
    EXPECT_EQ(proposedListName(QStringLiteral("/home/ana/order.txt")),
              QStringLiteral("/home/ana/order list.txt"));
}

TEST(OrderListFormat, Lines) {
    EXPECT_EQ(orderListLine({QStringLiteral("/Fotos/a.jpg"), QStringLiteral("2"),
                             QStringLiteral("13x18"), QString()}),
              QStringLiteral("File: a.jpg, Copies: 2, Size: 13x18"));
    EXPECT_EQ(orderListLine({QStringLiteral("C:\\Fotos\\a.jpg"), QString(), QString(), QString()}),
              QStringLiteral("File: C:\\Fotos\\a.jpg, Copies: , Size: "));
    EXPECT_TRUE(isListed(QStringLiteral("00")));
    EXPECT_TRUE(isListed(QStringLiteral(" 0")));
    EXPECT_TRUE(isListed(QString()));
    EXPECT_FALSE(isListed(QStringLiteral("0")));
}

TEST_F(OrderList, WritesTheListAndShowsIt) {
    fill({{QStringLiteral("/Fotos/a.jpg"), QStringLiteral("2"), QStringLiteral("13x18")},
          {QStringLiteral("/Fotos/b.jpg"), QStringLiteral("0"), QStringLiteral("10x15")},
          {QStringLiteral("/Other/a.jpg"), QStringLiteral("00"), QStringLiteral("10x15")},
          {QStringLiteral("/Fotos/c\u00e9.jpg"), QStringLiteral(" 0"), QStringLiteral("9x13")},
          {QStringLiteral("/Fotos/d.jpg"), QString(), QStringLiteral("10x15")}});
    dialogs.answerFile(at("list.txt"));
    press(w->Command1);
    EXPECT_EQ(contents(at("list.txt")), QByteArray("File: a.jpg, Copies: 2, Size: 13x18\r\n"
                                                   "File: a.jpg, Copies: 00, Size: 10x15\r\n"
                                                   "File: c\xc3\xa9.jpg, Copies:  0, Size: 9x13\r\n"
                                                   "File: d.jpg, Copies: , Size: 10x15\r\n"));
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    const auto& call = dialogs.fileCalls[0];
    EXPECT_EQ(call.mode, FileDialogMode::Save);
    EXPECT_EQ(call.request.filter, QStringLiteral("Text Files|*.txt"));
    EXPECT_EQ(call.request.fileName, QStringLiteral("untitled"));
    EXPECT_EQ(call.request.flags, 2);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
    EXPECT_EQ(dialogs.messages[0].text, kGenerated);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].program, QStringLiteral("notepad.exe"));
    EXPECT_EQ(shell.started[0].argument, at("list.txt"));
    EXPECT_EQ(shell.started[0].style, WindowStyle::Normal);
}

TEST_F(OrderList, AnEmptyListIsStillShown) {
    ASSERT_TRUE(put(at("list.txt"), "old contents"));
    dialogs.answerFile(at("list.txt"));
    press(w->Command1);
    EXPECT_EQ(contents(at("list.txt")), QByteArray());

    fill({{QStringLiteral("/Fotos/a.jpg"), QStringLiteral("0"), QStringLiteral("13x18")}});
    dialogs.answerFile(at("zero.txt"));
    press(w->Command1);
    EXPECT_EQ(contents(at("zero.txt")), QByteArray());
    EXPECT_EQ(messageTexts(), (QStringList{kGenerated, kGenerated}));
    EXPECT_EQ(shell.started.size(), 2);
}

TEST_F(OrderList, CancelWritesAndShowsNothing) {
    fill({{QStringLiteral("/Fotos/a.jpg"), QStringLiteral("1"), QStringLiteral("10x15")}});
    press(w->Command1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(shell.started.isEmpty());
}

TEST_F(OrderList, AfterASavedProjectTheProjectIsNotProposed) {
    dialogs.answerFile(at("order.mvl"));
    press(w->Command3);
    dialogs.answerFile(at("order.txt"));
    press(w->Command1);
    EXPECT_EQ(dialogs.fileCalls[1].request.fileName, at("order.txt"));
    EXPECT_EQ(contents(at("order.mvl")), QByteArray(" 0 \r\n"));
}

TEST_F(OrderList, AListThatCannotBeWrittenIsReported) {
    ASSERT_TRUE(put(at("plain"), "x"));
    fill({{QStringLiteral("/Fotos/a.jpg"), QStringLiteral("1"), QStringLiteral("10x15")}});
    dialogs.answerFile(at("plain/list.txt"));
    press(w->Command1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("The order list could not be written to \"%1\": it could not be created (")
            .arg(at("plain/list.txt"))));
    EXPECT_TRUE(shell.started.isEmpty());
}

TEST(OrderListViewer, AViewerThatCannotStartIsReported) {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    DeadShell shell;
    MainWindow w({dialogs, shell, QUrl()});
    const QString list = dir.filePath(QStringLiteral("list.txt"));
    dialogs.answerFile(list);
    QTest::mouseClick(w.Command1, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text, kGenerated);
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("The order list \"%1\" was written, but no program could be started "
                             "to show it.")
                  .arg(list));
}
