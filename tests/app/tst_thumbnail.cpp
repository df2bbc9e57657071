#include "app/core/boxfit.h"
#include "app/core/previewgeometry.h"
#include "app/core/samplelayout.h"
#include "app/core/sampling.h"
#include "app/drawing/thumbnail.h"
#include "app/progressbarpainter.h"
#include "platform/controls/filelist.h"
#include "platform/controls/picturebox.h"
#include "platform/units/rounding.h"
#include "tests/support/testpictures.h"

#include <QProgressBar>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr std::int32_t kBackground = 0x00204060;

// A picture whose pixels never repeat along either side.
QImage noise(int width, int height, unsigned seed) {
    return patternPicture(width, height, [seed](int x, int y) {
        const unsigned v = (static_cast<unsigned>(x) * 2654435761u) ^
                           (static_cast<unsigned>(y) * 40503u) ^ (seed * 97u);
        return qRgb(static_cast<int>(v & 255), static_cast<int>((v >> 8) & 255),
                    static_cast<int>((v >> 16) & 255));
    });
}

// What a scaler stepping through the picture in single precision (0, step,
// 2 x step, ... while not past the last pixel) draws over `under` at `at`.
QImage reference(const QImage& picture, int width, int height, QPoint at, const QImage& under) {
    QImage out = under.copy();
    const float stepX = static_cast<float>(picture.width()) / static_cast<float>(width);
    const float stepY = static_cast<float>(picture.height()) / static_cast<float>(height);
    int row = 0;
    for (float sy = 0; sy <= static_cast<float>(picture.height()) - 1; sy += stepY, ++row) {
        int col = 0;
        for (float sx = 0; sx <= static_cast<float>(picture.width()) - 1; sx += stepX, ++col)
            if (out.rect().contains(at + QPoint(col, row)))
                out.setPixel(at + QPoint(col, row),
                             picture.pixel(static_cast<int>(sx), static_cast<int>(sy)));
    }
    return out;
}

// The samples drawn where thumbnail() draws them, on what the target showed.
QImage placed(const Samples& samples, const QImage& under, QPoint at) {
    QImage out = under.copy();
    for (int y = 0; y < samples.block.height(); ++y)
        for (int x = 0; x < samples.block.width(); ++x)
            if (out.rect().contains(at + QPoint(x, y)))
                out.setPixel(at + QPoint(x, y), samples.block.pixel(x, y));
    return out;
}

// Loader, target, file list and progress bar as the main window has them.
struct Scaler : ::testing::Test {
    QWidget window;
    PictureBox* source = new PictureBox(&window);
    PictureBox* target = new PictureBox(&window);
    FileList* list = new FileList(&window);
    QProgressBar* bar = new QProgressBar(&window);
    ProgressBarPainter painter{*bar};
    ThumbnailEnv env{*list, painter.progress()};

    Scaler() {
        window.resize(830, 545);
        source->setAutoSize(true);
        source->hide();
        target->place(QRect(216, 112, 329, 329));
        target->setBackColor(kBackground);
        bar->setRange(0, 100);
        bar->hide();
    }
};

} // namespace

TEST(PreviewGeometry, LongSideIs328ShortSideInProportionHalvesToEven) {
    const auto size = [](int w, int h) {
        const PreviewSize s = previewSize(w, h);
        return QSize(s.width, s.height);
    };
    EXPECT_EQ(size(1200, 900), QSize(328, 246));
    EXPECT_EQ(size(900, 1200), QSize(246, 328));
    EXPECT_EQ(size(500, 500), QSize(328, 328));
    EXPECT_EQ(size(1, 1), QSize(328, 328));
    // 1967/6 x 9/281 is exactly 10.5, 1967/6 x 45/281 exactly 52.5.
    EXPECT_EQ(size(281, 9), QSize(328, 10));
    EXPECT_EQ(size(9, 281), QSize(10, 328));
    EXPECT_EQ(size(281, 45), QSize(328, 52));
    // A sliver keeps one pixel.
    EXPECT_EQ(size(4000, 1), QSize(328, 1));
    EXPECT_EQ(size(1, 4000), QSize(1, 328));

    const std::pair<double, int> halves[] = {{0.5, 0},    {1.5, 2},  {2.5, 2},   {2.4999, 2},
                                             {2.5001, 3}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}};
    for (const auto& [value, rounded] : halves)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(40000), 32767);
    EXPECT_EQ(roundToInt16(-40000), -32768);
}

