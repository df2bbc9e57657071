// XpButton driven by real input: mouse, hover, double click, keys, focus,
// access keys, addresses, size rules and window shape.
#include "tests/support/fakes.h"
#include "tests/support/qtprinters.h"
#include "xpbutton/buttongeometry.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);

namespace {
class RefusingShell : public RecordingShell {
public:
    bool navigate(const QString& address) override {
        RecordingShell::navigate(address);
        return false;
    }
};

class Interaction : public ::testing::Test {
protected:
    void SetUp() override {
        window.setGeometry(0, 0, 300, 200);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(200, 150, 20, 20);
        button->setObjectName(QStringLiteral("Command1"));
        button->InitProperties();
        button->setGeometry(50, 40, 75, 23);
        button->setButtonStyle(3);
        button->setShell(&shell);
        record();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        // The application remembers the modifiers of the last input; start with none.
        qt_handleMouseEvent(window.windowHandle(), QPointF(5, 5), window.mapToGlobal(QPoint(5, 5)),
                            {}, Qt::NoButton, QEvent::MouseMove, {}, ++QTest::lastMouseTimestamp);
        key(QEvent::KeyRelease, Qt::Key_F35);
        moveCursorAway();
        other->setFocus();
        log.clear();
    }

    void TearDown() override {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (held & b)
                release(QPoint(-50, -50), b);
    }

    void record() {
        const auto mouse = [this](const char* name) {
            return [this, name](std::int16_t& b, std::int16_t& s, float& x, float& y) {
                log.append(QStringLiteral("%1 %2 %3 %4 %5")
                               .arg(QLatin1String(name))
                               .arg(b)
                               .arg(s)
                               .arg(double(x))
                               .arg(double(y)));
            };
        };
        const auto keys = [this](const char* name) {
            return [this, name](std::int16_t& k, std::int16_t& s) {
                log.append(QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(k).arg(s));
            };
        };
        const auto one = [this](const char* name) {
            return [this, name](std::int16_t& a) {
                log.append(QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(a));
            };
        };
        QObject::connect(button, &XpButton::MouseDown, mouse("MouseDown"));
        QObject::connect(button, &XpButton::MouseMove, mouse("MouseMove"));
        QObject::connect(button, &XpButton::MouseUp, mouse("MouseUp"));
        QObject::connect(button, &XpButton::Click, [this] { log.append(QStringLiteral("Click")); });
        QObject::connect(button, &XpButton::MouseIn, one("MouseIn"));
        QObject::connect(button, &XpButton::MouseOut, one("MouseOut"));
        QObject::connect(button, &XpButton::KeyDown, keys("KeyDown"));
        QObject::connect(button, &XpButton::KeyPress, one("KeyPress"));
        QObject::connect(button, &XpButton::KeyUp, keys("KeyUp"));
        QObject::connect(button, &ControlBase::errorRaised,
                         [this](const QString& message) { log.append(message); });
    }

    // The mouse, through the window system as a user's would come: points
    // are the button's.
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers mods = {}) {
        const QPoint inWindow = button->mapTo(&window, p);
        qt_handleMouseEvent(window.windowHandle(), inWindow, window.mapToGlobal(inWindow), held, b,
                            type, mods, ++QTest::lastMouseTimestamp);
        QCoreApplication::processEvents();
    }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        held |= b;
        mouse(QEvent::MouseButtonPress, p, b, mods);
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        held &= ~Qt::MouseButtons(b);
        mouse(QEvent::MouseButtonRelease, p, b, mods);
        QTest::lastMouseTimestamp += 1000; // separate clicks never make a double click
    }
    // Two presses close in time and place: the second arrives as a double click.
    void doubleClickHeld(QPoint first, QPoint second) {
        press(first);
        held = {};
        mouse(QEvent::MouseButtonRelease, first, Qt::LeftButton);
        press(second);
    }
    // Moves the pointer itself (what the hover timer reads).
    void moveCursor(QPoint p) {
        QCursor::setPos(button->mapToGlobal(p));
        QCoreApplication::processEvents();
    }
    void moveCursorAway() { moveCursor(button->mapFrom(&window, QPoint(5, 5))); }
    bool waitForLog(const QString& entry) {
        return QTest::qWaitFor([&] { return log.contains(entry); });
    }
    void key(QEvent::Type type, int code, Qt::KeyboardModifiers mods = {}, const QString& text = {},
             bool repeat = false) {
        qt_handleKeyEvent(window.windowHandle(), type, code, mods, text, repeat, 1);
    }
    void space(QEvent::Type type, bool repeat = false) {
        key(type, Qt::Key_Space, {}, QStringLiteral(" "), repeat);
    }
    void altKey(Qt::Key k) { QTest::keyClick(other, k, Qt::AltModifier); }
    QStringList withoutMoves() const {
        QStringList result;
        for (const QString& entry : log)
            if (!entry.startsWith(QLatin1String("MouseMove")))
                result.append(entry);
        return result;
    }
    ButtonState drawn() const { return button->lastDrawnState(); }

    QWidget window;
    QWidget* other = new QWidget(&window);
    XpButton* button = new XpButton(&window);
    RecordingShell shell;
    QStringList log;
    Qt::MouseButtons held;
};
} // namespace

