// An XpButton as screen readers see it, through Qt's accessibility interface.
#include "tests/support/fakes.h"
#include "tests/support/qtprinters.h"
#include "xpbutton/xpbutton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Accessible : ::testing::Test {
    QWidget window;
    XpButton* button = new XpButton(&window);
    RecordingShell shell;
    int clicks = 0;
    void SetUp() override {
        button->InitProperties();
        button->setGeometry(10, 10, 73, 25);
        button->setShell(&shell);
        QObject::connect(button, &XpButton::Click, [this] { ++clicks; });
    }
    QAccessibleInterface* seen() { return QAccessible::queryAccessibleInterface(button); }
};

TEST_F(Accessible, APushButtonNamedByItsCaptionAsReadElseByItsWindow) {
    const char* rows[][4] = {
        // caption, the window's name for it, name, accelerator
        {"Ok", "", "Ok", ""},
        {"&Save", "", "Save", "Alt+S"},
        {"Fish && &Chips", "", "Fish & Chips", "Alt+C"},
        {"", "Open a project", "Open a project", ""},
        {"Remove", "Take the photo out", "Remove", ""},
    };
    for (const auto& row : rows) {
        button->setCaption(QString::fromLatin1(row[0]));
        button->setAccessibleName(QString::fromLatin1(row[1]));
        EXPECT_EQ(seen()->role(), QAccessible::Button) << row[0];
        EXPECT_EQ(seen()->text(QAccessible::Name), QString::fromLatin1(row[2])) << row[0];
        EXPECT_EQ(seen()->text(QAccessible::Accelerator), QString::fromLatin1(row[3])) << row[0];
    }
}

// The press action clicks as a click does, once, address included; the
// states follow the focus and Space.
TEST_F(Accessible, PressActionAndStates) {
    button->setURL(QStringLiteral("https://example.invalid/help"));
    auto* other = new QWidget(&window); // has the focus at first
    other->setFocusPolicy(Qt::StrongFocus);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    const QString press = QAccessibleActionInterface::pressAction();
    const struct {
        const char* step;
        std::function<void()> act;
        bool focused, pressed;
        int clicks;
    } rows[] = {
        {"press", [&] { seen()->actionInterface()->doAction(press); }, false, false, 1},
        {"disabled press",
         [&] {
             button->setEnabled(false);
             seen()->actionInterface()->doAction(press);
             button->setEnabled(true);
         },
         false, false, 1},
        {"focus", [&] { button->setFocus(); }, true, false, 1},
        {"Space down", [&] { QTest::keyPress(button, Qt::Key_Space); }, true, true, 1},
        {"Space up", [&] { QTest::keyRelease(button, Qt::Key_Space); }, true, false, 2},
    };
    EXPECT_TRUE(seen()->actionInterface()->actionNames().contains(press));
    for (const auto& row : rows) {
        row.act();
        EXPECT_EQ(bool(seen()->state().focused), row.focused) << row.step;
        EXPECT_EQ(bool(seen()->state().pressed), row.pressed) << row.step;
        EXPECT_EQ(clicks, row.clicks) << row.step;
        EXPECT_EQ(shell.navigated.size(), row.clicks) << row.step;
    }
}

} // namespace
