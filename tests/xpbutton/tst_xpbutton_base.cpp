// The platform pieces the button stands on: font object, control base,
// input codes, and the button's geometry rules.
#include "platform/controls/designfont.h"
#include "platform/host/controlbase.h"
#include "platform/host/inputcodes.h"
#include "platform/host/olefont.h"
#include "tests/support/fakes.h"
#include "xpbutton/buttongeometry.h"

#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <array>

namespace {

class ProbeControl : public ControlBase {
public:
    using ControlBase::ControlBase;
    QStringList ambientChanges;
    QList<std::int16_t> accessKeys;

protected:
    void UserControl_AmbientChanged(const QString& name) override { ambientChanges.append(name); }
    void UserControl_AccessKeyPress(std::int16_t& keyAscii) override {
        accessKeys.append(keyAscii);
    }
};

} // namespace

TEST(OleFont, ReportsEveryAssignmentByName) {
    OleFont font;
    QStringList reports;
    QObject::connect(&font, &OleFont::fontChanged,
                     [&](const QString& attribute) { reports.append(attribute); });
    font.setName(font.Name()); // the same value still reports
    font.setSize(10);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(false);
    font.setStrikethrough(true);
    font.setWeight(300);
    font.setCharset(2);
    EXPECT_EQ(reports.join(QLatin1Char(',')),
              QStringLiteral("Name,Size,Bold,Italic,Underline,Strikethrough,Weight,Charset"));
}

TEST(OleFont, BoldIsAViewOfTheWeight) {
    OleFont font;
    EXPECT_EQ(font.Weight(), 400);
    EXPECT_FALSE(font.Bold());
    font.setBold(true);
    EXPECT_EQ(font.Weight(), 700);
    font.setWeight(551);
    EXPECT_TRUE(font.Bold());
    font.setWeight(550);
    EXPECT_FALSE(font.Bold());
    font.setBold(false);
    EXPECT_EQ(font.Weight(), 400);
    font.setSize(8.123456);
    EXPECT_DOUBLE_EQ(font.Size(), 8.1235);
}

