// What the program draws itself, at the device pixel ratio of the run
// (QT_SCALE_FACTOR; CTest runs this suite at 1, 1.5 and 2): at 1 the designed
// pixels byte for byte, above it the artwork and captions at the device's.
#include "app/mainwindow.h"
#include "platform/controls/imagecontrol.h"
#include "tests/support/fakes.h"
#include "xpbutton/controlfactory.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <span>

namespace {

enum class Look { Normal, Focused, Pressed };

QImage grabbed(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A designed button (main window 59 x 53, row editor 73 x 25) in a window of
// its own, in the given look.
QImage buttonLook(const char* design, Look look) {
    QWidget window;
    const QSize size = design[0] == 'm' ? QSize(59, 53) : QSize(73, 25);
    XpButton* button = placeDesignedButton(QString::fromLatin1(design), QStringLiteral("b"),
                                           &window, QRect(QPoint(10, 10), size));
    auto* other = new QWidget(&window); // holds the focus otherwise
    other->setFocusPolicy(Qt::StrongFocus);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    if (look != Look::Normal)
        button->setFocus();
    if (look == Look::Pressed)
        QTest::keyPress(button, Qt::Key_Space);
    return grabbed(button);
}

struct HighDensity : ::testing::Test {
    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> w =
        std::make_unique<MainWindow>(MainWindowServices{dialogs, shell, QUrl()});
    void SetUp() override {
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->Image4->show();
        w->Image5->show();
    }
};

// The seven buttons at rest, focused and pressed, and the window's artwork,
// hashed in one as they were drawn before sharp screens were thought of.
TEST_F(HighDensity, AtOneXEveryDesignedPixelStaysAsItWas) {
    if (qApp->devicePixelRatio() != 1.0)
        GTEST_SKIP() << "the designed pixels are checked at ratio 1";
    QCryptographicHash buttons(QCryptographicHash::Sha1);
    QCryptographicHash artwork(QCryptographicHash::Sha1);
    const auto add = [](QCryptographicHash& hash, const QImage& image) {
        hash.addData(QByteArrayView(image.constBits(), image.sizeInBytes()));
    };
    const Look all[] = {Look::Normal, Look::Focused, Look::Pressed};
    const std::pair<const char*, std::span<const Look>> looks[] = {
        {"main_command1", all},      {"main_command2", {all, 1}}, {"main_command3", {all, 1}},
        {"main_command4", {all, 1}}, {"main_command5", {all, 1}}, {"main_command5", {all + 2, 1}},
        {"props_command1", all},     {"props_command2", all}};
    for (const auto& [design, some] : looks)
        for (const Look look : some)
            add(buttons, buttonLook(design, look));
    for (ImageControl* image : {w->Image2, w->Image1, w->Image3, w->Image4, w->Image5})
        add(artwork, grabbed(image));
    EXPECT_EQ(buttons.result().toHex().left(16), QByteArray("5fc35f4286dc422b"));
    EXPECT_EQ(artwork.result().toHex().left(16), QByteArray("e908a42499d2ea29"));
}

// Every pixel of the artwork file (read as the repository ships it) that is
// not left to what lies beneath (black, the buttons' mask, or see-through)
// is shown at `at` in device pixels.
TEST_F(HighDensity, AboveOneXPicturesAreTheArtworkAtTheDevicesPixels) {
    const qreal ratio = qApp->devicePixelRatio();
    if (ratio == 1.0)
        GTEST_SKIP() << "checked by the runs at 1.5 and 2";
    const struct {
        qreal ratio;
        const char* design;
        ImageControl* image;
        const char* artwork;
        QSize size;
        QPoint at;
    } rows[] = {
        {2, "main_command1", nullptr, "cmd_list@2x.png", {118, 106}, {4, 8}},
        {2, "main_command5", nullptr, "cmd_help@2x.png", {118, 106}, {4, 6}},
        {2, nullptr, w->Image2, "banner@2x.png", {2026, 184}, {0, 0}},
        {2, nullptr, w->Image1, "logo@2x.png", {592, 76}, {0, 0}},
        {2, nullptr, w->Image4, "rotate@2x.png", {44, 36}, {0, 0}},
        {1.5, "main_command2", nullptr, "cmd_copy@1.5x.png", {89, 80}, {3, 6}},
        {1.5, "main_command5", nullptr, "cmd_help@1.5x.png", {89, 80}, {3, 5}},
        {1.5, nullptr, w->Image5, "jpegicon@1.5x.png", {35, 27}, {0, 0}},
    };
    for (const auto& row : rows) {
        if (row.ratio != ratio)
            continue;
        const QImage shown = row.image ? grabbed(row.image) : buttonLook(row.design, Look::Normal);
        EXPECT_EQ(shown.size(), row.size) << row.artwork;
        const QImage art = QImage(QStringLiteral(MARVOLIA_SOURCE_DIR "/assets/images/") +
                                  QLatin1String(row.artwork))
                               .convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(art.isNull()) << row.artwork;
        int differences = 0;
        for (int y = 0; y < art.height(); ++y)
            for (int x = 0; x < art.width(); ++x) {
                const QRgb a = art.pixel(x, y);
                differences += qAlpha(a) == 255 && (a & 0xFFFFFF) != 0 &&
                               (shown.pixel(row.at + QPoint(x, y)) & 0xFFFFFF) != (a & 0xFFFFFF);
            }
        EXPECT_EQ(differences, 0) << row.artwork;
    }
    if (ratio != 2)
        return;
    // The caption's glyphs at 2x are not 1x glyphs in 2 x 2 blocks.
    const QImage ok = buttonLook("props_command2", Look::Normal);
    int halfBlocks = 0;
    for (int y = 0; y < ok.height(); ++y)
        for (int x = 0; x + 1 < ok.width(); x += 2)
            halfBlocks += (qGray(ok.pixel(x, y)) < 40) != (qGray(ok.pixel(x + 1, y)) < 40);
    EXPECT_GT(halfBlocks, 4);
}

} // namespace
