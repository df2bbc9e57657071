#include "app/core/rotation.h"
#include "app/drawing/previewturn.h"
#include "app/progressbarpainter.h"
#include "platform/controls/picturebox.h"
#include "tests/support/testpictures.h"

#include <QProgressBar>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::int32_t kWhiteValue = 0x00FFFFFF;

TEST(TurnPoint, TurnsBySignedQuartersRoundedHalfToEven) {
    const struct {
        std::int16_t angle;
        std::int16_t direction;
        Point16 turned;
        std::int16_t quarters; // written back
    } cases[] = {
        {90, 0, {5, -3}, 1},   {90, 1, {-5, 3}, 1}, {90, 2, {5, 3}, 1},
        {270, -1, {5, 3}, 3}, // other directions only swap
        {135, 0, {-3, -5}, 2}, {45, 0, {3, 5}, 0},  {360, 0, {3, 5}, 4},
    };
    for (const auto& c : cases) {
        Point16 p{3, 5};
        std::int16_t angle = c.angle;
        EXPECT_EQ(&turn_point(p, angle, c.direction), &p);
        EXPECT_EQ(p, c.turned) << c.angle << " " << c.direction;
        EXPECT_EQ(angle, c.quarters) << c.angle << " " << c.direction;
    }
}

TEST(PreviewHelpers, ToLocalAndBackRoundHalvesToEven) {
    const PreviewPlace designed;
    EXPECT_EQ(to_local({0, 0}, designed), (Point16{-216, 112}));
    EXPECT_EQ(to_local({300, 20}, designed), (Point16{84, 92}));
    EXPECT_EQ(to_screen({0, 0}, designed), (Point16{432, 328}));
    EXPECT_EQ(to_screen({10, -20}, designed), (Point16{442, 348}));
    const PreviewPlace place{216.5, 112.5, 329};
    // 0 - 216.5 -> -216, 112.5 - 0 -> 112; 3 - 216.5 = -213.5 -> -214.
    EXPECT_EQ(to_local({0, 0}, place), (Point16{-216, 112}));
    EXPECT_EQ(to_local({3, 1}, place), (Point16{-214, 112}));
    // 216.5 + 328 - 112.5 + 0 = 432; 112.5 + 216.5 - 0 = 329.
    EXPECT_EQ(to_screen({0, 0}, place), (Point16{432, 329}));
}

TEST(PreviewHelpers, TogetherTheyTurnAQuarterClockwise) {
    for (const PreviewPlace place : {PreviewPlace{}, PreviewPlace{40, 7, 329}}) {
        for (const Point16 start : {Point16{0, 0}, Point16{328, 0}, Point16{17, 300}}) {
            Point16 p = to_local(start, place);
            std::int16_t angle = 90;
            turn_point(p, angle, 0);
            p = to_screen(p, place);
            const Point16 inBox{static_cast<std::int16_t>(p.x - place.left),
                                static_cast<std::int16_t>(p.y - place.top)};
            EXPECT_EQ(inBox, (Point16{static_cast<std::int16_t>(328 - start.y), start.x}));
        }
    }
}

// The preview, its back buffer and the progress bar on a window of the
// designed size.
struct Turn : ::testing::Test {
    QWidget window;
    PictureBox* preview = new PictureBox(&window);
    PictureBox* backBuffer = new PictureBox(&window);
    QProgressBar* bar = new QProgressBar(&window);
    ProgressBarPainter painter{*bar};

    Turn() {
        window.resize(830, 545);
        place(216, 112);
        backBuffer->hide();
        bar->hide();
    }

    void place(int left, int top) {
        preview->place(QRect(left, top, 329, 329));
        backBuffer->place(QRect(left, top, 329, 329));
    }

    // A picture with plenty of white in it: every eleventh pixel.
    QImage drawTestPicture() {
        const QImage picture = patternPicture(329, 329, [](int x, int y) {
            return (x + 3 * y) % 11 == 0 ? qRgb(255, 255, 255)
                                         : qRgb(x % 256, y % 256, 100 + x / 256 + 2 * (y / 256));
        });
        preview->PaintPicture(picture, 0, 0);
        return preview->Image();
    }

    RotationEnv env() { return {*preview, painter.progress()}; }
};

TEST_F(Turn, EveryPixelMovesAQuarterClockwiseWhereverThePreviewSits) {
    for (const QPoint at : {QPoint(216, 112), QPoint(30, 9)}) {
        place(at.x(), at.y());
        const QImage before = drawTestPicture();
        rotatePreview(*preview, *backBuffer, painter.progress());
        ASSERT_EQ(preview->Image().size(), QSize(329, 329));
        for (int y = 0; y < 329; ++y)
            for (int x = 0; x < 329; ++x)
                ASSERT_EQ(preview->Point(328 - y, x), colourValue(before.pixel(x, y)))
                    << x << "," << y;
        for (int i = 0; i < 3; ++i)
            rotatePreview(*preview, *backBuffer, painter.progress());
        EXPECT_EQ(preview->Image(), before) << "four turns give every pixel back";
        EXPECT_EQ(preview->size(), QSize(329, 329));
    }
}

TEST_F(Turn, WhitePointsShowTheBackBuffersBackground) {
    backBuffer->setBackColor(0x00C0C0C0);
    const QImage before = drawTestPicture();
    rotate_pict(*preview, *backBuffer, false, env());
    int white = 0;
    for (int y = 0; y < 329; ++y) {
        for (int x = 0; x < 329; ++x) {
            const std::int32_t was = colourValue(before.pixel(x, y));
            const std::int32_t want = was == kWhiteValue ? 0x00C0C0C0 : was;
            white += was == kWhiteValue;
            ASSERT_EQ(preview->Point(328 - y, x), want) << x << "," << y;
        }
    }
    EXPECT_GT(white, 9000);
}

TEST_F(Turn, BackBufferIsClearAndBarHiddenAfterwards) {
    std::vector<std::pair<int, int>> steps; // value, maximum
    QObject::connect(bar, &QProgressBar::valueChanged,
                     [&](int value) { steps.emplace_back(value, bar->maximum()); });
    bool shownWhileTurning = false;
    QObject::connect(bar, &QProgressBar::valueChanged,
                     [&] { shownWhileTurning = shownWhileTurning || !bar->isHidden(); });
    drawTestPicture();
    rotate_pict(*preview, *backBuffer, true, env());

    QImage clear(329, 329, QImage::Format_RGB32);
    clear.fill(Qt::white);
    EXPECT_EQ(backBuffer->Image(), clear);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_TRUE(shownWhileTurning);
    // 1 at the start, then one value per column 0 to 329, the maximum 329.
    ASSERT_EQ(steps.size(), 331u);
    EXPECT_EQ(steps[0], (std::pair<int, int>{1, 100}));
    for (int x = 0; x <= 329; ++x)
        EXPECT_EQ(steps[static_cast<std::size_t>(x) + 1], (std::pair<int, int>{x, 329}));

    // Without the flag the bar stays out.
    steps.clear();
    rotate_pict(*preview, *backBuffer, false, env());
    EXPECT_TRUE(steps.empty());
    EXPECT_TRUE(bar->isHidden());
}

TEST_F(Turn, ThePictureStaysTheUnturnedOne) {
    // The turn changes the drawing only; the box's picture is what the
    // preview drew, so clearing shows it unturned.
    drawTestPicture();
    preview->setPictureFromImage();
    const QImage picture = preview->Picture();
    rotatePreview(*preview, *backBuffer, painter.progress());
    EXPECT_EQ(preview->Picture(), picture);
    EXPECT_NE(preview->Image(), picture);
}

} // namespace
