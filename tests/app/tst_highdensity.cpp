// What the program draws itself, at the device pixel ratio of the run
// (QT_SCALE_FACTOR; CTest runs this suite at 1, 1.5 and 2): at 1 the designed
// pixels byte for byte, above it the artwork and captions at the device's.
#include "app/mainwindow.h"
#include "app/sharperthumbnails.h"
#include "assets/designedbuttons.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"
#include "selection/dialogs/props.h"
#include "tests/support/fakes.h"
#include "tests/support/jpegmaker.h"
#include "tests/support/testpictures.h"
#include "tests/support/whenshown.h"
#include "tests/support/window/mainwindowui.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>

namespace {

enum class Look { Normal, Focused, Pressed };

QImage grabbed(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Artwork with see-through edges, as it lies over black. Not as RGB32: that
// undoes the premultiplying, and the colour of a nearly clear pixel then
// depends on the processor's rounding.
QImage grabbedArtwork(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
        ui(w).Image4->show();
        ui(w).Image5->show();
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
    const MainWindowUi controls = ui(w);
    for (ImageControl* image :
         {controls.Image2, controls.Image1, controls.Image3, controls.Image4, controls.Image5})
        add(artwork, grabbedArtwork(image));
    EXPECT_EQ(buttons.result().toHex().left(16), QByteArray("5fc35f4286dc422b"));
    EXPECT_EQ(artwork.result().toHex().left(16), QByteArray("47acc2090c5fa425"));
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
        {2, nullptr, ui(w).Image2, "banner@2x.png", {2026, 184}, {0, 0}},
        {2, nullptr, ui(w).Image1, "logo@2x.png", {592, 76}, {0, 0}},
        {2, nullptr, ui(w).Image4, "rotate@2x.png", {44, 36}, {0, 0}},
        {1.5, "main_command2", nullptr, "cmd_copy@1.5x.png", {89, 80}, {3, 6}},
        {1.5, "main_command5", nullptr, "cmd_help@1.5x.png", {89, 80}, {3, 5}},
        {1.5, nullptr, ui(w).Image5, "jpegicon@1.5x.png", {35, 27}, {0, 0}},
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

// Where a side of `size` pixels drawn `count` pixels long is read, as the
// design samples: 0, step, 2 x step, ... in single precision, while not
// past the last pixel; each the whole pixel it falls in. Written here again,
// apart from the program's, and checked against worked-out positions.
std::vector<int> sampled(int size, int count) {
    std::vector<int> at;
    const float step = static_cast<float>(size) / static_cast<float>(count);
    for (float s = 0; s <= static_cast<float>(size - 1); s += step)
        at.push_back(static_cast<int>(s));
    return at;
}

TEST(DesignedSampling, PositionsAsWorkedOut) {
    const struct {
        int size;
        int count;
        std::vector<int> first;
        int last;
    } cases[] = {
        {1200, 656, {0, 1, 3, 5, 7, 9, 10, 12}, 1198},
        {900, 492, {0, 1, 3, 5, 7, 9, 10, 12}, 898},
        {1200, 80, {0, 15, 30, 45, 60, 75, 90, 105}, 1185},
        {900, 369, {0, 2, 4, 7, 9, 12, 14, 17}, 897},
        {1200, 226, {0, 5, 10, 15, 21, 26, 31, 37}, 1194},
    };
    for (const auto& c : cases) {
        const std::vector<int> at = sampled(c.size, c.count);
        ASSERT_EQ(int(at.size()), c.count) << c.size;
        EXPECT_EQ(std::vector<int>(at.begin(), at.begin() + 8), c.first) << c.size;
        EXPECT_EQ(at.back(), c.last) << c.size;
    }
}

// The pixels of `full` at the designed positions for width x height.
QImage designedAt(const QImage& full, int width, int height) {
    const std::vector<int> xs = sampled(full.width(), width);
    const std::vector<int> ys = sampled(full.height(), height);
    QImage out(int(xs.size()), int(ys.size()), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, full.pixel(xs[std::size_t(x)], ys[std::size_t(y)]));
    return out;
}

// How many pixels of `shown` in `area` differ from `want` placed at area's
// top-left corner.
int differencesIn(const QImage& shown, const QRect& area, const QImage& want) {
    int differences = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            differences += (shown.pixel(area.x() + x, area.y() + y) & 0xFFFFFF) !=
                           (want.pixel(x, y) & 0xFFFFFF);
    return differences;
}

// A real JPEG of 1200 x 900, previewed, added, and opened in the row editor.
struct SharpPhoto : HighDensity {
    QTemporaryDir folder;
    QImage full; // the JPEG library's own decode
    void SetUp() override {
        HighDensity::SetUp();
        const QByteArray bytes = encodeJpeg(coordinatePicture(1200, 900), JpegOptions{});
        QFile file(folder.filePath(QStringLiteral("photo.jpg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        full = referenceDecode(bytes).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(full.size(), QSize(1200, 900));
        ASSERT_TRUE(ui(w).Dir1->setPath(folder.path()));
    }
};

// The preview is the designed sampling at the device's size: at 2x the
// picture 656 x 492 in a box of 658, at 1.5x 492 x 369 in 494, centred as
// the design centres; at 1x exactly the box's own drawing.
TEST_F(SharpPhoto, ThePreviewIsSampledAtTheDevicesPixels) {
    const qreal ratio = qApp->devicePixelRatio();
    ui(w).Image4->hide(); // the icons lie over the picture
    ui(w).Image5->hide();
    const QImage shown = grabbed(ui(w).Image11);
    if (ratio == 1.0) {
        EXPECT_EQ(shown, ui(w).Image11->Image());
        return;
    }
    const struct {
        qreal ratio;
        int box;
        QRect picture;
    } rows[] = {{2, 658, {0, 82, 656, 492}}, {1.5, 494, {0, 61, 492, 369}}};
    for (const auto& row : rows) {
        if (row.ratio != ratio)
            continue;
        ASSERT_EQ(shown.size(), QSize(row.box, row.box));
        const QImage want = designedAt(full, row.picture.width(), row.picture.height());
        EXPECT_EQ(differencesIn(shown, row.picture, want), 0);
        // The rest is the box's white.
        EXPECT_EQ(shown.pixel(0, row.picture.top() - 1), qRgb(255, 255, 255));
        EXPECT_EQ(shown.pixel(row.box - 1, row.box / 2), qRgb(255, 255, 255));
        EXPECT_EQ(shown.pixel(0, row.picture.bottom() + 1), qRgb(255, 255, 255));
        EXPECT_NE(shown.pixel(0, row.picture.bottom()), qRgb(255, 255, 255));

        // A quarter turn turns the sharp drawing with the designed one.
        ui(w).Image4->show();
        QTest::mouseClick(ui(w).Image4, Qt::LeftButton);
        ui(w).Image4->hide();
        const QImage turned = grabbed(ui(w).Image11);
        EXPECT_EQ(turned.pixel(row.box - 1 - row.picture.top(), 0),
                  shown.pixel(0, row.picture.top()));
        EXPECT_EQ(turned.pixel(row.box - 1 - row.picture.top() - 7, 5),
                  shown.pixel(5, row.picture.top() + 7));
    }
}

// The grid's thumbnail and the row editor's photo likewise, at 80 x 60 and at
// the editor's box (113 x 89) times the ratio.
TEST_F(SharpPhoto, TheThumbnailAndTheEditorsPhotoAreSampledAtTheDevicesPixels) {
    const qreal ratio = qApp->devicePixelRatio();
    ui(w).Image11->setFocus();
    QTest::keyClick(ui(w).Image11, Qt::Key_Return);
    ASSERT_EQ(ui(w).MSFlexGrid1->Rows(), 2);
    ui(w).sharperThumbnails->waitForReads();
    // Row 1's picture cell: (0, 16), 39 x 32 inside its lines, the picture at
    // (0, 17); at 1.5x it starts between device pixels and is left to Qt.
    const struct {
        qreal ratio;
        QRect cell;
        QSize samples;
        QSize editor;
        QRect editorPhoto; // the photo keeps its 4:3 in the box, on white
    } rows[] = {
        {1, {0, 17, 39, 30}, {40, 30}, {113, 89}, {0, 2, 113, 85}},
        {2, {0, 34, 78, 60}, {80, 60}, {226, 178}, {0, 4, 226, 170}},
        {1.5, {}, {}, {170, 134}, {0, 3, 170, 128}},
    };
    const auto* row = std::find_if(std::begin(rows), std::end(rows),
                                   [ratio](const auto& r) { return r.ratio == ratio; });
    ASSERT_NE(row, std::end(rows));
    if (!row->cell.isEmpty()) {
        const QImage grid = grabbed(ui(w).MSFlexGrid1->viewport());
        EXPECT_EQ(differencesIn(grid, row->cell,
                                designedAt(full, row->samples.width(), row->samples.height())),
                  0);
    }

    QImage photo;
    bool shown = false;
    QObject scope;
    whenShown<Props>(&scope, [&](Props* props) {
        shown = true;
        // The photo alone, without the print frame laid over it.
        for (QWidget* over : props->Image2->findChildren<QWidget*>())
            over->hide();
        photo = grabbed(props->Image2);
        props->reject();
    });
    ui(w).MSFlexGrid1->setFocus();
    QTest::keyClick(ui(w).MSFlexGrid1, Qt::Key_Return);
    ASSERT_TRUE(shown);
    ASSERT_EQ(photo.size(), row->editor);
    const QRect drawn = row->editorPhoto;
    EXPECT_EQ(differencesIn(photo, drawn, designedAt(full, drawn.width(), drawn.height())), 0);
    EXPECT_EQ(photo.pixel(5, drawn.top() - 1), qRgb(255, 255, 255));
    EXPECT_EQ(photo.pixel(5, drawn.bottom() + 1), qRgb(255, 255, 255));
}

// The keyboard's mark above 1x: dots of one device pixel, every other one,
// two device pixels inside the box (at 1.5x a pixel and a half, rounded).
TEST_F(SharpPhoto, TheFocusMarkIsDrawnInDevicePixels) {
    if (qApp->devicePixelRatio() == 1.0)
        GTEST_SKIP() << "the mark at 1x is checked with the preview's keys";
    ui(w).Image4->hide();
    ui(w).Image5->hide();
    ui(w).Image11->setFocus();
    const QImage shown = grabbed(ui(w).Image11);
    const struct {
        QPoint at;
        QRgb colour;
    } pixels[] = {
        {{1, 1}, qRgb(255, 255, 255)}, {{2, 2}, qRgb(0, 0, 0)},       {{3, 2}, qRgb(255, 255, 255)},
        {{4, 2}, qRgb(0, 0, 0)},       {{2, 3}, qRgb(255, 255, 255)}, {{2, 4}, qRgb(0, 0, 0)},
        {{3, 3}, qRgb(255, 255, 255)},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(shown.pixel(p.at) & 0xFFFFFF, p.colour & 0xFFFFFF) << p.at.x() << "," << p.at.y();
}

} // namespace
