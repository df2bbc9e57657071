// XpButton's values, defaults and what assigning each property does.
#include "tests/support/qtprinters.h"
#include "xpbutton/xpbutton.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
PicturePtr solid(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    return OlePicture::bitmap(image);
}

class XpButtonProperties : public ::testing::Test {
protected:
    void SetUp() override {
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
    XpButton* button = new XpButton(&window);
    QStringList notified;
};
} // namespace

TEST(XpButtonCreation, PixelsTheCustomPointerAndTheProjectsHand) {
    XpButton button;
    EXPECT_EQ(button.MousePointer(), 99);
    EXPECT_EQ(button.ScaleMode(), ControlBase::ScaleUnit::Pixels);
    EXPECT_EQ(button.Font()->attributes(), FontAttributes{});
    EXPECT_FALSE(button.OverTimer()->isActive());
    EXPECT_EQ(button.OverTimer()->interval(), 10);
    const QImage hand(QStringLiteral(MARVOLIA_SOURCE_DIR "/xpbutton/images/hand.png"));
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
    EXPECT_EQ(fresh.Caption(), QStringLiteral("Command9"));
    EXPECT_EQ(std::tuple(fresh.BackColor(), fresh.ForeColor(), fresh.XPColor_Pressed(),
                         fresh.XPColor_Hover(), fresh.MaskColor()),
              std::tuple(0x8000000Fu, 0x80000012u, 0x80000014u, 0x80000016u, 0u));
    // The base's own colours stay.
    EXPECT_EQ(std::tuple(fresh.baseBackColor(), fresh.baseForeColor()),
              std::tuple(0x00123456u, 0x00654321u));
    EXPECT_EQ(std::tuple(fresh.PicturePosition(), fresh.ButtonStyle(), fresh.PictureWidth(),
                         fresh.PictureHeight(), fresh.PictureSize(), fresh.OriginalPicSizeW(),
                         fresh.OriginalPicSizeH(), fresh.BEVEL(), fresh.BEVELDEPTH()),
              std::tuple(1, 2, 32, 32, 1, 0, 0, 1, 8));
    EXPECT_EQ(std::tuple(fresh.ShowFocusRect(), fresh.XPDefaultColors(), fresh.DefCurHand(),
                         fresh.XPShowBorderAlways(), fresh.TransparentBG()),
              std::tuple(true, true, true, false, false));
    EXPECT_EQ(fresh.Font()->attributes(), ambient);
    EXPECT_EQ(fresh.baseFont()->attributes(), ambient);
    EXPECT_NE(fresh.Font(), fresh.baseFont());
    EXPECT_EQ(fresh.Picture(), nullptr);
    ASSERT_TRUE(fresh.PictureHover() && fresh.PictureNormal());
    EXPECT_TRUE(fresh.PictureHover()->image().isNull());
    EXPECT_TRUE(fresh.PictureNormal()->image().isNull());
    EXPECT_EQ(fresh.URL(), QString());
    EXPECT_EQ(fresh.MouseIcon(), nullptr); // the hand is applied only by its setter
}

TEST_F(XpButtonProperties, EachSetterNotifiesItsNameAndRedrawsOrNot) {
    const PicturePtr picture = solid(3, 3);
    const struct {
        const char* name;
        std::function<void()> assignment;
        quint64 refreshes;
    } cases[] = {
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
    for (const auto& c : cases) {
        const Effect effect = assign(c.assignment);
        EXPECT_EQ(effect.notified, QStringList{QLatin1String(c.name)}) << c.name;
        EXPECT_EQ(effect.refreshes, c.refreshes) << c.name;
    }
    // No range checks: every value is stored as given.
    EXPECT_EQ(std::tuple(button->PicturePosition(), button->BEVEL(), button->BEVELDEPTH()),
              std::tuple(7, -3, 32767));
    EXPECT_EQ(button->PictureWidth(), 16); // size 0 holds for the later picture
    EXPECT_EQ(button->URL(), QStringLiteral("http://x/"));
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("g"));
    // Enabled is the base's, and is drawn.
    EXPECT_FALSE(button->Enabled() || button->baseEnabled() || button->isEnabled());
    EXPECT_FALSE(button->lastDrawnState().Enabled);
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
    EXPECT_EQ(assign([&] { button->setBackColor(0x00ABCDEF); }).refreshes, 1u);
    EXPECT_TRUE(checked);
    EXPECT_EQ(button->baseBackColor(), 0x00ABCDEFu);
    EXPECT_EQ(button->lastDrawnState().BackColor, 0x00ABCDEFu);
}

