// XpButton's access keys, addresses, size rules and window shape.
#include "fakes.h"
#include "xpbutton.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class RefusingShell : public RecordingShell {
public:
    bool navigate(const QString& address) override {
        RecordingShell::navigate(address);
        return false;
    }
};

class Shape : public ::testing::Test {
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
        button->setShell(&shell);
        QObject::connect(button, &XpButton::Click, [this] { log.append(QStringLiteral("Click")); });
        QObject::connect(button, &XpButton::MouseUp,
                         [this](std::int16_t&, std::int16_t&, float&, float&) {
                             log.append(QStringLiteral("MouseUp"));
                         });
        QObject::connect(button, &XpButton::MouseDown,
                         [this](std::int16_t&, std::int16_t&, float&, float&) {
                             log.append(QStringLiteral("MouseDown"));
                         });
        QObject::connect(button, &ControlBase::errorRaised,
                         [this](const QString& message) { log.append(message); });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }

    void altKey(Qt::Key key) { QTest::keyClick(other, key, Qt::AltModifier); }

    // Pixels of the button that its window shape leaves out.
    QList<QPoint> cutPixels() const {
        QList<QPoint> cut;
        const QRegion shape = button->mask();
        if (shape.isEmpty()) // no shape: the whole rectangle
            return cut;
        for (int y = 0; y < button->height(); ++y) {
            for (int x = 0; x < button->width(); ++x) {
                if (!shape.contains(QPoint(x, y)))
                    cut.append(QPoint(x, y));
            }
        }
        return cut;
    }

    QWidget window;
    QWidget* other = nullptr;
    XpButton* button = nullptr;
    RecordingShell shell;
    QStringList log;
};

} // namespace

TEST_F(Shape, TheAccessKeyClicksWithoutPressing) {
    button->setURL(QStringLiteral("http://example.org/"));
    button->setCaption(QStringLiteral("&Save"));
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("s"));
    const quint64 before = button->refreshCount();
    altKey(Qt::Key_S);
    EXPECT_EQ(log, QStringList{QStringLiteral("Click")});
    EXPECT_EQ(shell.navigated, QStringList{QStringLiteral("http://example.org/")});
    EXPECT_EQ(button->refreshCount(), before); // not drawn pressed
    altKey(Qt::Key_A);
    EXPECT_EQ(log.size(), 1);
}

TEST_F(Shape, AccessKeysFollowTheCaption) {
    const struct {
        const char* caption;
        Qt::Key key; // a key that must click, or Key_unknown
    } cases[] = {
        {"Fish && &Chips", Qt::Key_C},
        {"Fish && Chips", Qt::Key_unknown},
        {"A && B && &C", Qt::Key_unknown},
        {"Save&", Qt::Key_unknown},
        {"&", Qt::Key_unknown},
        {"Re&move", Qt::Key_M},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        log.clear();
        button->setCaption(QString::fromUtf8(c.caption));
        for (Qt::Key key : {Qt::Key_S, Qt::Key_C, Qt::Key_M, Qt::Key_F, Qt::Key_B})
            altKey(key);
        EXPECT_EQ(log.size(), c.key == Qt::Key_unknown ? 0 : 1);
    }
}

TEST_F(Shape, ADisabledButtonsAccessKeyRaisesNothing) {
    button->setCaption(QStringLiteral("&Ok"));
    button->setEnabled(false);
    altKey(Qt::Key_O);
    EXPECT_TRUE(log.isEmpty());
    button->setEnabled(true);
    altKey(Qt::Key_O);
    EXPECT_EQ(log, QStringList{QStringLiteral("Click")});
}

TEST_F(Shape, MailAddressesGoToTheShellOthersToTheNavigation) {
    button->setURL(QStringLiteral("mailto:orders@example.org"));
    EXPECT_EQ(button->GoToURL(), ControlError::None);
    EXPECT_EQ(shell.executed, QStringList{QStringLiteral("open mailto:orders@example.org")});
    EXPECT_TRUE(shell.navigated.isEmpty());
    button->setURL(QStringLiteral("MAILTO:orders@example.org"));
    button->GoToURL();
    EXPECT_EQ(shell.navigated, QStringList{QStringLiteral("MAILTO:orders@example.org")});
    button->setURL(QString());
    button->GoToURL();
    EXPECT_EQ(shell.executed.size(), 1);
    EXPECT_EQ(shell.navigated.size(), 1);
}

TEST_F(Shape, AnAddressThatCannotBeOpenedEndsTheClick) {
    RefusingShell refusing;
    button->setShell(&refusing);
    button->setURL(QStringLiteral("http://nowhere/"));
    EXPECT_EQ(button->GoToURL(), ControlError::NavigationFailed);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(log, (QStringList{"MouseDown", "Click", "The address could not be opened"}));
}

TEST_F(Shape, AButtonIsNeverSmallerThanTenPixels) {
    button->resize(5, 5);
    EXPECT_EQ(button->size(), QSize(10, 10));
    EXPECT_EQ(button->Width(), 150);
    EXPECT_EQ(button->Height(), 150);
    EXPECT_EQ(button->lastDrawnState().g_Width, 10);
    EXPECT_EQ(button->lastDrawnState().g_Height, 10);
    button->resize(40, 3);
    EXPECT_EQ(button->size(), QSize(40, 10));
    // Hidden, the rule applies when the size arrives.
    XpButton hidden;
    hidden.InitProperties();
    hidden.resize(4, 30);
    hidden.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(hidden.size(), QSize(10, 30));
}

TEST_F(Shape, TheFocusRectangleIsInsetFourPixels) {
    button->resize(73, 25);
    EXPECT_EQ(button->lastDrawnState().g_FocusRect, (WinRect{4, 4, 69, 21}));
    EXPECT_EQ(button->lastDrawnState().g_Width, 73);
    EXPECT_EQ(button->lastDrawnState().g_Height, 25);
}

TEST_F(Shape, StyleThreeCutsExactlyTwelveCornerPixels) {
    button->resize(59, 53);
    button->setButtonStyle(3);
    const QList<QPoint> expected = {{0, 0},  {1, 0},   {57, 0}, {58, 0}, {0, 1},   {58, 1},
                                    {0, 51}, {58, 51}, {0, 52}, {1, 52}, {57, 52}, {58, 52}};
    EXPECT_EQ(cutPixels(), expected);
    EXPECT_EQ(button->windowRegion(), button->mask());
    // Every resize builds the shape again for the new size.
    button->resize(30, 20);
    EXPECT_EQ(cutPixels().size(), 12);
    EXPECT_FALSE(button->mask().contains(QPoint(29, 19)));
    EXPECT_TRUE(button->mask().contains(QPoint(28, 18)));
}

TEST_F(Shape, OtherStylesBuildNoShape) {
    button->setButtonStyle(2);
    EXPECT_TRUE(button->mask().isEmpty());
    button->resize(59, 53);
    button->setButtonStyle(3);
    EXPECT_EQ(cutPixels().size(), 12);
    button->setButtonStyle(0);
    EXPECT_TRUE(button->windowRegion().isEmpty());
    EXPECT_TRUE(button->mask().isEmpty()); // the plain rectangle is back
}

TEST_F(Shape, AnAmbientChangeRedraws) {
    const quint64 before = button->refreshCount();
    button->setAmbientUserMode(false);
    EXPECT_EQ(button->refreshCount(), before + 1);
    EXPECT_EQ(button->lastDrawnState().UserMode, std::optional<bool>(false));
    button->setAmbientDisplayName(QStringLiteral("Other"));
    EXPECT_EQ(button->refreshCount(), before + 2);
}
