// XpButton's values, defaults and what assigning each property does.
#include "assets.h"
#include "xpbutton.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

QImage solid(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    return image;
}

class XpButtonProperties : public ::testing::Test {
protected:
    void SetUp() override {
        button = new XpButton(&window);
        button->setObjectName(QStringLiteral("Command1"));
        button->resize(75, 23);
        button->InitProperties();
        QObject::connect(button, &ControlBase::propertyChanged,
                         [this](const QString& name) { notified.append(name); });
    }

    // Runs an assignment and says what it notified and how often it redrew.
    struct Effect {
        QStringList notified;
        quint64 refreshes = 0;
    };
    Effect assign(const std::function<void()>& assignment) {
        notified.clear();
        const quint64 before = button->refreshCount();
        assignment();
        return {notified, button->refreshCount() - before};
    }

    QWidget window;
    XpButton* button = nullptr;
    QStringList notified;
};

} // namespace

TEST(XpButtonCreation, EverythingStartsAtZeroWithTheCustomPointer) {
    XpButton button;
    EXPECT_EQ(button.Caption(), QString());
    EXPECT_EQ(button.ButtonStyle(), 0);
    EXPECT_EQ(button.PicturePosition(), 0);
    EXPECT_EQ(button.PictureWidth(), 0);
    EXPECT_EQ(button.PictureSize(), 0);
    EXPECT_EQ(button.BackColor(), 0u);
    EXPECT_EQ(button.BEVELDEPTH(), 0);
    EXPECT_FALSE(button.ShowFocusRect());
    EXPECT_FALSE(button.DefCurHand());
    EXPECT_EQ(button.Picture(), nullptr);
    EXPECT_EQ(button.PictureHover(), nullptr);
    EXPECT_EQ(button.MousePointer(), 99);
    EXPECT_EQ(button.MouseIcon(), nullptr);
    EXPECT_EQ(button.ScaleMode(), ControlBase::ScaleUnit::Pixels);
    ASSERT_TRUE(button.Font());
    EXPECT_EQ(button.Font()->attributes(), FontAttributes{});
    EXPECT_FALSE(button.OverTimer()->isActive());
    EXPECT_EQ(button.OverTimer()->interval(), 10);
    EXPECT_EQ(button.currentState().g_Hover, 0);
    EXPECT_EQ(button.currentState().g_Pressed, 0);
    EXPECT_EQ(button.currentState().g_HasFocus, 0);
    EXPECT_FALSE(button.keyLatch());
    // The hand cursor's picture is the project's hand.
    const QImage hand = assetImage(QStringLiteral("hand.png"));
    ASSERT_FALSE(hand.isNull());
    ASSERT_TRUE(button.imgHAND());
    EXPECT_EQ(button.imgHAND()->type(), OlePicture::Type::Icon);
    EXPECT_EQ(button.imgHAND()->image(), hand.convertToFormat(QImage::Format_ARGB32));
}

TEST_F(XpButtonProperties, ANewInstanceTakesTheDesignersValuesWithoutDrawing) {
    XpButton fresh(&window);
    fresh.setObjectName(QStringLiteral("Command9"));
    FontAttributes ambient;
    ambient.name = QStringLiteral("Arial");
    ambient.size = 10;
    fresh.setAmbientFont(ambient);
    fresh.setBaseBackColor(0x00123456);
    fresh.setBaseForeColor(0x00654321);
    const quint64 before = fresh.refreshCount();
    fresh.InitProperties();
    EXPECT_EQ(fresh.refreshCount(), before);
    EXPECT_EQ(fresh.BackColor(), 0x8000000Fu);
    EXPECT_EQ(fresh.ForeColor(), 0x80000012u);
    EXPECT_EQ(fresh.baseBackColor(), 0x00123456u); // the base's own colours stay
    EXPECT_EQ(fresh.baseForeColor(), 0x00654321u);
    EXPECT_TRUE(fresh.ShowFocusRect());
    EXPECT_EQ(fresh.Font()->attributes(), ambient);
    EXPECT_EQ(fresh.baseFont()->attributes(), ambient);
    EXPECT_NE(fresh.Font(), fresh.baseFont());
    EXPECT_EQ(fresh.Caption(), QStringLiteral("Command9"));
    EXPECT_EQ(fresh.PicturePosition(), 1);
    EXPECT_EQ(fresh.ButtonStyle(), 2);
    EXPECT_EQ(fresh.PictureWidth(), 32);
    EXPECT_EQ(fresh.PictureHeight(), 32);
    EXPECT_EQ(fresh.PictureSize(), 1);
    EXPECT_EQ(fresh.OriginalPicSizeW(), 0);
    EXPECT_EQ(fresh.OriginalPicSizeH(), 0);
    EXPECT_EQ(fresh.Picture(), nullptr);
    ASSERT_TRUE(fresh.PictureHover());
    EXPECT_TRUE(fresh.PictureHover()->image().isNull());
    ASSERT_TRUE(fresh.PictureNormal());
    EXPECT_TRUE(fresh.PictureNormal()->image().isNull());
    EXPECT_EQ(fresh.URL(), QString());
    EXPECT_EQ(fresh.XPColor_Pressed(), 0x80000014u);
    EXPECT_EQ(fresh.XPColor_Hover(), 0x80000016u);
    EXPECT_TRUE(fresh.XPDefaultColors());
    EXPECT_TRUE(fresh.DefCurHand());
    EXPECT_FALSE(fresh.XPShowBorderAlways());
    EXPECT_EQ(fresh.MaskColor(), 0u);
    EXPECT_FALSE(fresh.TransparentBG());
    EXPECT_EQ(fresh.BEVEL(), 1);
    EXPECT_EQ(fresh.BEVELDEPTH(), 8);
    // The hand is applied only by its setter.
    EXPECT_EQ(fresh.MouseIcon(), nullptr);
}

