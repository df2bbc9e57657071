// Saving and loading XpButtons, the factory and the windows' stored designs.
#include "assets/assets.h"
#include "assets/designedbuttons.h"
#include "tests/support/qtprinters.h"
#include "xpbutton/controlfactory.h"
#include "xpbutton/xpbutton.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
QByteArray saved(const XpButton& button) {
    PropertyBag bag;
    button.WriteProperties(bag);
    return bag.toText();
}

PropertyBag bagOf(const QByteArray& text) {
    QString error;
    auto bag = PropertyBag::fromText(text, &error);
    EXPECT_TRUE(bag) << error.toStdString();
    return bag.value_or(PropertyBag());
}

class Persistence : public ::testing::Test {
protected:
    XpButton* make(const QString& name = QStringLiteral("Command1")) {
        auto* button = new XpButton(&window);
        button->setObjectName(name);
        button->resize(75, 23);
        return button;
    }
    QWidget window;
};
} // namespace

TEST_F(Persistence, ANewInstanceSavedAtOnceStoresFourKeys) {
    XpButton* button = make();
    button->InitProperties();
    const QByteArray text = saved(*button);
    EXPECT_EQ(text, "originalpicsizew = 0\r\noriginalpicsizeh = 0\r\n"
                    "font = Font(Name=\"MS Sans Serif\", Size=8.25, Weight=400, Charset=0, "
                    "Italic=False, Underline=False, Strikethrough=False)\r\n"
                    "mousepointer = 99\r\n");

    XpButton* back = make();
    ASSERT_EQ(back->ReadProperties(bagOf(text)), ControlError::None);
    // The empty hover picture reads as none; loading does not apply the hand.
    EXPECT_EQ(back->PictureHover(), nullptr);
    EXPECT_EQ(back->Picture(), nullptr);
    EXPECT_EQ(back->PictureNormal(), nullptr);
    EXPECT_EQ(back->MouseIcon(), nullptr);
    EXPECT_EQ(back->Caption(), QStringLiteral("Command1"));
    EXPECT_EQ(std::tuple(back->OriginalPicSizeW(), back->OriginalPicSizeH(), back->MousePointer(),
                         back->ButtonStyle(), back->BackColor(), back->ShowFocusRect(),
                         back->DefCurHand()),
              std::tuple(0, 0, std::int16_t(99), 2, 0x8000000Fu, true, true));
    EXPECT_EQ(saved(*back), text);
}

TEST_F(Persistence, EveryValueComesBackFromItsKey) {
    XpButton* button = make();
    button->InitProperties();
    QImage picture(20, 12, QImage::Format_RGB32), hover(8, 8, QImage::Format_RGB32),
        icon(16, 16, QImage::Format_ARGB32);
    picture.fill(qRgb(200, 10, 10));
    hover.fill(qRgb(10, 200, 10));
    icon.fill(qRgba(0, 0, 255, 128));
    button->setCaption(QStringLiteral("Fish && &Chips"));
    button->setPicturePosition(3);
    button->setButtonStyle(4);
    button->setPictureSize(2);
    button->setPicture(OlePicture::bitmap(picture));
    button->setPictureHover(OlePicture::bitmap(hover));
    button->setEnabled(false);
    FontPtr font = OleFont::create();
    font->setName(QStringLiteral("Courier"));
    font->setItalic(true);
    button->setFont(font);
    button->setDefCurHand(false); // takes the mouse icon away: before the icon
    button->setMouseIcon(OlePicture::icon(icon));
    button->setMousePointer(11);
    button->setShowFocusRect(false);
    button->setURL(QStringLiteral("mailto:a@b.c"));
    button->setXPColor_Pressed(0x00010203);
    button->setXPColor_Hover(0x00040506);
    button->setXPDefaultColors(false);
    button->setBackColor(0x80000005);
    button->setForeColor(0x00FFFFFF);
    button->setXPShowBorderAlways(true);
    button->setMaskColor(0x00FF00FF);
    button->setTransparentBG(true);
    button->setBEVEL(3);
    button->setBEVELDEPTH(-2);
    const QByteArray text = saved(*button);

    XpButton* back = make(QStringLiteral("Command2"));
    QStringList notified;
    QObject::connect(back, &ControlBase::propertyChanged,
                     [&](const QString& name) { notified.append(name); });
    ASSERT_EQ(back->ReadProperties(bagOf(text)), ControlError::None);
    EXPECT_EQ(notified, QStringList{"MouseIcon"}); // the only one loaded through its setter
    EXPECT_EQ(back->Caption(), QStringLiteral("Fish && &Chips"));
    EXPECT_EQ(back->AccessKeys(), QStringLiteral("c"));
    EXPECT_EQ(back->URL(), QStringLiteral("mailto:a@b.c"));
    ASSERT_TRUE(back->Picture() && back->PictureNormal() && back->PictureHover());
    EXPECT_EQ(back->Picture()->image(), picture);
    EXPECT_EQ(back->PictureNormal()->image(), picture);
    EXPECT_EQ(back->PictureHover()->image(), hover);
    EXPECT_EQ(
        std::tuple(back->PicturePosition(), back->ButtonStyle(), back->PictureWidth(),
                   back->PictureHeight(), back->PictureSize(), back->OriginalPicSizeW(),
                   back->OriginalPicSizeH(), back->MousePointer(), back->BEVEL(),
                   back->BEVELDEPTH()),
        std::tuple(3, 4, 20, 12, 2, 20, 12, std::int16_t(11), std::int16_t(3), std::int16_t(-2)));
    EXPECT_EQ(std::tuple(back->Enabled(), back->ShowFocusRect(), back->XPDefaultColors(),
                         back->DefCurHand(), back->XPShowBorderAlways(), back->TransparentBG()),
              std::tuple(false, false, false, false, true, true));
    EXPECT_EQ(std::tuple(back->XPColor_Pressed(), back->XPColor_Hover(), back->BackColor(),
                         back->baseBackColor(), back->ForeColor(), back->baseForeColor(),
                         back->MaskColor()),
              std::tuple(0x00010203u, 0x00040506u, 0x80000005u, 0x80000005u, 0x00FFFFFFu,
                         0x00FFFFFFu, 0x00FF00FFu));
    EXPECT_EQ(back->baseFont()->Name(), QStringLiteral("Courier"));
    EXPECT_TRUE(back->Font()->Italic());
    EXPECT_NE(back->Font(), back->baseFont()); // two objects, same attributes
    EXPECT_EQ(back->Font()->attributes(), back->baseFont()->attributes());
    ASSERT_TRUE(back->MouseIcon());
    EXPECT_EQ(back->MouseIcon()->type(), OlePicture::Type::Icon);
    EXPECT_EQ(saved(*back), text);
}

