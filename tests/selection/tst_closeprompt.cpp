#include "tests/support/window/windowfixture.h"

#include "platform/controls/filelist.h"
#include "selection/order/gridrow.h"
#include "tests/support/filebytes.h"
#include "xpbutton/xpbutton.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>

namespace {

// What the user did before closing, and what closing then does.
struct CloseCase {
    const char* name;
    // Gestures on the window; photos a and b exist, nothing else is set up.
    std::function<void(class ClosePrompt&)> before;
    // Answers to the question and to a Save dialog it may lead to.
    std::vector<MessageResult> answers;
    QString saveAs; // file name for the Save dialog, relative to the folder
    bool asked;
    bool closes;
};

class ClosePrompt : public WindowFixture, public ::testing::WithParamInterface<CloseCase> {
public:
    using WindowFixture::addPreviewed;
    using WindowFixture::dialogs;
    using WindowFixture::editRow;
    using WindowFixture::file;
    using WindowFixture::grid;

    void press(XpButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10)); }
    void save(const QString& name) {
        dialogs.answerFile(file(name));
        press(ui(w).Command3);
    }
    void open(const QString& name) {
        dialogs.answerFile(file(name));
        press(ui(w).Command4);
    }
    void remove(int row) {
        ASSERT_TRUE(clickRow(row, [](Props& p) { QTest::mouseClick(p.Command1, Qt::LeftButton); }));
    }

    QString a;
    QString b;

protected:
    void SetUp() override {
        WindowFixture::SetUp();
        a = solidPhoto("a.jpg", qRgb(30, 60, 90));
        b = solidPhoto("b.jpg", qRgb(90, 60, 30));
    }
};

const QString kQuestion = QStringLiteral("Do you want to save actual proyect ?");