TEST_F(XpButtonProperties, EachSetterNotifiesItsNameAndRedrawsOrNot) {
    const PicturePtr picture = OlePicture::bitmap(solid(3, 3));
    struct Case {
        const char* name;
        std::function<void()> assignment;
        quint64 refreshes;
    };
    const QList<Case> cases = {
        {"Enabled", [&] { button->setEnabled(false); }, 1},
        {"ShowFocusRect", [&] { button->setShowFocusRect(false); }, 1},
        {"URL", [&] { button->setURL(QStringLiteral("http://x/")); }, 0},
        {"Caption", [&] { button->setCaption(QStringLiteral("&Go")); }, 1},
        {"PicturePosition", [&] { button->setPicturePosition(7); }, 1},
        {"PictureWidth", [&] { button->setPictureWidth(-5); }, 1},
        {"PictureHeight", [&] { button->setPictureHeight(40000); }, 1},
        {"PictureHover", [&] { button->setPictureHover(picture); }, 0},
        {"XPColor_Pressed", [&] { button->setXPColor_Pressed(0x00FF0000); }, 0},
        {"XPColor_Hover", [&] { button->setXPColor_Hover(0x0000FF00); }, 0},
        {"XPDefaultColors", [&] { button->setXPDefaultColors(false); }, 0},
        {"BackColor", [&] { button->setBackColor(0x00112233); }, 1},
        {"ForeColor", [&] { button->setForeColor(0x00332211); }, 1},
        {"XPShowBorderAlways", [&] { button->setXPShowBorderAlways(true); }, 0},
        {"MaskColor", [&] { button->setMaskColor(0x00FF00FF); }, 1},
        {"TransparentBG", [&] { button->setTransparentBG(true); }, 1},
        {"BEVEL", [&] { button->setBEVEL(-3); }, 1},
        {"BEVELDEPTH", [&] { button->setBEVELDEPTH(32767); }, 1},
        {"MouseIcon", [&] { button->setMouseIcon(picture); }, 0},
        {"MousePointer", [&] { button->setMousePointer(2); }, 0},
        {"DefCurHand", [&] { button->setDefCurHand(false); }, 0},
        {"PictureSize", [&] { button->setPictureSize(0); }, 1},
        {"Picture", [&] { button->setPicture(picture); }, 1},
    };
    for (const Case& c : cases) {
        const Effect effect = assign(c.assignment);
        EXPECT_EQ(effect.notified, QStringList{QLatin1String(c.name)}) << c.name;
        EXPECT_EQ(effect.refreshes, c.refreshes) << c.name;
    }
    // No range checks: every value is stored as given.
    EXPECT_FALSE(button->Enabled());
    EXPECT_EQ(button->PicturePosition(), 7);
    EXPECT_EQ(button->PictureWidth(), 16); // size 0 holds for the later picture
    EXPECT_EQ(button->BEVEL(), -3);
    EXPECT_EQ(button->BEVELDEPTH(), 32767);
    EXPECT_EQ(button->URL(), QStringLiteral("http://x/"));
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("g"));
}

