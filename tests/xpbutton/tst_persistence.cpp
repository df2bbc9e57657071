// Saving and loading XpButtons, the factory and the windows' stored designs.
#include "assets.h"
#include "controlfactory.h"
#include "xpbutton.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QByteArray kDesignFont = "font = Font(Name=\"MS Sans Serif\", Size=8.25, Weight=400, "
                               "Charset=0, Italic=False, Underline=False, Strikethrough=False)\r\n";

QImage solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

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

// The stored design without its comment line.
QByteArray designBody(const QString& design) {
    QByteArray text = storedDesign(design);
    if (text.startsWith('#'))
        text = text.mid(text.indexOf('\n') + 1);
    return text;
}

class Persistence : public ::testing::Test {
protected:
    XpButton* make(const QString& name) {
        auto* button = new XpButton(&window);
        button->setObjectName(name);
        button->resize(75, 23);
        return button;
    }
    QWidget window;
};

} // namespace

TEST_F(Persistence, ANewInstanceSavedAtOnceStoresFourKeys) {
    XpButton* button = make(QStringLiteral("Command1"));
    button->InitProperties();
    const QByteArray text = saved(*button);
    EXPECT_EQ(text, "originalpicsizew = 0\r\noriginalpicsizeh = 0\r\n" + kDesignFont +
                        "mousepointer = 99\r\n");

    XpButton* back = make(QStringLiteral("Command1"));
    ASSERT_EQ(back->ReadProperties(bagOf(text)), ControlError::None);
    EXPECT_EQ(back->PictureHover(), nullptr); // the empty hover picture reads as none
    EXPECT_EQ(back->Picture(), nullptr);
    EXPECT_EQ(back->PictureNormal(), nullptr);
    EXPECT_EQ(back->OriginalPicSizeW(), 0);
    EXPECT_EQ(back->OriginalPicSizeH(), 0);
    EXPECT_EQ(back->Caption(), QStringLiteral("Command1"));
    EXPECT_EQ(back->MousePointer(), 99);
    EXPECT_EQ(back->ButtonStyle(), 2);
    EXPECT_EQ(back->BackColor(), 0x8000000Fu);
    EXPECT_TRUE(back->ShowFocusRect());
    EXPECT_TRUE(back->DefCurHand());
    EXPECT_EQ(back->MouseIcon(), nullptr); // loading does not apply the hand
    EXPECT_EQ(saved(*back), text);
}

TEST_F(Persistence, EveryValueComesBackFromItsKey) {
    XpButton* button = make(QStringLiteral("Command1"));
    button->InitProperties();
    const QImage picture = solid(20, 12, qRgb(200, 10, 10));
    const QImage hover = solid(8, 8, qRgb(10, 200, 10));
    QImage icon(16, 16, QImage::Format_ARGB32);
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
    // Only the mouse icon is loaded through its setter.
    EXPECT_EQ(notified, QStringList{QStringLiteral("MouseIcon")});
    EXPECT_EQ(back->Caption(), QStringLiteral("Fish && &Chips"));
    EXPECT_EQ(back->AccessKeys(), QStringLiteral("c"));
    EXPECT_EQ(back->PicturePosition(), 3);
    EXPECT_EQ(back->ButtonStyle(), 4);
    ASSERT_TRUE(back->Picture());
    EXPECT_EQ(back->Picture()->image(), picture);
    ASSERT_TRUE(back->PictureNormal());
    EXPECT_EQ(back->PictureNormal()->image(), picture);
    EXPECT_EQ(back->PictureWidth(), 20);
    EXPECT_EQ(back->PictureHeight(), 12);
    EXPECT_EQ(back->PictureSize(), 2);
    EXPECT_EQ(back->OriginalPicSizeW(), 20);
    EXPECT_EQ(back->OriginalPicSizeH(), 12);
    ASSERT_TRUE(back->PictureHover());
    EXPECT_EQ(back->PictureHover()->image(), hover);
    EXPECT_FALSE(back->Enabled());
    EXPECT_EQ(back->baseFont()->Name(), QStringLiteral("Courier"));
    EXPECT_TRUE(back->Font()->Italic());
    EXPECT_NE(back->Font(), back->baseFont()); // two objects, same attributes
    EXPECT_EQ(back->Font()->attributes(), back->baseFont()->attributes());
    ASSERT_TRUE(back->MouseIcon());
    EXPECT_EQ(back->MouseIcon()->type(), OlePicture::Type::Icon);
    EXPECT_EQ(back->MousePointer(), 11);
    EXPECT_FALSE(back->ShowFocusRect());
    EXPECT_EQ(back->URL(), QStringLiteral("mailto:a@b.c"));
    EXPECT_EQ(back->XPColor_Pressed(), 0x00010203u);
    EXPECT_EQ(back->XPColor_Hover(), 0x00040506u);
    EXPECT_FALSE(back->XPDefaultColors());
    EXPECT_EQ(back->BackColor(), 0x80000005u);
    EXPECT_EQ(back->baseBackColor(), 0x80000005u);
    EXPECT_EQ(back->ForeColor(), 0x00FFFFFFu);
    EXPECT_EQ(back->baseForeColor(), 0x00FFFFFFu);
    EXPECT_FALSE(back->DefCurHand());
    EXPECT_TRUE(back->XPShowBorderAlways());
    EXPECT_EQ(back->MaskColor(), 0x00FF00FFu);
    EXPECT_TRUE(back->TransparentBG());
    EXPECT_EQ(back->BEVEL(), 3);
    EXPECT_EQ(back->BEVELDEPTH(), -2);
    EXPECT_EQ(saved(*back), text);
}