TEST_F(Interaction, HoverComesWithTheCursorAndGoesWithTheTimer) {
    // Pending events run between MouseIn and the MouseMove.
    QObject::connect(button, &XpButton::MouseIn, [this](std::int16_t&) {
        QTimer::singleShot(0, button, [this] { log.append(QStringLiteral("pending")); });
    });
    moveCursor(QPoint(10, 5));
    EXPECT_EQ(log, (QStringList{"MouseIn 0", "pending", "MouseMove 0 0 10 5"}));
    EXPECT_EQ(drawn().g_Hover, 1);
    EXPECT_TRUE(button->OverTimer()->isActive());
    log.clear();
    moveCursor(QPoint(20, 6));
    EXPECT_EQ(log, (QStringList{"MouseMove 0 0 20 6"}));
    log.clear();
    moveCursorAway();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
    EXPECT_EQ(log, (QStringList{"MouseOut 0"}));
    EXPECT_FALSE(button->OverTimer()->isActive());
    EXPECT_EQ(button->currentState().g_Hover, 0);
    EXPECT_EQ(drawn().g_Hover, 0);

    // A window over the button counts as leaving.
    moveCursor(QPoint(10, 5));
    log.clear();
    QWidget cover(&window);
    cover.setGeometry(40, 30, 100, 50);
    cover.show();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
}

TEST_F(Interaction, TheHoverPictureIsShownWhileTheCursorIsOver) {
    const auto picture = [](int size) {
        return OlePicture::bitmap(QImage(size, size, QImage::Format_RGB32));
    };
    const PicturePtr hover = picture(5), replacement = picture(6);
    button->setPicture(picture(4));
    button->setPictureHover(hover);
    moveCursor(QPoint(10, 5));
    EXPECT_EQ(button->Picture(), hover);
    EXPECT_EQ(drawn().Picture, hover);
    // A new picture replaces the hover picture on the face at once.
    button->setPicture(replacement);
    EXPECT_EQ(drawn().Picture, replacement);
    moveCursorAway();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
    EXPECT_EQ(button->Picture(), replacement);
    EXPECT_EQ(button->PictureNormal(), replacement);
}

