#include "platform/host/propertybag.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QImage gradient(int width, int height, bool alpha) {
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 20, y * 30, (x + y) * 10, alpha ? x * 40 : 255));
    return image;
}

PropertyBag parse(const QByteArray& text) {
    QString error;
    const auto bag = PropertyBag::fromText(text, &error);
    EXPECT_TRUE(bag) << error.toStdString();
    return bag.value_or(PropertyBag());
}

QString parseError(const QByteArray& text) {
    QString error;
    EXPECT_FALSE(PropertyBag::fromText(text, &error)) << text.toStdString();
    return error;
}

} // namespace

TEST(PropertyBag, KeysIgnoreCaseAndAbsentKeysGiveTheDefault) {
    PropertyBag bag;
    bag.write(QStringLiteral("ButtonStyle"), 3, 2);
    std::int32_t style = 0;
    EXPECT_EQ(bag.read(QStringLiteral("buttonstyle"), 2).toInt32(style), ControlError::None);
    EXPECT_EQ(style, 3);
    EXPECT_EQ(bag.read(QStringLiteral("BUTTONSTYLE"), 2).toInt32(style), ControlError::None);
    EXPECT_EQ(style, 3);
    EXPECT_EQ(bag.read(QStringLiteral("PictureSize"), 1).toInt32(style), ControlError::None);
    EXPECT_EQ(style, 1);
    // A second write under another spelling replaces the value.
    bag.write(QStringLiteral("BUTTONstyle"), 4, 2);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("ButtonStyle")});
    EXPECT_EQ(bag.read(QStringLiteral("ButtonStyle"), 2).toInt32(style), ControlError::None);
    EXPECT_EQ(style, 4);
}

TEST(PropertyBag, WritingTheDefaultStoresNothing) {
    PropertyBag bag;
    bag.write(QStringLiteral("a"), 1, 1);
    bag.write(QStringLiteral("b"), true, 1);  // 1 counts as True
    bag.write(QStringLiteral("c"), false, 0); // 0 counts as False
    bag.write(QStringLiteral("d"), true, true);
    bag.write(QStringLiteral("e"), QStringLiteral("x"), QStringLiteral("x"));
    bag.write(QStringLiteral("f"), PicturePtr(), PicturePtr());
    bag.write(QStringLiteral("g"), OlePicture::empty(), PicturePtr()); // empty: no persisted form
    bag.write(QStringLiteral("h"), std::uint32_t(0x8000000F), std::uint32_t(0x8000000F));
    EXPECT_TRUE(bag.isEmpty()) << bag.keys().join(QLatin1Char(',')).toStdString();

    bag.write(QStringLiteral("i"), true, 0);
    bag.write(QStringLiteral("j"), false, 1);
    bag.write(QStringLiteral("k"), true, -1); // only 1 stands for True
    bag.write(QStringLiteral("l"), QStringLiteral("X"), QStringLiteral("x"));
    bag.write(QStringLiteral("m"), OlePicture::bitmap(gradient(2, 2, false)), PicturePtr());
    // A font is a control's own object: never the default.
    bag.write(QStringLiteral("n"), FontAttributes{}, FontAttributes{});
    bag.write(QStringLiteral("o"), 0, 32);
    EXPECT_EQ(bag.keys().join(QLatin1Char(',')), QStringLiteral("i,j,k,l,m,n,o"));

    // Writing the default again takes an earlier value out.
    bag.write(QStringLiteral("O"), 32, 32);
    EXPECT_FALSE(bag.contains(QStringLiteral("o")));
}