TEST(OleFont, TheDesignFontDrawsAtElevenPixels) {
    const FontPtr font = OleFont::create();
    EXPECT_EQ(font->Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_DOUBLE_EQ(font->Size(), 8.25);
    const QFont qfont = font->toQFont();
    EXPECT_EQ(qfont.family(), designFont().family());
    EXPECT_EQ(qfont.pixelSize(), 11);
    EXPECT_EQ(qfont.weight(), QFont::Normal);
    font->setName(QStringLiteral("Courier"));
    font->setSize(12);
    font->setBold(true);
    font->setUnderline(true);
    EXPECT_EQ(font->toQFont().family(), QStringLiteral("Courier"));
    EXPECT_EQ(font->toQFont().pixelSize(), 16);
    EXPECT_EQ(font->toQFont().weight(), QFont::Bold);
    EXPECT_TRUE(font->toQFont().underline());
    const FontPtr copy = font->clone();
    copy->setItalic(true);
    EXPECT_FALSE(font->Italic());
    EXPECT_EQ(copy->Name(), QStringLiteral("Courier"));
}

TEST(ControlBase, SizesInTwipsAndScaleUnits) {
    ControlBase control;
    control.resize(59, 53);
    EXPECT_EQ(control.Width(), 885);
    EXPECT_EQ(control.Height(), 795);
    EXPECT_EQ(control.ScaleMode(), ControlBase::ScaleUnit::Twips);
    EXPECT_DOUBLE_EQ(control.ScaleWidth(), 885);
    control.setScaleMode(ControlBase::ScaleUnit::Pixels);
    EXPECT_DOUBLE_EQ(control.ScaleWidth(), 59);
    EXPECT_DOUBLE_EQ(control.ScaleHeight(), 53);
    control.setWidth(150);
    control.setHeight(300);
    EXPECT_EQ(control.size(), QSize(10, 20));
    using U = ControlBase::ScaleUnit;
    EXPECT_DOUBLE_EQ(control.ScaleX(2540, U::Himetric, U::Pixels), 96);
    EXPECT_DOUBLE_EQ(control.ScaleY(1, U::Inches, U::Twips), 1440);
    EXPECT_DOUBLE_EQ(control.ScaleX(1, U::Characters, U::Twips), 120);
    EXPECT_DOUBLE_EQ(control.ScaleY(1, U::Characters, U::Twips), 240);
    EXPECT_DOUBLE_EQ(control.ScaleX(72, U::Points, U::Pixels), 96);
    EXPECT_NEAR(control.ScaleX(10, U::Millimeters, U::Centimeters), 1, 1e-12);
}

TEST(ControlBase, SurfaceFollowsTheSizeAndClearsToTheBackColour) {
    ControlBase control;
    control.resize(7, 4);
    EXPECT_EQ(control.hDC().size(), QSize(7, 4));
    EXPECT_EQ(control.hDC().format(), QImage::Format_RGB32);
    control.setBaseBackColor(0x8000000F); // button face
    EXPECT_EQ(control.surface().pixel(6, 3), qRgb(212, 208, 200));
    control.setBaseBackColor(0x00336699);
    EXPECT_EQ(control.surface().pixel(0, 0), qRgb(0x99, 0x66, 0x33));
    control.hDC().setPixel(1, 1, qRgb(1, 2, 3));
    control.setBaseBackColor(0x00FF0000, false);
    EXPECT_EQ(control.surface().pixel(1, 1), qRgb(1, 2, 3));
    control.resize(9, 4);
    EXPECT_EQ(control.hDC().size(), QSize(9, 4));
    EXPECT_EQ(control.surface().pixel(8, 0), qRgb(0, 0, 0xFF));
}

TEST(ControlBase, PointerKindsAndTheMouseIcon) {
    QWidget parent;
    ControlBase& control = *new ControlBase(&parent);
    EXPECT_EQ(control.setBaseMousePointer(16), ControlError::InvalidPropertyValue);
    EXPECT_EQ(control.setBaseMousePointer(-1), ControlError::InvalidPropertyValue);
    EXPECT_EQ(control.baseMousePointer(), 0);
    EXPECT_FALSE(control.testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(control.setBaseMousePointer(11), ControlError::None);
    EXPECT_EQ(control.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(control.setBaseMousePointer(99), ControlError::None);
    EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor); // no icon yet
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    control.setBaseMouseIcon(OlePicture::icon(icon));
    EXPECT_EQ(control.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(control.setBaseMousePointer(0), ControlError::None);
    EXPECT_FALSE(control.testAttribute(Qt::WA_SetCursor));
}

TEST(ControlBase, OwnEnabledSettingSurvivesADisabledParent) {
    QWidget parent;
    auto* control = new ControlBase(&parent);
    parent.setEnabled(false);
    EXPECT_TRUE(control->baseEnabled());
    control->setBaseEnabled(false);
    parent.setEnabled(true);
    EXPECT_FALSE(control->baseEnabled());
    EXPECT_FALSE(control->isEnabled());
}

TEST(ControlBase, AmbientAndExtender) {
    QWidget parent;
    auto* control = new ProbeControl(&parent);
    control->setObjectName(QStringLiteral("Command7"));
    EXPECT_EQ(control->ambientDisplayName(), QStringLiteral("Command7"));
    const FontPtr a = control->ambientFont();
    const FontPtr b = control->ambientFont();
    EXPECT_NE(a, b);
    EXPECT_EQ(a->attributes(), FontAttributes{});
    FontAttributes big;
    big.size = 12;
    control->setAmbientFont(big);
    control->setAmbientDisplayName(QStringLiteral("Other"));
    control->setAmbientUserMode(std::nullopt);
    EXPECT_DOUBLE_EQ(control->ambientFont()->Size(), 12);
    EXPECT_EQ(control->ambientDisplayName(), QStringLiteral("Other"));
    EXPECT_FALSE(control->ambientUserMode().has_value());
    EXPECT_EQ(control->ambientChanges.join(QLatin1Char(',')),
              QStringLiteral("Font,DisplayName,UserMode"));
    control->move(20, 3);
    EXPECT_EQ(control->extenderLeft(), 300);
    EXPECT_EQ(control->extenderTop(), 45);
}

TEST(ControlBase, NavigationGoesThroughTheShell) {
    ControlBase control;
    RecordingShell shell;
    control.setShell(&shell);
    EXPECT_EQ(control.NavigateTo(QStringLiteral("http://example.org/")), ControlError::None);
    EXPECT_EQ(shell.navigated, QStringList{QStringLiteral("http://example.org/")});
    control.setShell(nullptr); // back to the desktop's
    EXPECT_NE(control.shell(), &shell);
    EXPECT_NE(control.shell(), nullptr);
    QStringList changes;
    QObject::connect(&control, &ControlBase::propertyChanged,
                     [&](const QString& name) { changes.append(name); });
    control.PropertyChanged(QStringLiteral("Caption"));
    EXPECT_EQ(changes, QStringList{QStringLiteral("Caption")});
}

TEST(ControlBase, AccessKeysAnswerAltAndTheKey) {
    QWidget window;
    auto* control = new ProbeControl(&window);
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    control->setAccessKeys(QStringLiteral("s"));
    QTest::keyClick(other, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(other, Qt::Key_S); // without Alt: nothing
    QTest::keyClick(other, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(control->accessKeys, QList<std::int16_t>{'s'});
    control->setAccessKeys(QString());
    QTest::keyClick(other, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(control->accessKeys.size(), 1);
}

TEST(InputCodes, NumberedAsTheEventsReportThem) {
    EXPECT_EQ((std::array{mouseButtonCode(Qt::LeftButton), mouseButtonCode(Qt::RightButton),
                          mouseButtonCode(Qt::MiddleButton), mouseButtonCode(Qt::BackButton),
                          mouseButtonsCode(Qt::LeftButton | Qt::MiddleButton),
                          shiftCode(Qt::ShiftModifier | Qt::AltModifier),
                          shiftCode(Qt::ControlModifier)}),
              (std::array<std::int16_t, 7>{1, 2, 4, 0, 5, 5, 2}));
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Space, 32}, {Qt::Key_A, 65},      {Qt::Key_7, 55},      {Qt::Key_F1, 112},
        {Qt::Key_Shift, 16}, {Qt::Key_Return, 13}, {Qt::Key_Escape, 27}, {Qt::Key_Down, 40}};
    for (const auto& [key, code] : keys)
        EXPECT_EQ(keyCode(key), code) << key;
    EXPECT_EQ(keyCode(Qt::Key_7, Qt::KeypadModifier), 103);
    const auto ascii = [](int key, const QString& text) {
        return keyAscii(QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    };
    EXPECT_EQ(ascii(Qt::Key_A, QStringLiteral("a")), 97);
    EXPECT_EQ(ascii(Qt::Key_E, QStringLiteral("\u00e9")), 0xE9);
    EXPECT_EQ(ascii(0, QStringLiteral("\u4e2d")), 63);
    EXPECT_EQ(ascii(Qt::Key_Shift, QString()), 0);
}

TEST(ButtonGeometry, AccessKeyFocusRectangleRoundingAndShape) {
    const std::pair<const char*, const char*> captions[] = {{"&Save", "s"},
                                                            {"Save&", ""},
                                                            {"Fish && &Chips", "c"},
                                                            {"Fish && Chips", ""},
                                                            {"A && B && &C", ""},
                                                            {"&", ""},
                                                            {"S", ""},
                                                            {"", ""},
                                                            {"Re&move", "m"},
                                                            {"&&", ""},
                                                            {"&&&X", "x"},
                                                            {"Ok &&", ""}};
    for (const auto& [caption, key] : captions)
        EXPECT_EQ(accessKeyFromCaption(QString::fromUtf8(caption)), QLatin1String(key)) << caption;

    EXPECT_EQ(focusRectFor(73, 25), (WinRect{4, 4, 69, 21}));
    EXPECT_EQ(
        (std::array{wholePixels(2.5), wholePixels(3.5), wholePixels(-2.5), wholePixels(54.99)}),
        (std::array{2, 4, -2, 55}));

    // The rounded shape loses three pixels at each corner.
    const int w = 59, h = 53;
    const QRegion region = roundedWindowRegion(w, h);
    const QList<QPoint> removed = {{0, 0},     {1, 0},         {0, 1},         {w - 2, 0},
                                   {w - 1, 0}, {w - 1, 1},     {0, h - 1},     {1, h - 1},
                                   {0, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}};
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) {
            const bool expected = x >= 0 && y >= 0 && x < w && y < h && !removed.contains({x, y});
            EXPECT_EQ(region.contains(QPoint(x, y)), expected) << x << "," << y;
        }
}