TEST_F(Interaction, PressAndReleaseInsideClicksAndOpensTheAddressBeforeMouseUp) {
    button->setURL(QStringLiteral("http://example.org/"));
    const auto opened = [this] {
        log.append(QStringLiteral("opened %1").arg(shell.navigated.size()));
    };
    QObject::connect(button, &XpButton::Click, opened);
    QObject::connect(button, &XpButton::MouseUp,
                     [=](std::int16_t&, std::int16_t&, float&, float&) { opened(); });
    moveCursor(QPoint(10, 5));
    log.clear();
    press(QPoint(10, 5), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(drawn().g_Pressed, 1);
    release(QPoint(10, 5), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(log, (QStringList{"MouseDown 1 1 10 5", "Click", "opened 0", "MouseUp 1 1 10 5",
                                "opened 1"}));
    EXPECT_EQ(shell.navigated, QStringList{QStringLiteral("http://example.org/")});
    EXPECT_EQ(drawn().g_Pressed, 0);

    // The middle button clicks too.
    log.clear();
    press(QPoint(10, 5), Qt::MiddleButton);
    EXPECT_EQ(drawn().g_Pressed, 1);
    release(QPoint(10, 5), Qt::MiddleButton);
    EXPECT_EQ(log, (QStringList{"MouseDown 4 0 10 5", "Click", "opened 1", "MouseUp 4 0 10 5",
                                "opened 2"}));
}

TEST_F(Interaction, TheRightButtonNeitherPressesNorClicks) {
    button->setFocus(); // a press focuses the button, whichever button it is
    moveCursor(QPoint(10, 5));
    log.clear();
    const quint64 before = button->refreshCount();
    press(QPoint(10, 5), Qt::RightButton);
    EXPECT_EQ(button->refreshCount(), before);
    EXPECT_EQ(button->currentState().g_Pressed, 0);
    release(QPoint(10, 5), Qt::RightButton);
    EXPECT_EQ(log, (QStringList{"MouseDown 2 0 10 5", "MouseUp 2 0 10 5"}));
    // Its release clears a press without drawing.
    press(QPoint(10, 5), Qt::LeftButton);
    press(QPoint(10, 5), Qt::RightButton);
    const quint64 pressed = button->refreshCount();
    release(QPoint(10, 5), Qt::RightButton);
    EXPECT_EQ(button->currentState().g_Pressed, 0);
    EXPECT_EQ(button->refreshCount(), pressed);
    EXPECT_EQ(drawn().g_Pressed, 1);
    release(QPoint(10, 5), Qt::LeftButton);
}

TEST_F(Interaction, LeavingWhilePressedLooksReleasedAndAReleaseOutsideDoesNotClick) {
    moveCursor(QPoint(10, 5));
    press(QPoint(10, 5));
    log.clear();
    moveCursor(QPoint(-20, 5)); // the button has the mouse: it sees this move
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
    EXPECT_EQ(std::tuple(drawn().g_Pressed, drawn().g_Hover), std::tuple(0, 0));
    EXPECT_EQ(button->currentState().g_Pressed, 1); // still held
    EXPECT_TRUE(log.contains(QStringLiteral("MouseMove 1 0 -20 5")));
    EXPECT_FALSE(log.contains(QStringLiteral("MouseIn 0"))); // a move outside only moves
    log.clear();
    moveCursor(QPoint(12, 6));
    EXPECT_EQ(log, (QStringList{"MouseIn 0", "MouseMove 1 0 12 6"}));
    EXPECT_EQ(std::tuple(drawn().g_Pressed, drawn().g_Hover), std::tuple(1, 1));

    // Only a release inside the client area clicks; (0, 0) is a cut-off
    // corner of the face, but a captured release there counts.
    const struct {
        QPoint at;
        bool clicks;
    } releases[] = {
        {{75, 5}, false}, {{0, 0}, true}, {{74, 23}, false}, {{-1, 10}, false}, {{12, 6}, true}};
    for (const auto& r : releases) {
        if (!held)
            press(QPoint(10, 5));
        log.clear();
        release(r.at);
        const QString up = QStringLiteral("MouseUp 1 0 %1 %2").arg(r.at.x()).arg(r.at.y());
        EXPECT_EQ(withoutMoves(), r.clicks ? (QStringList{"Click", up}) : (QStringList{up}));
    }
}

TEST_F(Interaction, ADoubleClickClicksTwiceAndItsReleaseReachesTheButtonAnywhere) {
    moveCursor(QPoint(10, 5));
    log.clear();
    doubleClickHeld(QPoint(10, 5), QPoint(12, 6));
    release(QPoint(12, 6));
    EXPECT_EQ(withoutMoves(), (QStringList{"MouseDown 1 0 10 5", "Click", "MouseUp 1 0 10 5",
                                           "MouseDown 1 0 10 5", "Click", "MouseUp 1 0 12 6"}));
    doubleClickHeld(QPoint(10, 5), QPoint(10, 5));
    log.clear();
    release(QPoint(150, 100));
    EXPECT_EQ(withoutMoves(), (QStringList{"MouseUp 1 0 150 100"}));
}

TEST_F(Interaction, HandlersChangeTheArgumentsTheyAreGiven) {
    QObject::connect(button, &XpButton::MouseOut, [](std::int16_t& shift) { shift = 7; });
    moveCursor(QPoint(10, 5));
    moveCursorAway();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
    // The handler changed the stored shift of the last press itself.
    moveCursor(QPoint(10, 5));
    moveCursorAway();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 7")));
}

TEST_F(Interaction, SpaceClicksOnItsReleaseOtherKeysOnlyRaiseTheirEvents) {
    button->setURL(QStringLiteral("http://example.org/"));
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    log.clear();
    space(QEvent::KeyPress);
    EXPECT_EQ(std::tuple(drawn().g_Pressed, drawn().g_Hover), std::tuple(1, 1));
    const quint64 pressed = button->refreshCount();
    space(QEvent::KeyPress, true); // held: repeats
    space(QEvent::KeyRelease, true);
    space(QEvent::KeyPress, true);
    EXPECT_EQ(button->refreshCount(), pressed);
    space(QEvent::KeyRelease);
    EXPECT_EQ(log, (QStringList{"KeyDown 32 0", "KeyPress 32", "KeyDown 32 0", "KeyPress 32",
                                "KeyDown 32 0", "KeyPress 32", "Click", "MouseUp 1 0 0 0",
                                "KeyUp 32 0"}));
    EXPECT_EQ(shell.navigated.size(), 1);
    EXPECT_EQ(std::tuple(drawn().g_Pressed, drawn().g_Hover), std::tuple(0, 0));
    EXPECT_FALSE(button->keyLatch());

    log.clear();
    key(QEvent::KeyPress, Qt::Key_A, {}, QStringLiteral("a"));
    EXPECT_EQ(button->currentState().g_Pressed, 0);
    key(QEvent::KeyRelease, Qt::Key_A, {}, QStringLiteral("a"));
    key(QEvent::KeyPress, Qt::Key_Return, {}, QStringLiteral("\r"));
    key(QEvent::KeyRelease, Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_EQ(log, (QStringList{"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0", "KeyDown 13 0",
                                "KeyPress 13", "KeyUp 13 0"}));

    // Shift first: Space is not drawn pressed but clicks. The window system
    // reports the modifiers as they were before the key.
    log.clear();
    key(QEvent::KeyPress, Qt::Key_Shift, {});
    EXPECT_TRUE(button->keyLatch());
    key(QEvent::KeyPress, Qt::Key_Space, Qt::ShiftModifier, QStringLiteral(" "));
    EXPECT_EQ(button->currentState().g_Pressed, 0);
    key(QEvent::KeyRelease, Qt::Key_Space, Qt::ShiftModifier, QStringLiteral(" "));
    key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(log, (QStringList{"KeyDown 16 1", "KeyDown 32 1", "KeyPress 32", "Click",
                                "MouseUp 1 1 0 0", "KeyUp 32 1", "KeyUp 16 0"}));
}

TEST_F(Interaction, FocusComesAndGoesAndAHeldSpaceKeepsItsLatch) {
    button->setFocus();
    EXPECT_EQ(drawn().g_HasFocus, 1);
    moveCursor(QPoint(10, 5));
    press(QPoint(10, 5));
    other->setFocus();
    EXPECT_EQ(std::tuple(drawn().g_HasFocus, drawn().g_Pressed, drawn().g_Hover),
              std::tuple(0, 0, 1)); // hover left as it was
    release(QPoint(10, 5));
    moveCursorAway();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));

    // Moving over the button while Space is held starts no timer.
    button->setFocus();
    space(QEvent::KeyPress);
    log.clear();
    moveCursor(QPoint(10, 5));
    EXPECT_EQ(log, (QStringList{"MouseMove 0 0 10 5"}));
    EXPECT_FALSE(button->OverTimer()->isActive());
    // Losing the focus with Space held keeps the hover look and the latch.
    other->setFocus();
    EXPECT_EQ(std::tuple(drawn().g_HasFocus, drawn().g_Pressed, drawn().g_Hover),
              std::tuple(0, 0, 1));
    EXPECT_TRUE(button->keyLatch());
    // Back on the button, Space is not drawn pressed until a key goes up.
    button->setFocus();
    space(QEvent::KeyPress);
    EXPECT_EQ(drawn().g_Pressed, 0);
    space(QEvent::KeyRelease);
    EXPECT_FALSE(button->keyLatch());
    space(QEvent::KeyPress);
    EXPECT_EQ(drawn().g_Pressed, 1);
    space(QEvent::KeyRelease);
}

TEST_F(Interaction, AnotherWindowOrProgramTakingTheFocusReleasesTheButton) {
    QWidget another;
    another.setGeometry(400, 0, 50, 50);
    const auto backToTheWindow = [&] {
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_TRUE(button->hasFocus());
        EXPECT_EQ(std::tuple(drawn().g_HasFocus, drawn().g_Pressed), std::tuple(1, 0));
    };
    // Space held, then another window of the program comes up.
    button->setFocus();
    space(QEvent::KeyPress);
    ASSERT_EQ(drawn().g_Pressed, 1);
    another.show();
    another.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&another));
    EXPECT_EQ(std::tuple(drawn().g_HasFocus, drawn().g_Pressed, drawn().g_Hover),
              std::tuple(0, 0, 1));
    EXPECT_TRUE(button->keyLatch()) << "focus exit leaves the latch";
    another.hide();
    backToTheWindow();
    space(QEvent::KeyRelease);
    EXPECT_FALSE(button->keyLatch());

    // The left button held, then another program takes the keyboard.
    moveCursor(QPoint(10, 5));
    press(QPoint(10, 5));
    ASSERT_EQ(drawn().g_Pressed, 1);
    QApplication::setActiveWindow(nullptr); // as the platform does when another program has it
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    EXPECT_EQ(std::tuple(drawn().g_HasFocus, drawn().g_Pressed), std::tuple(0, 0));
    backToTheWindow();
    release(QPoint(-50, -50));
}