TEST(PropertyValue, ConvertsLikeATypedVariable) {
    std::int16_t i16 = 7;
    std::int32_t i32 = 7;
    bool b = false;
    QString text;
    PicturePtr picture;
    FontPtr font;

    EXPECT_EQ(PropertyValue(32767).toInt16(i16), ControlError::None);
    EXPECT_EQ(i16, 32767);
    EXPECT_EQ(PropertyValue(32768).toInt16(i16), ControlError::Overflow);
    EXPECT_EQ(i16, 32767); // untouched on failure
    EXPECT_EQ(PropertyValue(-32769).toInt16(i16), ControlError::Overflow);
    EXPECT_EQ(PropertyValue(qint64(1) << 31).toInt32(i32), ControlError::Overflow);
    EXPECT_EQ(PropertyValue(std::uint32_t(0x80000012)).toInt32(i32), ControlError::None);
    EXPECT_EQ(static_cast<std::uint32_t>(i32), 0x80000012u);
    EXPECT_EQ(PropertyValue(true).toInt32(i32), ControlError::None);
    EXPECT_EQ(i32, -1);
    EXPECT_EQ(PropertyValue(" 12 ").toInt32(i32), ControlError::None);
    EXPECT_EQ(i32, 12);
    EXPECT_EQ(PropertyValue("2.5").toInt32(i32), ControlError::None);
    EXPECT_EQ(i32, 2); // halves to even
    EXPECT_EQ(PropertyValue("twelve").toInt32(i32), ControlError::TypeMismatch);
    EXPECT_EQ(PropertyValue("99999").toInt16(i16), ControlError::Overflow);
    EXPECT_EQ(PropertyValue(FontAttributes{}).toInt32(i32), ControlError::TypeMismatch);
    EXPECT_EQ(PropertyValue(PicturePtr()).toInt32(i32), ControlError::TypeMismatch);

    EXPECT_EQ(PropertyValue(5).toBool(b), ControlError::None);
    EXPECT_TRUE(b);
    EXPECT_EQ(PropertyValue(0).toBool(b), ControlError::None);
    EXPECT_FALSE(b);
    EXPECT_EQ(PropertyValue("true").toBool(b), ControlError::None);
    EXPECT_TRUE(b);
    EXPECT_EQ(PropertyValue("maybe").toBool(b), ControlError::TypeMismatch);

    EXPECT_EQ(PropertyValue(-3).toText(text), ControlError::None);
    EXPECT_EQ(text, QStringLiteral("-3"));
    EXPECT_EQ(PropertyValue(false).toText(text), ControlError::None);
    EXPECT_EQ(text, QStringLiteral("False"));
    EXPECT_EQ(PropertyValue(FontAttributes{}).toText(text), ControlError::TypeMismatch);

    EXPECT_EQ(PropertyValue(3).toPicture(picture), ControlError::TypeMismatch);
    EXPECT_EQ(PropertyValue("x").toFont(font), ControlError::TypeMismatch);
    EXPECT_EQ(font, nullptr);
}

TEST(PropertyValue, EveryFontReadIsANewObject) {
    FontAttributes attributes;
    attributes.name = QStringLiteral("Arial");
    attributes.size = 12;
    const PropertyValue value(attributes);
    FontPtr first;
    FontPtr second;
    ASSERT_EQ(value.toFont(first), ControlError::None);
    ASSERT_EQ(value.toFont(second), ControlError::None);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->attributes(), attributes);
    EXPECT_EQ(second->attributes(), attributes);
}

TEST(PropertyBagText, WritesOneReadableLinePerKey) {
    PropertyBag bag;
    bag.put(QStringLiteral("Caption"), QStringLiteral("Say \"hi\"\\\r\n\tx\x01"));
    bag.put(QStringLiteral("ButtonStyle"), 3);
    bag.put(QStringLiteral("BackColor"), std::uint32_t(0x8000000F));
    bag.put(QStringLiteral("Enabled"), false);
    FontAttributes font;
    font.name = QStringLiteral("MS Sans Serif");
    font.size = 8.25;
    font.weight = 700;
    font.underline = true;
    bag.put(QStringLiteral("Font"), font);
    EXPECT_EQ(bag.toText(),
              QByteArray("caption = \"Say \\\"hi\\\"\\\\\\r\\n\\tx\\u0001\"\r\n"
                         "buttonstyle = 3\r\n"
                         "backcolor = -2147483633\r\n"
                         "enabled = False\r\n"
                         "font = Font(Name=\"MS Sans Serif\", Size=8.25, Weight=700, Charset=0, "
                         "Italic=False, Underline=True, Strikethrough=False)\r\n"));
}

