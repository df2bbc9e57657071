// An XpButton as screen readers see it, through Qt's accessibility interface,
// and the Esc key it passes on to its window.
#include "fakes.h"
#include "qtprinters.h"
#include "xpbutton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

class Accessible : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 100);
        button->InitProperties();
        button->setGeometry(10, 10, 73, 25);
        button->setButtonStyle(3);
        button->setShell(&shell);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(150, 10, 20, 20);
        QObject::connect(button, &XpButton::Click, [this] { ++clicks; });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }

    QAccessibleInterface* seen() { return QAccessible::queryAccessibleInterface(button); }

    QDialog window;
    XpButton* button = new XpButton(&window);
    QWidget* other = new QWidget(&window);
    RecordingShell shell;
    int clicks = 0;
};

TEST_F(Accessible, APushButtonNamedByItsCaptionAsReadElseByItsWindow) {
    const struct {
        const char* caption;
        const char* given; // the window's accessible name for it
        const char* name;
        const char* accelerator;
    } rows[] = {
        {"Ok", "", "Ok", ""},
        {"&Save", "", "Save", "Alt+S"},
        {"Fish && &Chips", "", "Fish & Chips", "Alt+C"},
        {"A && B", "", "A & B", ""},
        {"", "Open a project", "Open a project", ""},
        {"Remove", "Take the photo out", "Remove", ""},
    };
    for (const auto& row : rows) {
        button->setCaption(QString::fromLatin1(row.caption));
        button->setAccessibleName(QString::fromLatin1(row.given));
        QAccessibleInterface* face = seen();
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::Button) << row.caption;
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromLatin1(row.name)) << row.caption;
        EXPECT_EQ(face->text(QAccessible::Accelerator), QString::fromLatin1(row.accelerator))
            << row.caption;
    }
}

TEST_F(Accessible, ThePressActionClicksOnceAndOpensTheAddressOnce) {
    button->setURL(QStringLiteral("https://example.invalid/help"));
    const struct {
        bool enabled;
        int clicks;
    } rows[] = {{true, 1}, {false, 0}};
    for (const auto& row : rows) {
        clicks = 0;
        shell.navigated.clear();
        button->setEnabled(row.enabled);
        QAccessibleActionInterface* actions = seen()->actionInterface();
        ASSERT_NE(actions, nullptr);
        EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clicks, row.clicks) << row.enabled;
        EXPECT_EQ(shell.navigated.size(), row.clicks) << row.enabled;
        EXPECT_FALSE(seen()->state().pressed);
    }
}

TEST_F(Accessible, StatesFollowTheFocusAndTheSpaceKey) {
    const struct {
        const char* step;
        std::function<void(XpButton*)> act;
        bool focused;
        bool pressed;
    } rows[] = {
        {"at rest", [](XpButton*) {}, false, false},
        {"focused", [](XpButton* b) { b->setFocus(); }, true, false},
        {"Space down", [](XpButton* b) { QTest::keyPress(b, Qt::Key_Space); }, true, true},
        {"Space up", [](XpButton* b) { QTest::keyRelease(b, Qt::Key_Space); }, true, false},
    };
    for (const auto& row : rows) {
        row.act(button);
        const QAccessible::State state = seen()->state();
        EXPECT_EQ(bool(state.focused), row.focused) << row.step;
        EXPECT_EQ(bool(state.pressed), row.pressed) << row.step;
    }
    EXPECT_EQ(clicks, 1);
}

TEST_F(Accessible, EscGoesOnToTheWindowAfterTheButtonRaisedIt) {
    QList<int> keys;
    QObject::connect(button, &XpButton::KeyDown,
                     [&keys](std::int16_t& code, std::int16_t&) { keys.append(code); });
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(button, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(keys, QList<int>({13, 27}));
    EXPECT_EQ(clicks, 0);
}

} // namespace