TEST_F(XpButtonProperties, SettersStoreThenNotifyThenActThenRedraw) {
    button->setBaseBackColor(0x00000001);
    bool checked = false;
    QObject::connect(button, &ControlBase::propertyChanged, [&](const QString& name) {
        if (name != QLatin1String("BackColor"))
            return;
        checked = true;
        EXPECT_EQ(button->BackColor(), 0x00ABCDEFu);     // stored
        EXPECT_EQ(button->baseBackColor(), 0x00000001u); // side effect still to come
        EXPECT_EQ(button->refreshCount(), 0u);           // redraw still to come
    });
    const Effect effect = assign([&] { button->setBackColor(0x00ABCDEF); });
    EXPECT_TRUE(checked);
    EXPECT_EQ(button->baseBackColor(), 0x00ABCDEFu);
    EXPECT_EQ(effect.refreshes, 1u);
    EXPECT_EQ(button->lastDrawnState().BackColor, 0x00ABCDEFu);
}

TEST_F(XpButtonProperties, EnabledIsTheBasesAndIsDrawn) {
    EXPECT_EQ(button->setEnabled(false), ControlError::None);
    EXPECT_FALSE(button->baseEnabled());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(button->lastDrawnState().Enabled);
    button->setEnabled(true);
    EXPECT_TRUE(button->lastDrawnState().Enabled);
}

TEST_F(XpButtonProperties, NaturalSizeOfNoneEmptyAndABitmap) {
    button->setPictureSize(2);
    button->setPicture(nullptr);
    EXPECT_EQ(button->OriginalPicSizeW(), 32);
    EXPECT_EQ(button->OriginalPicSizeH(), 32);
    EXPECT_EQ(button->PictureWidth(), 32);
    EXPECT_EQ(button->PictureHeight(), 32);
    button->setPicture(OlePicture::empty());
    EXPECT_EQ(button->OriginalPicSizeW(), 0);
    EXPECT_EQ(button->OriginalPicSizeH(), 0);
    EXPECT_EQ(button->PictureWidth(), 0);
    EXPECT_EQ(button->PictureHeight(), 0);
    const PicturePtr bitmap = OlePicture::bitmap(solid(55, 46));
    const Effect effect = assign([&] { button->setPicture(bitmap); });
    EXPECT_EQ(effect.notified, QStringList{QStringLiteral("Picture")});
    EXPECT_EQ(button->OriginalPicSizeW(), 55);
    EXPECT_EQ(button->OriginalPicSizeH(), 46);
    EXPECT_EQ(button->PictureWidth(), 55);
    EXPECT_EQ(button->PictureHeight(), 46);
    EXPECT_EQ(button->Picture(), bitmap);
    EXPECT_EQ(button->PictureNormal(), bitmap);
    // With another size setting the drawn size stays.
    button->setPictureSize(1);
    button->setPicture(OlePicture::bitmap(solid(7, 9)));
    EXPECT_EQ(button->OriginalPicSizeW(), 7);
    EXPECT_EQ(button->OriginalPicSizeH(), 9);
    EXPECT_EQ(button->PictureWidth(), 32);
    EXPECT_EQ(button->PictureHeight(), 32);
}

TEST_F(XpButtonProperties, PictureSizeSettings) {
    button->setPicture(OlePicture::bitmap(solid(20, 10)));
    button->setPictureSize(0);
    EXPECT_EQ(button->PictureWidth(), 16);
    EXPECT_EQ(button->PictureHeight(), 16);
    button->setPictureSize(2);
    EXPECT_EQ(button->PictureWidth(), 20);
    EXPECT_EQ(button->PictureHeight(), 10);
    button->setPictureSize(1);
    EXPECT_EQ(button->PictureWidth(), 32);
    button->setPictureSize(5);
    EXPECT_EQ(button->PictureSize(), 5);
    EXPECT_EQ(button->PictureWidth(), 32);
    EXPECT_EQ(button->PictureHeight(), 32);
    button->setPicture(nullptr);
    button->setPictureWidth(3);
    button->setPictureSize(2);
    EXPECT_EQ(button->PictureWidth(), 32);
    EXPECT_EQ(button->PictureHeight(), 32);
}

TEST_F(XpButtonProperties, StyleThreeTurnsTheTransparentBackgroundOff) {
    button->setTransparentBG(true);
    const Effect effect = assign([&] { button->setButtonStyle(3); });
    EXPECT_EQ(effect.notified.join(QLatin1Char(',')), QStringLiteral("ButtonStyle,TransparentBG"));
    EXPECT_FALSE(button->TransparentBG());
    EXPECT_FALSE(button->windowRegion().isEmpty());
    button->setTransparentBG(true);
    const Effect toTwo = assign([&] { button->setButtonStyle(2); });
    EXPECT_EQ(toTwo.notified, QStringList{QStringLiteral("ButtonStyle")});
    EXPECT_TRUE(button->TransparentBG());
}

