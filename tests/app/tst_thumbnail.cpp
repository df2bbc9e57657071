#include "filelist.h"
#include "picturebox.h"
#include "previewgeometry.h"
#include "rounding.h"
#include "testpictures.h"
#include "thumbnail.h"

#include <QProgressBar>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr std::int32_t kBackground = 0x00204060;
constexpr std::int32_t kMarker = 0x000A0B0C;

// The source positions a scaler with single-precision steps samples along one
// side: 0, step, 2 x step, ... added up in float, up to the last pixel.
std::vector<float> floatPositions(int sourceSize, int targetSize) {
    std::vector<float> out;
    const float step = static_cast<float>(sourceSize) / static_cast<float>(targetSize);
    for (float s = 0; s <= static_cast<float>(sourceSize) - 1; s += step)
        out.push_back(s);
    return out;
}

std::vector<int> floatSamples(int sourceSize, int targetSize) {
    std::vector<int> out;
    for (float s : floatPositions(sourceSize, targetSize))
        out.push_back(static_cast<int>(s));
    return out;
}

// The colour coordinatePicture gives the pixel (x, y), as Point reports it.
std::int32_t coordinate(int x, int y) {
    return colourValue(qRgb(x % 256, y % 256, (x / 256) * 16 + (y / 256)));
}

// Loader, target, file list and progress bar as the main window has them.
struct Scaler : ::testing::Test {
    QWidget window;
    PictureBox* source = new PictureBox(&window);
    PictureBox* target = new PictureBox(&window);
    FileList* list = new FileList(&window);
    QProgressBar* bar = new QProgressBar(&window);
    ThumbnailEnv env{*list, *bar};

    Scaler() {
        window.resize(830, 545);
        source->setAutoSize(true);
        source->hide();
        target->place(QRect(216, 112, 329, 329));
        target->setBackColor(kBackground);
        bar->setRange(0, 100);
        bar->hide();
    }

    void load(const QImage& picture) { source->setPicture(picture); }