TEST(PropertyBagText, EveryKindOfValueComesBackTheSame) {
    PropertyBag bag;
    const QString caption = QStringLiteral("Fish && &Chips \u00e9\u4e2d \"q\" \\ \r\n\t\x7f");
    bag.put(QStringLiteral("Caption"), caption);
    bag.put(QStringLiteral("Big"), qint64(-9000000000));
    bag.put(QStringLiteral("Flag"), true);
    const QImage bitmap = gradient(5, 3, false);
    const QImage icon = gradient(4, 4, true);
    bag.put(QStringLiteral("Picture"), OlePicture::bitmap(bitmap));
    bag.put(QStringLiteral("MouseIcon"), OlePicture::icon(icon));
    FontAttributes font;
    font.name = QStringLiteral("Courier \"New\"");
    font.size = 9.1234;
    font.weight = 300;
    font.charset = 161;
    font.italic = true;
    font.strikethrough = true;
    bag.put(QStringLiteral("Font"), font);

    const PropertyBag back = parse(bag.toText());
    EXPECT_EQ(back.keys().join(QLatin1Char(',')),
              QStringLiteral("caption,big,flag,picture,mouseicon,font"));
    QString text;
    EXPECT_EQ(back.read(QStringLiteral("caption"), 0).toText(text), ControlError::None);
    EXPECT_EQ(text, caption);
    EXPECT_EQ(back.read(QStringLiteral("big"), 0).raw(), bag.read(QStringLiteral("big"), 0).raw());
    bool flag = false;
    EXPECT_EQ(back.read(QStringLiteral("flag"), 0).toBool(flag), ControlError::None);
    EXPECT_TRUE(flag);
    PicturePtr picture;
    ASSERT_EQ(back.read(QStringLiteral("picture"), 0).toPicture(picture), ControlError::None);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->type(), OlePicture::Type::Bitmap);
    EXPECT_EQ(picture->image(), bitmap);
    ASSERT_EQ(back.read(QStringLiteral("mouseicon"), 0).toPicture(picture), ControlError::None);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->type(), OlePicture::Type::Icon);
    EXPECT_EQ(picture->image(), icon.convertToFormat(QImage::Format_ARGB32));
    FontPtr readFont;
    ASSERT_EQ(back.read(QStringLiteral("font"), 0).toFont(readFont), ControlError::None);
    EXPECT_EQ(readFont->attributes(), font);
    // Written again, the text is the same.
    EXPECT_EQ(back.toText(), bag.toText());
}

TEST(PropertyBagText, ReadsLfLinesCommentsAndAnyCase) {
    const PropertyBag bag = parse("# a design\n\n  Caption=\"A\"  \nENABLED = true\r\n"
                                  "  # indented comment\nbevel = -4\nFont = font(size=10, "
                                  "NAME=\"X\")\n");
    EXPECT_EQ(bag.keys().join(QLatin1Char(',')), QStringLiteral("Caption,ENABLED,bevel,Font"));
    std::int16_t bevel = 0;
    EXPECT_EQ(bag.read(QStringLiteral("BEVEL"), 1).toInt16(bevel), ControlError::None);
    EXPECT_EQ(bevel, -4);
    FontPtr font;
    ASSERT_EQ(bag.read(QStringLiteral("font"), 0).toFont(font), ControlError::None);
    EXPECT_EQ(font->Name(), QStringLiteral("X"));
    EXPECT_EQ(font->Size(), 10.0);
    EXPECT_EQ(font->Weight(), 400);
}

TEST(PropertyBagText, TextThatIsNotUtf8IsReadAsWindows1252) {
    const PropertyBag bag = parse("caption = \"caf\xe9 \x80\"\r\n");
    QString text;
    EXPECT_EQ(bag.read(QStringLiteral("caption"), 0).toText(text), ControlError::None);
    EXPECT_EQ(text, QStringLiteral("caf\u00e9 \u20ac"));
}