TEST(PreviewGeometry, DrawingStartsCentredInTheLongSidesSquare) {
    const struct {
        std::int16_t width, height;
        bool preview;
        QPoint at;
    } cases[] = {
        {328, 246, true, {0, 41}}, {246, 328, true, {41, 0}}, {328, 328, true, {0, 0}},
        {328, 247, true, {0, 40}}, {328, 1, true, {0, 163}},  {1, 328, true, {163, 0}},
        {40, 30, false, {0, 0}},   {30, 40, false, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(drawingOrigin(c.width, c.height, c.preview), c.at)
            << c.width << " x " << c.height << (c.preview ? " preview" : "");
}

TEST(SamplePositions, AddUpInSinglePrecisionUpToTheLastPixel) {
    EXPECT_EQ(samplePositions(1200, 40).size(), 40u);
    EXPECT_EQ(samplePositions(900, 246).size(), 246u);
    // Enlarging ends short: 10 pixels in quarters reach 9 after 37 steps.
    const std::vector<float> up = samplePositions(10, 40);
    ASSERT_EQ(up.size(), 37u);
    EXPECT_EQ(up.back(), 9.0f);
    const float column164 = samplePositions(1200, 328)[164];
    EXPECT_LT(column164, 600.0f);
    EXPECT_GT(column164, 599.99f);
    EXPECT_TRUE(samplePositions(100, 0).empty());
}

TEST_F(Scaler, DrawsOneSourcePixelPerTargetPixelWhereTheDesignSays) {
    const struct {
        QImage picture;
        std::int16_t width, height;
        bool preview;
        QPoint at;                                      // where the drawing starts in the target
        std::vector<std::pair<QPoint, QPoint>> anchors; // target pixel, source pixel
    } cases[] = {
        // Rows 41 to 286; the column at 164 x 1200/328 = 600 lands just below 600.
        {coordinatePicture(1200, 900),
         328,
         246,
         true,
         {0, 41},
         {{{164, 41}, {599, 0}}, {{0, 205}, {0, 599}}}},
        {coordinatePicture(900, 1200), 246, 328, true, {41, 0}, {{{40, 0}, {-1, -1}}}},
        {coordinatePicture(500, 500), 328, 328, true, {0, 0}, {{{328, 328}, {-1, -1}}}},
        // 328 - 247 = 81: the offset 40.5 lands on row 40, 163.5 on 163.
        {coordinatePicture(1200, 900), 328, 247, true, {0, 40}, {}},
        {coordinatePicture(1000, 1), 328, 1, true, {0, 163}, {{{5, 164}, {-1, -1}}}},
        {noise(1000, 3, 7), 328, 1, true, {0, 163}, {}},
        {noise(640, 640, 7), 328, 328, true, {0, 0}, {}},
        // Plain mode draws over what the target showed.
        {coordinatePicture(1200, 900), 40, 30, false, {0, 0}, {{{39, 29}, {1170, 870}}}},
        {noise(2001, 1499, 1), 40, 30, false, {0, 0}, {}},
        {noise(97, 61, 2), 40, 30, false, {0, 0}, {}},
        // Enlarged in quarter steps: 37 columns and 17 rows, the rest left alone.
        {coordinatePicture(10, 5),
         40,
         20,
         false,
         {0, 0},
         {{{36, 16}, {9, 4}}, {{37, 0}, {-1, -1}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << " x " << c.picture.height()
                                        << " as " << c.width << " x " << c.height);
        source->setPicture(c.picture);
        QImage under(329, 329, QImage::Format_RGB32);
        under.fill(colourFromValue(kBackground));
        if (!c.preview) {
            target->place(QRect(0, 0, c.width, c.height));
            target->surface().fill(QColor(9, 9, 9));
            under = target->Image();
        }
        const QImage expected = reference(c.picture, c.width, c.height, c.at, under);
        thumbnail(c.width, c.height, *source, *target, c.preview, env);
        EXPECT_EQ(target->Image(), expected);
        EXPECT_EQ(target->Picture(), target->Image());
        for (const auto& [at, from] : c.anchors)
            EXPECT_EQ(target->Image().pixel(at),
                      from.x() < 0 ? under.pixel(at) : c.picture.pixel(from));

        const Samples samples = samplePicture(c.picture, c.picture.size(), {}, c.width, c.height);
        EXPECT_EQ(samples.trueSize, c.picture.size());
        EXPECT_EQ(placed(samples, under, c.at), expected);
        if (!c.preview) {
            target->surface() = under.copy();
            drawPlainThumbnail(samples, c.width, c.height, *target);
            EXPECT_EQ(target->Image(), expected);
            EXPECT_EQ(target->Picture(), expected);
        }
    }
}

TEST_F(Scaler, AKeptPictureIsSampledWhereTheFullOneWould) {
    // The loader holds only the preview's and the thumbnail's pixels of a
    // picture whose sides do not divide evenly.
    const QImage full = noise(1001, 751, 5);
    const SampleGrid kept = previewGrid(full.size());
    EXPECT_EQ(kept, joined(sampledGrid(full.size(), 328, 246), sampledGrid(full.size(), 40, 30)));
    EXPECT_LE(kept.columns.size(), 328u + 40u);
    const QImage pixels = patternPicture(static_cast<int>(kept.columns.size()),
                                         static_cast<int>(kept.rows.size()), [&](int i, int j) {
                                             return full.pixel(kept.columns[std::size_t(i)],
                                                               kept.rows[std::size_t(j)]);
                                         });
    source->setPicture(pixels, full.size(), kept);
    QImage square(329, 329, QImage::Format_RGB32);
    square.fill(colourFromValue(kBackground));
    thumbnail(328, 246, *source, *target, true, env);
    EXPECT_EQ(target->Image(), reference(full, 328, 246, QPoint(0, 41), square));

    target->place(QRect(0, 0, 40, 30));
    target->surface().fill(QColor(9, 9, 9));
    const QImage under = target->Image();
    thumbnail(40, 30, *source, *target, false, env);
    EXPECT_EQ(target->Image(), reference(full, 40, 30, QPoint(0, 0), under));
}

TEST_F(Scaler, PreviewSizesTargetAndMakesTheDrawingItsPicture) {
    target->place(QRect(216, 112, 40, 30));
    target->setPicture(QImage());
    target->hide();
    list->setEnabled(true);
    source->setPicture(coordinatePicture(120, 90));
    thumbnail(328, 246, *source, *target, true, env);
    EXPECT_EQ(target->size(), QSize(329, 329));
    EXPECT_EQ(target->ScaleWidth(), 329);
    EXPECT_EQ(target->ScaleHeight(), 329);
    EXPECT_FALSE(target->isHidden());
    EXPECT_TRUE(list->isEnabled());
    EXPECT_TRUE(bar->isHidden());
    ASSERT_TRUE(target->hasPicture());
    // The picture survives clearing the drawing.
    const QImage drawn = target->Image();
    target->Cls();
    EXPECT_EQ(target->Image(), drawn);
}

TEST_F(Scaler, PreviewReportsEveryRowOnTheProgressBar) {
    struct Step {
        int value;
        int maximum;
        bool barShown;
        bool targetHidden;
        bool listEnabled;
    };
    std::vector<Step> steps;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        steps.push_back(
            {value, bar->maximum(), !bar->isHidden(), target->isHidden(), list->isEnabled()});
    });
    source->setPicture(coordinatePicture(1200, 900));
    thumbnail(328, 246, *source, *target, true, env);

    std::vector<int> want{1};
    for (float sy = 0; sy <= 899; sy += 900.0f / 246)
        want.push_back(static_cast<int>(std::nearbyint(sy)));
    ASSERT_EQ(steps.size(), want.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].value, want[i]) << "step " << i;
        EXPECT_EQ(steps[i].maximum, i == 0 ? 100 : 899) << "step " << i;
        EXPECT_TRUE(steps[i].barShown);
        // The bar starts before the target is hidden.
        EXPECT_EQ(steps[i].targetHidden, i != 0) << "step " << i;
        EXPECT_FALSE(steps[i].listEnabled);
    }
    EXPECT_TRUE(bar->isHidden());

    // Plain mode and a size of zero leave the bar alone; zero draws nothing.
    steps.clear();
    thumbnail(40, 30, *source, *target, false, env);
    EXPECT_TRUE(steps.empty());
    const QImage before = target->Image();
    thumbnail(0, 30, *source, *target, false, env);
    thumbnail(40, 0, *source, *target, true, env);
    EXPECT_EQ(target->Image(), before);
    EXPECT_TRUE(steps.empty());
    EXPECT_TRUE(list->isEnabled());
}