TEST_F(Interaction, TheAccessKeyClicksWithoutPressingUnlessDisabled) {
    button->setURL(QStringLiteral("http://example.org/"));
    const struct {
        const char* caption;
        int clicks; // of Alt with S, C, M, F, B, O
    } cases[] = {{"&Save", 1},        {"Fish && &Chips", 1}, {"Fish && Chips", 0},
                 {"A && B && &C", 0}, {"Save&", 0},          {"&", 0},
                 {"Re&move", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        log.clear();
        button->setCaption(QString::fromUtf8(c.caption));
        const quint64 before = button->refreshCount();
        for (Qt::Key k : {Qt::Key_S, Qt::Key_C, Qt::Key_M, Qt::Key_F, Qt::Key_B, Qt::Key_O})
            altKey(k);
        EXPECT_EQ(log.count(QStringLiteral("Click")), c.clicks);
        EXPECT_EQ(button->refreshCount(), before); // not drawn pressed
    }
    EXPECT_EQ(shell.navigated.size(), 3);
    button->setCaption(QStringLiteral("&Ok"));
    button->setEnabled(false);
    log.clear();
    altKey(Qt::Key_O);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(Interaction, MailAddressesGoToTheShellOthersToTheNavigation) {
    button->setURL(QStringLiteral("mailto:orders@example.org"));
    EXPECT_EQ(button->GoToURL(), ControlError::None);
    EXPECT_EQ(shell.executed, QStringList{QStringLiteral("open mailto:orders@example.org")});
    EXPECT_TRUE(shell.navigated.isEmpty());
    button->setURL(QStringLiteral("MAILTO:orders@example.org"));
    button->GoToURL();
    EXPECT_EQ(shell.navigated, QStringList{QStringLiteral("MAILTO:orders@example.org")});
    button->setURL(QString());
    button->GoToURL();
    EXPECT_EQ(std::tuple(shell.executed.size(), shell.navigated.size()),
              std::tuple(qsizetype(1), qsizetype(1)));

    // An address that cannot be opened ends the click with an error.
    RefusingShell refusing;
    button->setShell(&refusing);
    button->setURL(QStringLiteral("http://nowhere/"));
    EXPECT_EQ(button->GoToURL(), ControlError::NavigationFailed);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(withoutMoves(),
              (QStringList{"MouseDown 1 0 10 5", "Click", "The address could not be opened"}));
}

TEST_F(Interaction, SizeRulesAndTheShapeOfStyleThree) {
    button->resize(5, 5);
    EXPECT_EQ(button->size(), QSize(10, 10));
    EXPECT_EQ(std::tuple(button->Width(), button->Height()), std::tuple(150, 150));
    EXPECT_EQ(std::tuple(drawn().g_Width, drawn().g_Height), std::tuple(10, 10));
    button->resize(40, 3);
    EXPECT_EQ(button->size(), QSize(40, 10));
    // Hidden, the rule applies when the size arrives.
    XpButton hidden;
    hidden.InitProperties();
    hidden.resize(4, 30);
    hidden.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(hidden.size(), QSize(10, 30));

    button->resize(73, 25);
    EXPECT_EQ(drawn().g_FocusRect, (WinRect{4, 4, 69, 21}));
    EXPECT_EQ(std::tuple(drawn().g_Width, drawn().g_Height), std::tuple(73, 25));
    // Every resize builds the shape again for the new size.
    EXPECT_EQ(button->mask(), roundedWindowRegion(73, 25));
    button->resize(59, 53);
    EXPECT_EQ(button->mask(), roundedWindowRegion(59, 53));
    EXPECT_EQ(button->windowRegion(), button->mask());
    // Other styles build none and get the plain rectangle back.
    button->setButtonStyle(0);
    EXPECT_TRUE(button->windowRegion().isEmpty());
    EXPECT_TRUE(button->mask().isEmpty());
    button->setButtonStyle(2);
    button->resize(30, 20);
    EXPECT_TRUE(button->mask().isEmpty());

    // An ambient change redraws.
    const quint64 before = button->refreshCount();
    button->setAmbientUserMode(false);
    EXPECT_EQ(button->refreshCount(), before + 1);
    EXPECT_EQ(drawn().UserMode, std::optional<bool>(false));
    button->setAmbientDisplayName(QStringLiteral("Other"));
    EXPECT_EQ(button->refreshCount(), before + 2);
}