    // Checks the preview square: the picture drawn at (left, top) from the
    // float-accumulated samples, the target's background everywhere else.
    void expectPreview(int pictureW, int pictureH, int drawnW, int drawnH, int left, int top) {
        const std::vector<int> xs = floatSamples(pictureW, drawnW);
        const std::vector<int> ys = floatSamples(pictureH, drawnH);
        ASSERT_EQ(static_cast<int>(xs.size()), drawnW);
        ASSERT_EQ(static_cast<int>(ys.size()), drawnH);
        ASSERT_EQ(target->Image().size(), QSize(329, 329));
        int wrong = 0;
        for (int y = 0; y < 329; ++y) {
            for (int x = 0; x < 329; ++x) {
                const bool inside = x >= left && x < left + drawnW && y >= top && y < top + drawnH;
                const std::int32_t want = inside
                                              ? coordinate(xs[static_cast<std::size_t>(x - left)],
                                                           ys[static_cast<std::size_t>(y - top)])
                                              : kBackground;
                if (target->Point(x, y) != want && ++wrong < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << target->Point(x, y)
                                  << ", expected " << want;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
};

TEST(PreviewSize, LongSideIs328AndShortSideInProportion) {
    const auto size = [](int w, int h) {
        const PreviewSize s = previewSize(w, h);
        return QSize(s.width, s.height);
    };
    EXPECT_EQ(size(1200, 900), QSize(328, 246));
    EXPECT_EQ(size(900, 1200), QSize(246, 328));
    EXPECT_EQ(size(500, 500), QSize(328, 328));
    EXPECT_EQ(size(1, 1), QSize(328, 328));
    // 1967/6 x 9/281 is exactly 10.5, 1967/6 x 45/281 exactly 52.5: halves
    // go to the even neighbour, on both sides.
    EXPECT_EQ(size(281, 9), QSize(328, 10));
    EXPECT_EQ(size(9, 281), QSize(10, 328));
    EXPECT_EQ(size(281, 45), QSize(328, 52));
}

TEST(PreviewSize, ASliverKeepsOnePixel) {
    const PreviewSize flat = previewSize(4000, 1);
    EXPECT_EQ(flat.width, 328);
    EXPECT_EQ(flat.height, 1);
    const PreviewSize narrow = previewSize(1, 4000);
    EXPECT_EQ(narrow.width, 1);
    EXPECT_EQ(narrow.height, 328);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(40000), 32767);
    EXPECT_EQ(roundToInt16(-40000), -32768);
}

TEST_F(Scaler, WidePictureFillsRows41To286) {
    load(coordinatePicture(1200, 900));
    thumbnail(328, 246, *source, *target, true, env);
    expectPreview(1200, 900, 328, 246, 0, 41);
    // Steps add up in single precision: the column at 164 x 1200/328 = 600
    // lands just below 600.
    EXPECT_EQ(target->Point(164, 41), coordinate(599, 0));
    EXPECT_EQ(target->Point(0, 41 + 164), coordinate(0, 599));
}

TEST_F(Scaler, TallPictureFillsColumns41To286) {
    load(coordinatePicture(900, 1200));
    thumbnail(246, 328, *source, *target, true, env);
    expectPreview(900, 1200, 246, 328, 41, 0);
}

TEST_F(Scaler, SquarePictureFillsTheSquareBut328) {
    load(coordinatePicture(500, 500));
    thumbnail(328, 328, *source, *target, true, env);
    expectPreview(500, 500, 328, 328, 0, 0);
}

TEST_F(Scaler, OddDifferenceCentresOnTheTruncatedHalf) {
    // 328 - 247 = 81: the offset 40.5 lands on row 40.
    load(coordinatePicture(1200, 900));
    thumbnail(328, 247, *source, *target, true, env);
    expectPreview(1200, 900, 328, 247, 0, 40);
}

TEST_F(Scaler, PreviewSizesTargetAndMakesTheDrawingItsPicture) {
    target->place(QRect(216, 112, 40, 30));
    target->setPicture(QImage());
    target->hide();
    list->setEnabled(true);
    load(coordinatePicture(120, 90));
    thumbnail(328, 246, *source, *target, true, env);
    EXPECT_EQ(target->size(), QSize(329, 329));
    EXPECT_EQ(target->ScaleWidth(), 329);
    EXPECT_EQ(target->ScaleHeight(), 329);
    EXPECT_FALSE(target->isHidden());
    EXPECT_TRUE(list->isEnabled());
    EXPECT_TRUE(bar->isHidden());
    ASSERT_TRUE(target->hasPicture());
    EXPECT_EQ(target->Picture(), target->Image());
    // The picture survives clearing the drawing.
    target->Cls();
    EXPECT_EQ(target->Point(0, 41), coordinate(0, 0));
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
    load(coordinatePicture(1200, 900));
    thumbnail(328, 246, *source, *target, true, env);

    std::vector<int> want{1};
    for (float sy : floatPositions(900, 246))
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
}

TEST_F(Scaler, PlainModeTakesEveryThirtiethPixel) {
    QObject::connect(bar, &QProgressBar::valueChanged,
                     [](int) { ADD_FAILURE() << "plain mode moved the progress bar"; });
    load(coordinatePicture(1200, 900));
    thumbnail(40, 30, *source, *target, false, env);
    ASSERT_EQ(target->Image().size(), QSize(40, 30));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(target->Point(x, y), coordinate(30 * x, 30 * y)) << x << "," << y;
    EXPECT_EQ(target->Picture(), target->Image());
    EXPECT_FALSE(target->isHidden());
    EXPECT_TRUE(bar->isHidden());
}

TEST_F(Scaler, SmallSourceIsEnlargedAndEndsShortLeavingTheRestAlone) {
    // 10 x 5 to 40 x 20: steps of 1/4, so 37 columns (0 to 9 by quarters)
    // and 17 rows, each source pixel repeated four times.
    target->place(QRect(0, 0, 40, 20));
    target->surface().fill(QColor(0x0C, 0x0B, 0x0A));
    load(coordinatePicture(10, 5));
    thumbnail(40, 20, *source, *target, false, env);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const std::int32_t want = x < 37 && y < 17 ? coordinate(x / 4, y / 4) : kMarker;
            ASSERT_EQ(target->Point(x, y), want) << x << "," << y;
        }
    }
}

TEST_F(Scaler, PictureOnePixelHighDrawsOneRow) {
    load(coordinatePicture(1000, 1));
    const PreviewSize size = previewSize(1000, 1);
    thumbnail(size.width, size.height, *source, *target, true, env);
    // Offset (328 - 1) / 2 = 163.5, truncated.
    expectPreview(1000, 1, 328, 1, 0, 163);
    EXPECT_TRUE(bar->isHidden());
}

TEST_F(Scaler, ZeroSizeDrawsNothing) {
    load(coordinatePicture(100, 100));
    target->surface().fill(QColor(0x0C, 0x0B, 0x0A));
    const QImage before = target->Image();
    thumbnail(0, 30, *source, *target, false, env);
    thumbnail(40, 0, *source, *target, true, env);
    EXPECT_EQ(target->Image(), before);
    EXPECT_TRUE(list->isEnabled());
    EXPECT_TRUE(bar->isHidden());
}

TEST_F(Scaler, FileListGetsTheFocusBackWhenItHadIt) {
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    window.show();
    list->setFocus();
    ASSERT_EQ(window.focusWidget(), list);
    load(coordinatePicture(100, 100));
    thumbnail(40, 30, *source, *target, false, env);
    EXPECT_EQ(window.focusWidget(), list);

    other->setFocus();
    thumbnail(40, 30, *source, *target, false, env);
    EXPECT_EQ(window.focusWidget(), other);
}

} // namespace