TEST_F(Persistence, StoredSizesAreTakenAsTheyAre) {
    XpButton* button = make(QStringLiteral("Command1"));
    ASSERT_EQ(button->ReadProperties(bagOf("picturesize = 0\r\npicturewidth = 50\r\n")),
              ControlError::None);
    EXPECT_EQ(button->PictureSize(), 0);
    EXPECT_EQ(button->PictureWidth(), 50);
    EXPECT_EQ(button->PictureHeight(), 32);
    // Absent natural sizes read as 32.
    EXPECT_EQ(button->OriginalPicSizeW(), 32);
    EXPECT_EQ(button->OriginalPicSizeH(), 32);
}

TEST_F(Persistence, LoadingEndsWithTheAccessKeyAndTheResizeSteps) {
    XpButton* button = make(QStringLiteral("Command1"));
    button->resize(59, 53);
    const quint64 before = button->refreshCount();
    ASSERT_EQ(button->ReadProperties(bagOf("caption = \"&Save\"\r\nbuttonstyle = 3\r\n")),
              ControlError::None);
    EXPECT_EQ(button->refreshCount(), before + 1);
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("s"));
    EXPECT_EQ(button->lastDrawnState().g_Width, 59);
    EXPECT_EQ(button->lastDrawnState().g_Height, 53);
    EXPECT_EQ(button->lastDrawnState().g_FocusRect, (WinRect{4, 4, 55, 49}));
    EXPECT_EQ(button->windowRegion().boundingRect(), QRect(0, 0, 59, 53));
}

TEST_F(Persistence, AValueThatDoesNotFitEndsTheLoading) {
    struct Case {
        QByteArray text;
        ControlError error;
        const char* key;
    };
    const QList<Case> cases = {
        {"mousepointer = 40000\r\n", ControlError::Overflow, "MousePointer"},
        {"mousepointer = 50\r\n", ControlError::InvalidPropertyValue, "MousePointer"},
        {"bevel = 32768\r\n", ControlError::Overflow, "BEVEL"},
        {"buttonstyle = 3000000000\r\n", ControlError::Overflow, "ButtonStyle"},
        {"backcolor = \"red\"\r\n", ControlError::TypeMismatch, "BackColor"},
        {"picture = 3\r\n", ControlError::TypeMismatch, "Picture"},
        {"font = \"MS Sans Serif\"\r\n", ControlError::TypeMismatch, "Font"},
        {"enabled = \"perhaps\"\r\n", ControlError::TypeMismatch, "Enabled"},
    };
    for (const Case& c : cases) {
        XpButton* button = make(QStringLiteral("Command1"));
        QString key;
        EXPECT_EQ(button->ReadProperties(bagOf(c.text), &key), c.error) << c.text.toStdString();
        EXPECT_EQ(key, QLatin1String(c.key));
        delete button;
    }
    // Values after the failing one are not read.
    XpButton* button = make(QStringLiteral("Command1"));
    EXPECT_EQ(button->ReadProperties(bagOf("caption = Font(Name=\"X\", Size=8)\r\n"
                                           "buttonstyle = 3\r\n")),
              ControlError::TypeMismatch);
    EXPECT_EQ(button->ButtonStyle(), 0);
}

TEST(ControlFactory, CreatesAButtonFromItsStoredDesign) {
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
}

