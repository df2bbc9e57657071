// XpButton driven by real input: mouse, hover, double click, keys, focus.
#include "fakes.h"
#include "xpbutton.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);

namespace {

QString number(float value) {
    return QString::number(double(value));
}

class Interaction : public ::testing::Test {
protected:
    void SetUp() override {
        window.setGeometry(0, 0, 300, 200);
        other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(200, 150, 20, 20);
        button = new XpButton(&window);
        button->setObjectName(QStringLiteral("Command1"));
        button->InitProperties();
        button->setGeometry(50, 40, 75, 23);
        button->setButtonStyle(3);
        button->setShell(&shell);
        record();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        // The application remembers the modifiers of the last input; start with none.
        qt_handleMouseEvent(window.windowHandle(), QPointF(5, 5), window.mapToGlobal(QPoint(5, 5)),
                            {}, Qt::NoButton, QEvent::MouseMove, {}, ++QTest::lastMouseTimestamp);
        key(QEvent::KeyRelease, Qt::Key_F35);
        moveCursorAway();
        log.clear();
    }

    void TearDown() override {
        // Leave no button held for the next test.
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (held & b)
                release(QPoint(-50, -50), b);
        }
    }

    void record() {
        const auto mouse = [this](const char* name) {
            return [this, name](std::int16_t& b, std::int16_t& s, float& x, float& y) {
                log.append(QStringLiteral("%1 %2 %3 %4 %5")
                               .arg(QLatin1String(name))
                               .arg(b)
                               .arg(s)
                               .arg(number(x), number(y)));
            };
        };
        QObject::connect(button, &XpButton::MouseDown, mouse("MouseDown"));
        QObject::connect(button, &XpButton::MouseMove, mouse("MouseMove"));
        QObject::connect(button, &XpButton::MouseUp, mouse("MouseUp"));
        QObject::connect(button, &XpButton::Click, [this] { log.append(QStringLiteral("Click")); });
        QObject::connect(button, &XpButton::MouseIn, [this](std::int16_t& s) {
            log.append(QStringLiteral("MouseIn %1").arg(s));
        });
        QObject::connect(button, &XpButton::MouseOut, [this](std::int16_t& s) {
            log.append(QStringLiteral("MouseOut %1").arg(s));
        });
        QObject::connect(button, &XpButton::KeyDown, [this](std::int16_t& k, std::int16_t& s) {
            log.append(QStringLiteral("KeyDown %1 %2").arg(k).arg(s));
        });
        QObject::connect(button, &XpButton::KeyPress, [this](std::int16_t& a) {
            log.append(QStringLiteral("KeyPress %1").arg(a));
        });
        QObject::connect(button, &XpButton::KeyUp, [this](std::int16_t& k, std::int16_t& s) {
            log.append(QStringLiteral("KeyUp %1 %2").arg(k).arg(s));
        });
    }

    // The mouse, through the window system as a user's would come: points
    // are the button's.
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers mods) {
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
        // Separate clicks never make a double click.
        QTest::lastMouseTimestamp += 1000;
    }
    // Moves the pointer itself (what the hover timer reads).
    void moveCursor(QPoint p) {
        QCursor::setPos(button->mapToGlobal(p));
        QCoreApplication::processEvents();
    }
    void moveCursorAway() {
        QCursor::setPos(window.mapToGlobal(QPoint(5, 5)));
        QCoreApplication::processEvents();
    }
    bool waitForLog(const QString& entry) {
        return QTest::qWaitFor([&] { return log.contains(entry); });
    }
    void key(QEvent::Type type, int code, Qt::KeyboardModifiers mods = {}, const QString& text = {},
             bool repeat = false) {
        qt_handleKeyEvent(window.windowHandle(), type, code, mods, text, repeat, 1);
    }
    QStringList withoutMoves() const {
        QStringList result;
        for (const QString& entry : log) {
            if (!entry.startsWith(QLatin1String("MouseMove")))
                result.append(entry);
        }
        return result;
    }

    QWidget window;
    QWidget* other = nullptr;
    XpButton* button = nullptr;
    RecordingShell shell;
    QStringList log;
    Qt::MouseButtons held;
};

} // namespace