TEST_P(ClosePrompt, AsksOnlyWhenTheOrderWouldBeLost) {
    const CloseCase& c = GetParam();
    c.before(*this);
    const qsizetype messagesBefore = dialogs.messages.size();
    const int rowsBefore = grid().Rows();
    const QString captionBefore = ui(w).Frame4->title();
    for (MessageResult answer : c.answers)
        dialogs.answerMessage(answer);
    if (!c.saveAs.isEmpty())
        dialogs.answerFile(file(c.saveAs));

    const bool closed = w->close();
    EXPECT_EQ(closed, c.closes);
    EXPECT_EQ(w->isVisible(), !c.closes);
    const QList<ScriptedDialogs::MessageCall> asked = dialogs.messages.mid(messagesBefore);
    if (c.asked) {
        ASSERT_FALSE(asked.isEmpty());
        EXPECT_EQ(asked[0].title, "Marvolia");
        EXPECT_EQ(asked[0].text, kQuestion);
        EXPECT_EQ(asked[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(asked[0].icon, MessageIcon::None);
    } else {
        EXPECT_TRUE(asked.isEmpty());
    }
    // Closing never changes the order, whatever the answer.
    EXPECT_EQ(grid().Rows(), rowsBefore);
    EXPECT_EQ(list().count, rowsBefore - 1);
    EXPECT_EQ(ui(w).Frame4->title(), captionBefore);
}

const CloseCase kCases[] = {
    {"NothingDone", [](ClosePrompt&) {}, {}, {}, false, true},
    {"AddedThenNo",
     [](ClosePrompt& t) { t.addPreviewed(t.a); },
     {MessageResult::No},
     {},
     true,
     true},
    {"AddedThenCancel",
     [](ClosePrompt& t) { t.addPreviewed(t.a); },
     {MessageResult::Cancel},
     {},
     true,
     false},
    {"AddedThenYesAndSaved",
     [](ClosePrompt& t) { t.addPreviewed(t.a); },
     {MessageResult::Yes},
     "kept.mvl",
     true,
     true},
    {"AddedThenYesButSaveCancelled",
     [](ClosePrompt& t) { t.addPreviewed(t.a); },
     {MessageResult::Yes},
     {},
     true,
     false},
    {"AddedThenYesButSaveFailed",
     [](ClosePrompt& t) { t.addPreviewed(t.a); },
     {MessageResult::Yes},
     "no such folder/kept.mvl",
     true,
     false},
    {"Saved",
     [](ClosePrompt& t) {
         t.addPreviewed(t.a);
         t.save("p.mvl");
     },
     {},
     {},
     false,
     true},
    {"SavedThenEdited",
     [](ClosePrompt& t) {
         t.addPreviewed(t.a);
         t.save("p.mvl");
         t.editRow(1, "2", "10x15");
     },
     {MessageResult::Cancel},
     {},
     true,
     false},
    {"SavedThenOkWithoutChange",
     [](ClosePrompt& t) {
         t.addPreviewed(t.a);
         t.save("p.mvl");
         t.editRow(1, "1", "10x15");
     },
     {},
     {},
     false,
     true},
    {"SavedThenOneOfTwoRemoved",
     [](ClosePrompt& t) {
         t.addPreviewed(t.a);
         t.addPreviewed(t.b);
         t.save("p.mvl");
         t.remove(1);
     },
     {MessageResult::Cancel},
     {},
     true,
     false},
    {"SavedThenAdded",
     [](ClosePrompt& t) {
         t.addPreviewed(t.a);
         t.save("p.mvl");
         t.addPreviewed(t.b);
     },
     {MessageResult::Cancel},
     {},
     true,
     false},
    {"Opened",
     [](ClosePrompt& t) {
         ASSERT_TRUE(
             writeFileBytes(t.file("p.mvl"), " 1 \r\n" + t.a.toUtf8() + "\r\n2\r\n13x18\r\n"));
         t.open("p.mvl");
         ASSERT_EQ(t.grid().Rows(), 2);
     },
     {},
     {},
     false,
     true},
    {"OpenedOverAnOrderThenEdited",
     [](ClosePrompt& t) {
         t.addPreviewed(t.b);
         ASSERT_TRUE(
             writeFileBytes(t.file("p.mvl"), " 1 \r\n" + t.a.toUtf8() + "\r\n2\r\n13x18\r\n"));
         t.dialogs.answerMessage(MessageResult::No);
         t.open("p.mvl");
         ASSERT_EQ(t.grid().Rows(), 2);
         t.editRow(1, "2", "20x30");
     },
     {MessageResult::Cancel},
     {},
     true,
     false},
    // The file held more than fits: closing may not lose the rest silently.
    {"OpenedWithMoreThanFits",
     [](ClosePrompt& t) {
         QByteArray bytes = " 1000 \r\n";
         for (int i = 0; i < 1000; ++i)
             bytes += t.a.toUtf8() + "\r\n1\r\n10x15\r\n";
         ASSERT_TRUE(writeFileBytes(t.file("big.mvl"), bytes));
         t.open("big.mvl");
         ASSERT_EQ(t.grid().Rows(), 1000);
     },
     {MessageResult::Cancel},
     {},
     true,
     false},
    {"AddedThenItsOnlyRowRemoved",
     [](ClosePrompt& t) {
         t.addPreviewed(t.a);
         t.remove(1);
     },
     {},
     {},
     false,
     true},
};

INSTANTIATE_TEST_SUITE_P(Cases, ClosePrompt, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CloseCase>& p) {
                             return std::string(p.param.name);
                         });

// Yes keeps the order in the file it names before the window goes.
TEST_F(ClosePrompt, YesWritesTheOrderBeforeClosing) {
    addPreviewed(a);
    dialogs.answerMessage(MessageResult::Yes);
    dialogs.answerFile(file("kept.mvl"));
    ASSERT_TRUE(w->close());
    EXPECT_EQ(readFileBytes(file("kept.mvl")), " 1 \r\n" + a.toUtf8() + "\r\n1\r\n10x15\r\n");
    EXPECT_EQ(ui(w).project_path, file("kept.mvl"));
}

// Save, the lists and Ctrl+S work on the project open now, the one last
// opened or saved; Ctrl+S writes over it without a dialog.
TEST_F(ClosePrompt, EveryDialogProposesTheProjectOpenAndCtrlSSavesOverIt) {
    addPreviewed(a);
    save("a.mvl");
    const QByteArray bOrder = " 1 \r\n" + b.toUtf8() + "\r\n1\r\n10x15\r\n";
    ASSERT_TRUE(writeFileBytes(file("b.mvl"), bOrder));
    dialogs.answerMessage(MessageResult::No);
    open("b.mvl");
    ASSERT_EQ(grid().TextMatrix(1, ColFile), b);

    const struct {
        const char* name;
        XpButton* button;
        bool browses;
        QString proposed;
    } dialogsShown[] = {
        {"save", ui(w).Command3, false, file("b.mvl")},
        {"order list", ui(w).Command1, false, file("b.txt")},
        {"copy to a folder", ui(w).Command2, true, file("lab/b.txt")},
    };
    QDir(folder()).mkdir("lab");
    for (const auto& d : dialogsShown) {
        if (d.browses)
            dialogs.answerFolder(file("lab"));
        press(d.button); // and cancel
        EXPECT_EQ(dialogs.fileCalls.last().request.fileName, d.proposed) << d.name;
    }
    // The close question's Yes leads to the same.
    dialogs.answerMessage(MessageResult::Yes);
    editRow(1, "3", "13x18");
    EXPECT_FALSE(w->close()) << "its Save was cancelled";
    EXPECT_EQ(dialogs.fileCalls.last().request.fileName, file("b.mvl"));

    const qsizetype asked = dialogs.fileCalls.size();
    WindowFixture::press(ui(w).File1, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.fileCalls.size(), asked) << "no dialog";
    EXPECT_EQ(readFileBytes(file("b.mvl")), " 1 \r\n" + b.toUtf8() + "\r\n3\r\n13x18\r\n");
    EXPECT_EQ(readFileBytes(file("a.mvl")), " 1 \r\n" + a.toUtf8() + "\r\n1\r\n10x15\r\n");
    EXPECT_TRUE(w->close()) << "saved: nothing to ask";
}

// Without a project open, and over a file that held more than the order
// could take, Ctrl+S asks for the name as Save does.
TEST_F(ClosePrompt, CtrlSAsksWhereThereIsNoWholeProjectToSaveOver) {
    addPreviewed(a);
    dialogs.answerFile(file("first.mvl"));
    WindowFixture::press(ui(w).File1, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    EXPECT_EQ(dialogs.fileCalls[0].request.fileName, "untiteled");
    EXPECT_EQ(readFileBytes(file("first.mvl")), " 1 \r\n" + a.toUtf8() + "\r\n1\r\n10x15\r\n");

    QByteArray bytes = " 1000 \r\n";
    for (int i = 0; i < 1000; ++i)
        bytes += b.toUtf8() + "\r\n1\r\n10x15\r\n";
    ASSERT_TRUE(writeFileBytes(file("big.mvl"), bytes));
    dialogs.answerMessage(MessageResult::No);
    open("big.mvl");
    ASSERT_EQ(grid().Rows(), 1000);
    WindowFixture::press(ui(w).File1, Qt::Key_S, Qt::ControlModifier); // and cancel
    ASSERT_EQ(dialogs.fileCalls.size(), 3);
    EXPECT_EQ(dialogs.fileCalls[2].mode, FileDialogMode::Save);
    EXPECT_EQ(dialogs.fileCalls[2].request.fileName, file("big.mvl"));
    EXPECT_EQ(readFileBytes(file("big.mvl")), bytes);
}

} // namespace