TEST(ControlFactory, SaysWhyItCreatesNothing) {
    QWidget window;
    QString error;
    EXPECT_EQ(createControl(QStringLiteral("Other.Button"), "", &window, &error), nullptr);
    EXPECT_EQ(error, QStringLiteral("There is no control \"Other.Button\"."));
    EXPECT_EQ(createControl(QLatin1String(kXpButtonProgId), "caption = \"x\r\n", &window, &error),
              nullptr);
    EXPECT_EQ(error, QStringLiteral("The stored design is damaged (line 1: caption: a text has no "
                                    "closing quote)."));
    EXPECT_EQ(
        createControl(QLatin1String(kXpButtonProgId), "mousepointer = 40000\r\n", &window, &error),
        nullptr);
    EXPECT_EQ(error, QStringLiteral("The stored value of \"MousePointer\" does not fit the button "
                                    "(Overflow)."));
    EXPECT_TRUE(window.findChildren<XpButton*>().isEmpty());
    EXPECT_EQ(createDesignedButton(QStringLiteral("nothing"), &window, &error), nullptr);
    EXPECT_EQ(error, QStringLiteral("There is no stored design \"nothing\"."));
    EXPECT_TRUE(storedDesign(QStringLiteral("../designs/main_command1")).isEmpty());
}

TEST(StoredDesigns, TheMainWindowsPictureButtons) {
    const struct {
        const char* design;
        const char* picture;
        int height;
    } designs[] = {
        {"main_command1", "cmd_list.png", 46}, {"main_command2", "cmd_copy.png", 46},
        {"main_command3", "cmd_save.png", 46}, {"main_command4", "cmd_open.png", 46},
        {"main_command5", "cmd_help.png", 47},
    };
    QWidget window;
    for (const auto& d : designs) {
        SCOPED_TRACE(d.design);
        QString error;
        std::unique_ptr<XpButton> button(createDesignedButton(QLatin1String(d.design), &window,
                                                              &error, QStringLiteral("CommandN")));
        ASSERT_TRUE(button) << error.toStdString();
        EXPECT_EQ(button->Caption(), QString());
        EXPECT_EQ(button->ButtonStyle(), 3);
        ASSERT_TRUE(button->Picture());
        EXPECT_EQ(button->Picture()->type(), OlePicture::Type::Bitmap);
        const QImage expected = assetImage(QLatin1String(d.picture));
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(button->Picture()->image(), expected.convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(button->Picture()->pixelSize(), QSize(55, d.height));
        EXPECT_EQ(button->PictureWidth(), 55);
        EXPECT_EQ(button->PictureHeight(), d.height);
        EXPECT_EQ(button->PictureSize(), 2);
        EXPECT_EQ(button->OriginalPicSizeW(), 55);
        EXPECT_EQ(button->OriginalPicSizeH(), d.height);
        EXPECT_EQ(button->MousePointer(), 99);
        EXPECT_EQ(button->MouseIcon(), nullptr);
        EXPECT_EQ(button->Font()->attributes(), FontAttributes{});
        EXPECT_EQ(button->PictureHover(), nullptr);
        EXPECT_EQ(button->PicturePosition(), 1);
        EXPECT_TRUE(button->Enabled());
        EXPECT_EQ(button->AccessKeys(), QString());
        // Saved again, the design is what a save of the button writes.
        EXPECT_EQ(saved(*button), designBody(QLatin1String(d.design)));
    }
}

TEST(StoredDesigns, TheRowEditorsCaptionButtons) {
    QWidget window;
    for (const auto& [design, caption] :
         {std::pair{"props_command1", "Remove"}, std::pair{"props_command2", "Ok"}}) {
        SCOPED_TRACE(design);
        QString error;
        std::unique_ptr<XpButton> button(createDesignedButton(QLatin1String(design), &window,
                                                              &error, QStringLiteral("CommandN")));
        ASSERT_TRUE(button) << error.toStdString();
        EXPECT_EQ(button->Caption(), QLatin1String(caption));
        EXPECT_EQ(button->ButtonStyle(), 3);
        EXPECT_EQ(button->Picture(), nullptr);
        EXPECT_EQ(button->PictureWidth(), 32);
        EXPECT_EQ(button->PictureHeight(), 32);
        EXPECT_EQ(button->PictureSize(), 1);
        EXPECT_EQ(button->OriginalPicSizeW(), 0);
        EXPECT_EQ(button->OriginalPicSizeH(), 0);
        EXPECT_EQ(button->MousePointer(), 99);
        EXPECT_EQ(button->Font()->attributes(), FontAttributes{});
        EXPECT_EQ(saved(*button), designBody(QLatin1String(design)));
    }
}