TEST_F(Interaction, EnteringRaisesMouseInThenMouseMoveAndStartsTheTimer) {
    moveCursor(QPoint(10, 5));
    EXPECT_EQ(log, (QStringList{"MouseIn 0", "MouseMove 0 0 10 5"}));
    EXPECT_EQ(button->lastDrawnState().g_Hover, 1);
    EXPECT_TRUE(button->OverTimer()->isActive());
    EXPECT_EQ(button->OverTimer()->interval(), 10);
    log.clear();
    moveCursor(QPoint(20, 6));
    EXPECT_EQ(log, (QStringList{"MouseMove 0 0 20 6"}));
}

TEST_F(Interaction, LeavingIsFoundByTheTimer) {
    moveCursor(QPoint(10, 5));
    log.clear();
    moveCursorAway();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
    EXPECT_EQ(log, (QStringList{"MouseOut 0"}));
    EXPECT_FALSE(button->OverTimer()->isActive());
    EXPECT_EQ(button->currentState().g_Hover, 0);
    EXPECT_EQ(button->lastDrawnState().g_Hover, 0);
}

TEST_F(Interaction, AWindowOverTheButtonCountsAsLeaving) {
    moveCursor(QPoint(10, 5));
    QWidget cover(&window);
    cover.setGeometry(40, 30, 100, 50);
    cover.show();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
}

TEST_F(Interaction, TheHoverPictureIsShownWhileTheCursorIsOver) {
    const PicturePtr normal = OlePicture::bitmap(QImage(4, 4, QImage::Format_RGB32));
    const PicturePtr hover = OlePicture::bitmap(QImage(5, 5, QImage::Format_RGB32));
    button->setPicture(normal);
    button->setPictureHover(hover);
    moveCursor(QPoint(10, 5));
    EXPECT_EQ(button->Picture(), hover);
    EXPECT_EQ(button->lastDrawnState().Picture, hover);
    // A new picture replaces the hover picture on the face at once.
    const PicturePtr replacement = OlePicture::bitmap(QImage(6, 6, QImage::Format_RGB32));
    button->setPicture(replacement);
    EXPECT_EQ(button->lastDrawnState().Picture, replacement);
    moveCursorAway();
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
    EXPECT_EQ(button->Picture(), replacement);
    EXPECT_EQ(button->PictureNormal(), replacement);
}

TEST_F(Interaction, PendingEventsRunBetweenMouseInAndMouseMove) {
    QObject::connect(button, &XpButton::MouseIn, [this](std::int16_t&) {
        QTimer::singleShot(0, button, [this] { log.append(QStringLiteral("pending")); });
    });
    moveCursor(QPoint(10, 5));
    EXPECT_EQ(log, (QStringList{"MouseIn 0", "pending", "MouseMove 0 0 10 5"}));
}

TEST_F(Interaction, PressAndReleaseInsideClicksAndOpensTheAddressBeforeMouseUp) {
    button->setURL(QStringLiteral("http://example.org/"));
    QObject::connect(button, &XpButton::Click, [this] {
        log.append(QStringLiteral("opened %1").arg(shell.navigated.size()));
    });
    QObject::connect(button, &XpButton::MouseUp,
                     [this](std::int16_t&, std::int16_t&, float&, float&) {
                         log.append(QStringLiteral("opened %1").arg(shell.navigated.size()));
                     });
    moveCursor(QPoint(10, 5));
    log.clear();
    press(QPoint(10, 5), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 1);
    release(QPoint(10, 5), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(log, (QStringList{"MouseDown 1 1 10 5", "Click", "opened 0", "MouseUp 1 1 10 5",
                                "opened 1"}));
    EXPECT_EQ(shell.navigated, QStringList{QStringLiteral("http://example.org/")});
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 0);
}

TEST_F(Interaction, PressLeaveAndReleaseOutsideDoesNotClick) {
    moveCursor(QPoint(10, 5));
    log.clear();
    press(QPoint(10, 5));
    moveCursor(QPoint(-20, 5)); // the button has the mouse: it sees this move
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
    release(QPoint(-20, 5));
    EXPECT_EQ(withoutMoves(),
              (QStringList{"MouseDown 1 0 10 5", "MouseOut 0", "MouseUp 1 0 -20 5"}));
    EXPECT_TRUE(log.contains(QStringLiteral("MouseMove 1 0 -20 5")));
    EXPECT_EQ(log.count(QStringLiteral("MouseIn 0")), 0); // a move outside only moves
}