TEST_F(Persistence, LoadingTakesSizesAsTheyAreAndEndsWithTheResizeSteps) {
    XpButton* button = make();
    ASSERT_EQ(button->ReadProperties(bagOf("picturesize = 0\r\npicturewidth = 50\r\n")),
              ControlError::None);
    // Absent natural sizes read as 32.
    EXPECT_EQ(std::tuple(button->PictureSize(), button->PictureWidth(), button->PictureHeight(),
                         button->OriginalPicSizeW(), button->OriginalPicSizeH()),
              std::tuple(0, 50, 32, 32, 32));

    button->resize(59, 53);
    const quint64 before = button->refreshCount();
    ASSERT_EQ(button->ReadProperties(bagOf("caption = \"&Save\"\r\nbuttonstyle = 3\r\n")),
              ControlError::None);
    EXPECT_EQ(button->refreshCount(), before + 1);
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("s"));
    EXPECT_EQ(std::tuple(button->lastDrawnState().g_Width, button->lastDrawnState().g_Height),
              std::tuple(59, 53));
    EXPECT_EQ(button->lastDrawnState().g_FocusRect, (WinRect{4, 4, 55, 49}));
    EXPECT_EQ(button->windowRegion().boundingRect(), QRect(0, 0, 59, 53));
}