TEST_F(XpButtonProperties, PictureAndPictureSizeDecideTheNaturalAndDrawnSizes) {
    const PicturePtr bitmap = solid(55, 46);
    // Size setting 2 draws the natural size, 0 draws 16, 1 draws 32, others
    // keep what was drawn.
    const struct {
        std::int32_t size;
        PicturePtr picture;
        int naturalW, naturalH, drawnW, drawnH;
    } cases[] = {
        {2, nullptr, 32, 32, 32, 32},       {2, OlePicture::empty(), 0, 0, 0, 0},
        {2, bitmap, 55, 46, 55, 46},        {1, solid(7, 9), 7, 9, 32, 32},
        {0, solid(20, 10), 20, 10, 16, 16}, {5, solid(20, 10), 20, 10, 16, 16},
    };
    for (const auto& c : cases) {
        button->setPictureSize(c.size);
        button->setPicture(c.picture);
        EXPECT_EQ(std::tuple(button->OriginalPicSizeW(), button->OriginalPicSizeH(),
                             button->PictureWidth(), button->PictureHeight()),
                  std::tuple(c.naturalW, c.naturalH, c.drawnW, c.drawnH))
            << c.size << " " << c.naturalW;
        EXPECT_EQ(button->Picture(), c.picture);
        EXPECT_EQ(button->PictureNormal(), c.picture);
    }
    EXPECT_EQ(button->PictureSize(), 5);
    // The setting applies at once to the picture there is.
    button->setPictureSize(2);
    EXPECT_EQ(std::tuple(button->PictureWidth(), button->PictureHeight()), std::tuple(20, 10));
    button->setPictureSize(0);
    EXPECT_EQ(std::tuple(button->PictureWidth(), button->PictureHeight()), std::tuple(16, 16));
    button->setPicture(nullptr);
    button->setPictureWidth(3);
    button->setPictureSize(2);
    EXPECT_EQ(std::tuple(button->PictureWidth(), button->PictureHeight()), std::tuple(32, 32));
}

TEST_F(XpButtonProperties, StyleThreeTurnsTheTransparentBackgroundOff) {
    button->setTransparentBG(true);
    EXPECT_EQ(assign([&] { button->setButtonStyle(3); }).notified,
              (QStringList{"ButtonStyle", "TransparentBG"}));
    EXPECT_FALSE(button->TransparentBG());
    EXPECT_FALSE(button->windowRegion().isEmpty());
    button->setTransparentBG(true);
    EXPECT_EQ(assign([&] { button->setButtonStyle(2); }).notified, QStringList{"ButtonStyle"});
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

    // The version is the base's Tag and takes nothing.
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
    EXPECT_EQ(button->baseFont(), own);
    EXPECT_EQ(own->Name(), QStringLiteral("Courier"));
    EXPECT_DOUBLE_EQ(own->Size(), 12);
    // Bold rather than the given weight; no charset.
    EXPECT_EQ(std::tuple(own->Weight(), own->Charset(), own->Italic(), own->Underline(),
                         own->Strikethrough()),
              std::tuple(700, 0, true, true, true));
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
    notified.clear();
    EXPECT_EQ(button->setMousePointer(40000), ControlError::Overflow);
    EXPECT_EQ(button->setMousePointer(-32769), ControlError::Overflow);
    EXPECT_EQ(button->setMousePointer(32767), ControlError::InvalidPropertyValue);
    EXPECT_EQ(button->MousePointer(), 3);
    EXPECT_TRUE(notified.isEmpty());
    EXPECT_EQ(button->setMousePointer(99), ControlError::None);
    EXPECT_EQ(notified, QStringList{QStringLiteral("MousePointer")});
}

TEST_F(XpButtonProperties, ARefreshDrawsWhatTheButtonAndItsHostSay) {
    window.setProperty("Picture", QImage(300, 200, QImage::Format_RGB32));
    button->move(30, 40);
    button->setExtenderDefault(true);
    button->setAmbientUserMode(false);
    button->setCaption(QStringLiteral("Re&move"));
    EXPECT_EQ(button->Refresh(), ControlError::None);
    const ButtonState& drawn = button->lastDrawnState();
    EXPECT_EQ(drawn.Caption, QStringLiteral("Re&move"));
    EXPECT_EQ(drawn.ButtonStyle, 2);
    EXPECT_EQ(std::tuple(drawn.ScaleWidth, drawn.ScaleHeight), std::tuple(75.0, 23.0));
    EXPECT_EQ(drawn.UserMode, std::optional<bool>(false));
    EXPECT_EQ(drawn.ExtenderDefault, std::optional<bool>(true));
    EXPECT_EQ(drawn.PositionInParent, std::optional<QPoint>(QPoint(30, 40)));
    EXPECT_EQ(drawn.ParentPicture.size(), QSize(300, 200));
    EXPECT_EQ(drawn.Font.pixelSize(), 11);
    EXPECT_FALSE(button->AutoRedraw());
    EXPECT_EQ(button->surface().size(), QSize(75, 23));
}