TEST_F(Interaction, LeavingWhilePressedLooksReleasedUntilTheCursorComesBack) {
    moveCursor(QPoint(10, 5));
    press(QPoint(10, 5));
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 1);
    moveCursor(QPoint(-20, 5));
    ASSERT_TRUE(waitForLog(QStringLiteral("MouseOut 0")));
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 0);
    EXPECT_EQ(button->lastDrawnState().g_Hover, 0);
    EXPECT_EQ(button->currentState().g_Pressed, 1); // still held
    log.clear();
    moveCursor(QPoint(12, 6));
    EXPECT_EQ(log, (QStringList{"MouseIn 0", "MouseMove 1 0 12 6"}));
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 1);
    EXPECT_EQ(button->lastDrawnState().g_Hover, 1);
    release(QPoint(12, 6));
    EXPECT_EQ(log.count(QStringLiteral("Click")), 1);
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
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 1);
    release(QPoint(10, 5), Qt::LeftButton);
}

TEST_F(Interaction, TheMiddleButtonClicks) {
    moveCursor(QPoint(10, 5));
    log.clear();
    press(QPoint(10, 5), Qt::MiddleButton);
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 1);
    release(QPoint(10, 5), Qt::MiddleButton);
    EXPECT_EQ(log, (QStringList{"MouseDown 4 0 10 5", "Click", "MouseUp 4 0 10 5"}));
}

TEST_F(Interaction, AReleaseClicksOnlyInsideTheClientArea) {
    moveCursor(QPoint(10, 5));
    press(QPoint(10, 5));
    log.clear();
    release(QPoint(75, 5)); // one pixel right of the last column
    EXPECT_EQ(withoutMoves(), (QStringList{"MouseUp 1 0 75 5"}));
    // (0, 0) is a cut-off corner of the face, but a captured release there counts.
    press(QPoint(10, 5));
    log.clear();
    release(QPoint(0, 0));
    EXPECT_EQ(withoutMoves(), (QStringList{"Click", "MouseUp 1 0 0 0"}));
    press(QPoint(10, 5));
    log.clear();
    release(QPoint(74, 23));
    EXPECT_EQ(withoutMoves(), (QStringList{"MouseUp 1 0 74 23"}));
    press(QPoint(10, 5));
    log.clear();
    release(QPoint(-1, 10));
    EXPECT_EQ(withoutMoves(), (QStringList{"MouseUp 1 0 -1 10"}));
}

TEST_F(Interaction, ADoubleClickClicksTwiceWithTheFirstPressRepeated) {
    moveCursor(QPoint(10, 5));
    log.clear();
    // Two presses close in time and place: the second arrives as a double click.
    held = Qt::LeftButton;
    mouse(QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton, {});
    held = {};
    mouse(QEvent::MouseButtonRelease, QPoint(10, 5), Qt::LeftButton, {});
    held = Qt::LeftButton;
    mouse(QEvent::MouseButtonPress, QPoint(12, 6), Qt::LeftButton, {});
    release(QPoint(12, 6));
    EXPECT_EQ(withoutMoves(), (QStringList{"MouseDown 1 0 10 5", "Click", "MouseUp 1 0 10 5",
                                           "MouseDown 1 0 10 5", "Click", "MouseUp 1 0 12 6"}));
}