TEST(PropertyBagText, DamagedTextSaysWhatAndWhere) {
    EXPECT_EQ(parseError("a = 1\n= 2\n"), QStringLiteral("line 2: a key is missing"));
    EXPECT_EQ(parseError("caption \"x\"\n"),
              QStringLiteral("line 1: \"=\" expected after \"caption\""));
    EXPECT_EQ(parseError("a = 1\nA = 2\n"), QStringLiteral("line 2: \"A\" is given twice"));
    EXPECT_EQ(parseError("a =\n"), QStringLiteral("line 1: a: a value is missing"));
    EXPECT_EQ(parseError("a = \"open\n"), QStringLiteral("line 1: a: a text has no closing quote"));
    EXPECT_EQ(parseError("a = \"\\q\"\n"),
              QStringLiteral("line 1: a: unknown text escape \"\\q\""));
    EXPECT_EQ(parseError("a = \"\\u12zz\"\n"),
              QStringLiteral("line 1: a: a text escape is damaged"));
    EXPECT_EQ(parseError("a = \"\\u12\"\n"),
              QStringLiteral("line 1: a: a text escape is cut short"));
    EXPECT_EQ(parseError("a = 99999999999999999999\n"),
              QStringLiteral("line 1: a: \"99999999999999999999\" is not a whole number in range"));
    EXPECT_EQ(parseError("a = 1 2\n"),
              QStringLiteral("line 1: a: unexpected text after the value"));
    EXPECT_EQ(parseError("a = Maybe\n"), QStringLiteral("line 1: a: unknown value \"Maybe\""));
    EXPECT_EQ(parseError("a = Picture(Type=Bitmap, Png=\"!!!\")\n"),
              QStringLiteral("line 1: a: the picture's bytes are damaged"));
    EXPECT_EQ(parseError("a = Picture(Type=Bitmap, Png=\"AAAA\")\n"),
              QStringLiteral("line 1: a: the picture cannot be read"));
    EXPECT_EQ(parseError("a = Picture(Type=Photo, Png=\"AAAA\")\n"),
              QStringLiteral("line 1: a: unknown picture type \"Photo\""));
    EXPECT_EQ(parseError("a = Picture(Type=Bitmap)\n"),
              QStringLiteral("line 1: a: the picture has no Png"));
    EXPECT_EQ(parseError("a = Font(Name=\"X\"\n"), QStringLiteral("line 1: a: \")\" expected"));
    EXPECT_EQ(parseError("a = Font(Name=\"X\")\n"),
              QStringLiteral("line 1: a: the font needs a Name and a Size"));
    EXPECT_EQ(parseError("a = Font(Name=\"X\", Size=8, Weight=40000)\n"),
              QStringLiteral("line 1: a: 40000 is out of range"));
    EXPECT_EQ(parseError("a = Font(Name=\"X\", Size=8, Bold=True)\n"),
              QStringLiteral("line 1: a: unknown font argument \"bold\""));
    EXPECT_EQ(parseError("a = Font(Name=\"X\", Size=-1)\n"),
              QStringLiteral("line 1: a: \"-1\" is not a font size"));
}

TEST(PropertyBagText, NoDamageCrashesTheReader) {
    PropertyBag bag;
    bag.put(QStringLiteral("Caption"), QStringLiteral("A \"b\" \\c"));
    bag.put(QStringLiteral("Picture"), OlePicture::bitmap(gradient(6, 5, false)));
    bag.put(QStringLiteral("Font"), FontAttributes{});
    bag.put(QStringLiteral("MousePointer"), 99);
    const QByteArray text = bag.toText();

    // Every cut, and many random changes, either read or fail with a reason.
    for (qsizetype cut = 0; cut < text.size(); ++cut) {
        QString error;
        if (!PropertyBag::fromText(text.left(cut), &error)) {
            EXPECT_TRUE(error.startsWith(QLatin1String("line "))) << error.toStdString();
        }
    }
    QRandomGenerator random(20240601);
    for (int round = 0; round < 2000; ++round) {
        QByteArray damaged = text;
        const int changes = 1 + random.bounded(4);
        for (int i = 0; i < changes; ++i)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        QString error;
        if (!PropertyBag::fromText(damaged, &error)) {
            EXPECT_FALSE(error.isEmpty());
        }
    }
}