TEST_F(Scaler, FileListGetsTheFocusBackWhenItHadIt) {
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    window.show();
    list->setFocus();
    ASSERT_EQ(window.focusWidget(), list);
    source->setPicture(coordinatePicture(100, 100));
    thumbnail(40, 30, *source, *target, false, env);
    EXPECT_EQ(window.focusWidget(), list);

    other->setFocus();
    thumbnail(40, 30, *source, *target, false, env);
    EXPECT_EQ(window.focusWidget(), other);
}

// A photo keeps its shape in a box of another: the largest drawing that
// fits, centred; a photo of the box's shape fills it as before.
TEST(FittedInABox, SizeAndPlace) {
    const struct {
        QSize picture;
        QSize box;
        QSize drawn;
        QPoint at;
    } cases[] = {
        {{1200, 900}, {40, 30}, {40, 30}, {0, 0}},   {{4032, 3024}, {40, 30}, {40, 30}, {0, 0}},
        {{1001, 751}, {40, 30}, {40, 30}, {0, 0}},   {{6000, 4000}, {40, 30}, {40, 27}, {0, 1}},
        {{90, 120}, {40, 30}, {22, 30}, {9, 0}},     {{3000, 4000}, {40, 30}, {22, 30}, {9, 0}},
        {{10000, 10}, {40, 30}, {40, 1}, {0, 14}},   {{1200, 900}, {113, 89}, {113, 85}, {0, 2}},
        {{900, 1200}, {113, 89}, {67, 89}, {23, 0}}, {{0, 0}, {40, 30}, {40, 30}, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fittedSize(c.picture, c.box), c.drawn)
            << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(fittedOrigin(c.picture, c.box), c.at)
            << c.picture.width() << "x" << c.picture.height();
    }
    // Sampled at the fitted size, drawn on white.
    const QImage portrait = noise(90, 120, 3);
    const Samples samples = sampleFitted(portrait, portrait.size(), {}, QSize(40, 30));
    ASSERT_EQ(samples.block.size(), QSize(22, 30));
    const QImage drawn = fittedDrawing(samples, QSize(40, 30));
    const QImage want = reference(portrait, 22, 30, {9, 0}, QImage(40, 30, QImage::Format_RGB32));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(drawn.pixel(x, y), x < 9 || x >= 31 ? qRgb(255, 255, 255) : want.pixel(x, y))
                << x << "," << y;
}