TEST_F(Persistence, AValueThatDoesNotFitEndsTheLoading) {
    const struct {
        QByteArray text;
        ControlError error;
        const char* key;
    } cases[] = {
        {"mousepointer = 40000\r\n", ControlError::Overflow, "MousePointer"},
        {"mousepointer = 50\r\n", ControlError::InvalidPropertyValue, "MousePointer"},
        {"bevel = 32768\r\n", ControlError::Overflow, "BEVEL"},
        {"buttonstyle = 3000000000\r\n", ControlError::Overflow, "ButtonStyle"},
        {"backcolor = \"red\"\r\n", ControlError::TypeMismatch, "BackColor"},
        {"picture = 3\r\n", ControlError::TypeMismatch, "Picture"},
        {"font = \"MS Sans Serif\"\r\n", ControlError::TypeMismatch, "Font"},
        {"enabled = \"perhaps\"\r\n", ControlError::TypeMismatch, "Enabled"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<XpButton> button(make());
        QString key;
        EXPECT_EQ(button->ReadProperties(bagOf(c.text), &key), c.error) << c.text.toStdString();
        EXPECT_EQ(key, QLatin1String(c.key));
    }
    // Values after the failing one are not read.
    std::unique_ptr<XpButton> button(make());
    EXPECT_EQ(
        button->ReadProperties(bagOf("caption = Font(Name=\"X\", Size=8)\r\nbuttonstyle = 3\r\n")),
        ControlError::TypeMismatch);
    EXPECT_EQ(button->ButtonStyle(), 0);
}

TEST(ControlFactory, CreatesAButtonFromItsStoredDesignOrSaysWhyNot) {
    QWidget window;
    QString error = QStringLiteral("stale");
    XpButton* button = createControl(QStringLiteral("marvoliapry.xpbutton"),
                                     "caption = \"Ok\"\r\nbuttonstyle = 3\r\n", &window, &error,
                                     QStringLiteral("Command2"));
    ASSERT_TRUE(button);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(button->parentWidget(), &window);
    EXPECT_EQ(button->objectName(), QStringLiteral("Command2"));
    EXPECT_EQ(button->ambientDisplayName(), QStringLiteral("Command2"));
    EXPECT_EQ(button->Caption(), QStringLiteral("Ok"));
    EXPECT_EQ(button->ButtonStyle(), 3);
    delete button;

    const struct {
        const char* progId;
        QByteArray text;
        const char* error;
    } failures[] = {
        {"Other.Button", "", "There is no control \"Other.Button\"."},
        {kXpButtonProgId, "caption = \"x\r\n",
         "The stored design is damaged (line 1: caption: a text has no closing quote)."},
        {kXpButtonProgId, "mousepointer = 40000\r\n",
         "The stored value of \"MousePointer\" does not fit the button (Overflow)."},
    };
    for (const auto& f : failures) {
        EXPECT_EQ(createControl(QLatin1String(f.progId), f.text, &window, &error), nullptr);
        EXPECT_EQ(error, QLatin1String(f.error));
    }
    EXPECT_TRUE(window.findChildren<XpButton*>().isEmpty());
    EXPECT_EQ(createDesignedButton(QStringLiteral("nothing"), &window, &error), nullptr);
    EXPECT_EQ(error, QStringLiteral("There is no stored design \"nothing\"."));
    EXPECT_TRUE(storedDesign(QStringLiteral("../designs/main_command1")).isEmpty());
}

TEST(StoredDesigns, TheWindowsButtonsLoadAndSaveBackToTheirDesigns) {
    const struct {
        const char* design;
        const char* caption;
        const char* picture; // null for none
        int height;
    } designs[] = {
        {"main_command1", "", "cmd_list.png", 46}, {"main_command2", "", "cmd_copy.png", 46},
        {"main_command3", "", "cmd_save.png", 46}, {"main_command4", "", "cmd_open.png", 46},
        {"main_command5", "", "cmd_help.png", 47}, {"props_command1", "Remove", nullptr, 32},
        {"props_command2", "Ok", nullptr, 32},
    };
    QWidget window;
    for (const auto& d : designs) {
        SCOPED_TRACE(d.design);
        QString error;
        std::unique_ptr<XpButton> button(createDesignedButton(QLatin1String(d.design), &window,
                                                              &error, QStringLiteral("CommandN")));
        ASSERT_TRUE(button) << error.toStdString();
        EXPECT_EQ(button->Caption(), QLatin1String(d.caption));
        EXPECT_EQ(button->ButtonStyle(), 3);
        EXPECT_EQ(button->MousePointer(), 99);
        EXPECT_EQ(button->MouseIcon(), nullptr);
        EXPECT_EQ(button->PictureHover(), nullptr);
        EXPECT_EQ(button->Font()->attributes(), FontAttributes{});
        EXPECT_TRUE(button->Enabled());
        EXPECT_EQ(button->AccessKeys(), QString());
        const int width = d.picture ? 55 : 32, natural = d.picture ? 55 : 0;
        EXPECT_EQ(
            std::tuple(button->PicturePosition(), button->PictureSize(), button->PictureWidth(),
                       button->PictureHeight(), button->OriginalPicSizeW(),
                       button->OriginalPicSizeH()),
            std::tuple(1, d.picture ? 2 : 1, width, d.height, natural, d.picture ? d.height : 0));
        if (d.picture) {
            ASSERT_TRUE(button->Picture());
            EXPECT_EQ(button->Picture()->type(), OlePicture::Type::Bitmap);
            const QImage expected = assetImage(QLatin1String(d.picture));
            ASSERT_FALSE(expected.isNull());
            EXPECT_EQ(button->Picture()->image(), expected.convertToFormat(QImage::Format_RGB32));
        } else {
            EXPECT_EQ(button->Picture(), nullptr);
        }
        // Saved again, the design is what a save of the button writes.
        QByteArray text = storedDesign(QLatin1String(d.design));
        if (text.startsWith('#'))
            text = text.mid(text.indexOf('\n') + 1);
        EXPECT_EQ(saved(*button), text);
    }
}