TEST_F(Interaction, TheReleaseAfterADoubleClickReachesTheButtonAnywhere) {
    moveCursor(QPoint(10, 5));
    held = Qt::LeftButton;
    mouse(QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton, {});
    held = {};
    mouse(QEvent::MouseButtonRelease, QPoint(10, 5), Qt::LeftButton, {});
    held = Qt::LeftButton;
    mouse(QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton, {});
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

TEST_F(Interaction, SpaceClicksOnItsRelease) {
    button->setURL(QStringLiteral("http://example.org/"));
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    log.clear();
    key(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "));
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 1);
    EXPECT_EQ(button->lastDrawnState().g_Hover, 1);
    const quint64 pressed = button->refreshCount();
    key(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "), true); // held: repeats
    key(QEvent::KeyRelease, Qt::Key_Space, {}, QStringLiteral(" "), true);
    key(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "), true);
    EXPECT_EQ(button->refreshCount(), pressed);
    key(QEvent::KeyRelease, Qt::Key_Space, {}, QStringLiteral(" "));
    EXPECT_EQ(log, (QStringList{"KeyDown 32 0", "KeyPress 32", "KeyDown 32 0", "KeyPress 32",
                                "KeyDown 32 0", "KeyPress 32", "Click", "MouseUp 1 0 0 0",
                                "KeyUp 32 0"}));
    EXPECT_EQ(shell.navigated.size(), 1);
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 0);
    EXPECT_EQ(button->lastDrawnState().g_Hover, 0);
    EXPECT_FALSE(button->keyLatch());
}

TEST_F(Interaction, ShiftThenSpaceIsNotDrawnPressedButClicks) {
    button->setFocus();
    log.clear();
    // As the window system reports them: the state before the key.
    key(QEvent::KeyPress, Qt::Key_Shift, {});
    EXPECT_TRUE(button->keyLatch());
    key(QEvent::KeyPress, Qt::Key_Space, Qt::ShiftModifier, QStringLiteral(" "));
    EXPECT_EQ(button->currentState().g_Pressed, 0);
    key(QEvent::KeyRelease, Qt::Key_Space, Qt::ShiftModifier, QStringLiteral(" "));
    key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(log, (QStringList{"KeyDown 16 1", "KeyDown 32 1", "KeyPress 32", "Click",
                                "MouseUp 1 1 0 0", "KeyUp 32 1", "KeyUp 16 0"}));
}

TEST_F(Interaction, LosingTheFocusWhileSpaceIsHeldKeepsTheHoverLook) {
    button->setFocus();
    EXPECT_EQ(button->lastDrawnState().g_HasFocus, 1);
    key(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "));
    other->setFocus();
    EXPECT_EQ(button->lastDrawnState().g_HasFocus, 0);
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 0);
    EXPECT_EQ(button->lastDrawnState().g_Hover, 1);
    EXPECT_TRUE(button->keyLatch());
    // Back on the button, Space is not drawn pressed until a key goes up.
    button->setFocus();
    key(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "));
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 0);
    key(QEvent::KeyRelease, Qt::Key_Space, {}, QStringLiteral(" "));
    EXPECT_FALSE(button->keyLatch());
    key(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "));
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 1);
    key(QEvent::KeyRelease, Qt::Key_Space, {}, QStringLiteral(" "));
}

TEST_F(Interaction, MovingOverTheButtonWhileSpaceIsHeldStartsNoTimer) {
    button->setFocus();
    key(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "));
    log.clear();
    moveCursor(QPoint(10, 5));
    EXPECT_EQ(log, (QStringList{"MouseMove 0 0 10 5"}));
    EXPECT_FALSE(button->OverTimer()->isActive());
    key(QEvent::KeyRelease, Qt::Key_Space, {}, QStringLiteral(" "));
}

TEST_F(Interaction, OtherKeysOnlyRaiseTheirEvents) {
    button->setFocus();
    log.clear();
    key(QEvent::KeyPress, Qt::Key_A, {}, QStringLiteral("a"));
    EXPECT_EQ(button->currentState().g_Pressed, 0);
    key(QEvent::KeyRelease, Qt::Key_A, {}, QStringLiteral("a"));
    key(QEvent::KeyPress, Qt::Key_Return, {}, QStringLiteral("\r"));
    key(QEvent::KeyRelease, Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_EQ(log, (QStringList{"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0", "KeyDown 13 0",
                                "KeyPress 13", "KeyUp 13 0"}));
}

TEST_F(Interaction, FocusComesAndGoes) {
    button->setFocus();
    EXPECT_EQ(button->lastDrawnState().g_HasFocus, 1);
    moveCursor(QPoint(10, 5));
    press(QPoint(10, 5));
    other->setFocus();
    EXPECT_EQ(button->lastDrawnState().g_HasFocus, 0);
    EXPECT_EQ(button->lastDrawnState().g_Pressed, 0);
    EXPECT_EQ(button->lastDrawnState().g_Hover, 1); // left as it was
    release(QPoint(10, 5));
}