TEST_F(XpButtonProperties, TheHandCursorComesAndGoesWithItsSetter) {
    button->setMousePointer(0);
    button->setDefCurHand(true);
    EXPECT_EQ(button->MouseIcon(), button->imgHAND());
    EXPECT_EQ(button->MousePointer(), 99);
    EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor);
    button->setDefCurHand(false);
    EXPECT_EQ(button->MouseIcon(), nullptr);
    EXPECT_EQ(button->MousePointer(), 99);
    EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(XpButtonProperties, VersionIsTheTagAndTakesNothing) {
    button->setTag(QStringLiteral("1.4"));
    const Effect effect = assign([&] { button->setVersion(QStringLiteral("9")); });
    EXPECT_TRUE(effect.notified.isEmpty());
    EXPECT_EQ(effect.refreshes, 0u);
    EXPECT_EQ(button->version(), QStringLiteral("1.4"));
}

TEST_F(XpButtonProperties, AFontAssignmentCopiesSixAttributes) {
    const FontPtr given = OleFont::create();
    given->setName(QStringLiteral("Courier"));
    given->setSize(12);
    given->setWeight(900); // bold
    given->setCharset(2);
    given->setItalic(true);
    given->setUnderline(true);
    given->setStrikethrough(true);
    const FontPtr own = button->Font();
    const Effect effect = assign([&] { button->setFont(given); });
    EXPECT_EQ(effect.notified, QStringList{QStringLiteral("Font")});
    EXPECT_EQ(effect.refreshes, 6u); // one per copied attribute
    EXPECT_EQ(button->Font(), own);  // the given object is not kept
    EXPECT_EQ(own->Name(), QStringLiteral("Courier"));
    EXPECT_DOUBLE_EQ(own->Size(), 12);
    EXPECT_TRUE(own->Bold());
    EXPECT_EQ(own->Weight(), 700); // bold, not the given weight
    EXPECT_EQ(own->Charset(), 0);
    EXPECT_TRUE(own->Italic());
    EXPECT_TRUE(own->Underline());
    EXPECT_TRUE(own->Strikethrough());
    EXPECT_EQ(button->baseFont(), own);
    EXPECT_EQ(button->lastDrawnState().Font.pixelSize(), 16);
    given->setName(QStringLiteral("Other"));
    EXPECT_EQ(own->Name(), QStringLiteral("Courier"));
    // Changing the button's own font object redraws.
    const Effect direct = assign([&] { own->setItalic(false); });
    EXPECT_EQ(direct.refreshes, 1u);
    EXPECT_TRUE(direct.notified.isEmpty());
    EXPECT_EQ(button->setFont(nullptr), ControlError::ObjectRequired);
}

TEST_F(XpButtonProperties, MousePointerBeyondSixteenBitsOverflowsBeforeTheBase) {
    button->setMousePointer(3);
    const Effect big =
        assign([&] { EXPECT_EQ(button->setMousePointer(40000), ControlError::Overflow); });
    EXPECT_TRUE(big.notified.isEmpty());
    EXPECT_EQ(button->MousePointer(), 3);
    EXPECT_EQ(button->setMousePointer(-32769), ControlError::Overflow);
    EXPECT_EQ(button->setMousePointer(32767), ControlError::InvalidPropertyValue);
    EXPECT_EQ(button->MousePointer(), 3);
    EXPECT_TRUE(notified.isEmpty());
    EXPECT_EQ(button->setMousePointer(99), ControlError::None);
    EXPECT_EQ(notified, QStringList{QStringLiteral("MousePointer")});
}

TEST_F(XpButtonProperties, ARefreshDrawsWhatTheButtonAndItsHostSay) {
    window.setProperty("Picture", solid(300, 200));
    button->move(30, 40);
    button->setExtenderDefault(true);
    button->setAmbientUserMode(false);
    button->setCaption(QStringLiteral("Re&move"));
    EXPECT_EQ(button->Refresh(), ControlError::None);
    const ButtonState& drawn = button->lastDrawnState();
    EXPECT_EQ(drawn.Caption, QStringLiteral("Re&move"));
    EXPECT_EQ(drawn.ButtonStyle, 2);
    EXPECT_DOUBLE_EQ(drawn.ScaleWidth, 75);
    EXPECT_DOUBLE_EQ(drawn.ScaleHeight, 23);
    EXPECT_EQ(drawn.UserMode, std::optional<bool>(false));
    EXPECT_EQ(drawn.ExtenderDefault, std::optional<bool>(true));
    EXPECT_EQ(drawn.PositionInParent, std::optional<QPoint>(QPoint(30, 40)));
    EXPECT_EQ(drawn.ParentPicture.size(), QSize(300, 200));
    EXPECT_EQ(drawn.Font.pixelSize(), 11);
    EXPECT_FALSE(button->AutoRedraw());
    EXPECT_EQ(button->surface().size(), QSize(75, 23));
}
