#include "filelist.h"
#include "picturebox.h"
#include "previewgeometry.h"
#include "sampling.h"
#include "testpictures.h"
#include "thumbnail.h"

#include <QProgressBar>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kBackground = 0x00204060;

// A picture whose pixels never repeat along either side.
QImage noise(int width, int height, unsigned seed) {
    return patternPicture(width, height, [seed](int x, int y) {
        const unsigned v = (static_cast<unsigned>(x) * 2654435761u) ^
                           (static_cast<unsigned>(y) * 40503u) ^ (seed * 97u);
        return qRgb(static_cast<int>(v & 255), static_cast<int>((v >> 8) & 255),
                    static_cast<int>((v >> 16) & 255));
    });
}

// The nearest-to-top-left reduction a scaled decode stands for.
QImage reduced(const QImage& full, int factor) {
    return patternPicture((full.width() + factor - 1) / factor,
                          (full.height() + factor - 1) / factor,
                          [&](int i, int j) { return full.pixel(factor * i, factor * j); });
}

// The scaler as it reads and writes one pixel at a time through the boxes:
// float positions and steps, Point on the source, PSet on the target.
void pixelByPixel(std::int16_t width, std::int16_t height, PictureBox& source, PictureBox& target,
                  bool preview) {
    const float w = width;
    const float h = height;
    const float W = static_cast<float>(source.ScaleWidth());
    const float H = static_cast<float>(source.ScaleHeight());
    float dx = 0;
    float dy = 0;
    if (preview && w > h)
        dy = w - h;
    if (preview && h > w)
        dx = h - w;
    const double halfDx = static_cast<double>(dx) / 2;
    const double halfDy = static_cast<double>(dy) / 2;
    int r = 0;
    for (float sy = 0; sy <= H - 1; sy += H / h, ++r) {
        int c = 0;
        for (float sx = 0; sx <= W - 1; sx += W / w, ++c)
            target.PSet(static_cast<float>(halfDx + c), static_cast<float>(halfDy + r),
                        source.Point(sx, sy));
    }
}

// The scaler's loader and target as the main window has them.
struct Scaler : ::testing::Test {
    QWidget window;
    PictureBox* source = new PictureBox(&window);
    PictureBox* target = new PictureBox(&window);
    FileList* list = new FileList(&window);
    QProgressBar* bar = new QProgressBar(&window);

    Scaler() {
        source->setAutoSize(true);
        source->hide();
        target->place(QRect(0, 0, 329, 329));
        target->setBackColor(kBackground);
        bar->hide();
    }

    // What thumbnail() leaves in the target for the loader's picture.
    QImage drawn(std::int16_t width, std::int16_t height, bool preview) {
        thumbnail(width, height, *source, *target, preview, {*list, *bar});
        return target->Image();
    }

    // The samples drawn where thumbnail() draws them, on what the target showed.
    static QImage placed(const Samples& samples, const QImage& under, QPoint at) {
        QImage out = under.copy();
        for (int y = 0; y < samples.block.height(); ++y)
            for (int x = 0; x < samples.block.width(); ++x)
                if (out.rect().contains(at + QPoint(x, y)))
                    out.setPixel(at + QPoint(x, y), samples.block.pixel(x, y));
        return out;
    }
};

} // namespace

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

TEST_F(Scaler, SamplerDrawsExactlyWhatThumbnailDraws) {
    struct Case {
        int w, h;
        std::int16_t width, height;
    };
    for (const Case& c : {Case{1200, 900, 40, 30}, Case{900, 1200, 40, 30}, Case{97, 61, 40, 30},
                          Case{2001, 1499, 40, 30}, Case{37, 23, 40, 30}}) {
        const QImage picture = noise(c.w, c.h, static_cast<unsigned>(c.w));
        source->setPicture(picture);
        target->place(QRect(0, 0, 40, 30));
        target->surface().fill(QColor(1, 2, 3));
        const QImage before = target->Image();
        PictureBox expected;
        expected.place(QRect(0, 0, 40, 30));
        expected.surface() = before.copy();
        pixelByPixel(c.width, c.height, *source, expected, false);
        const Samples samples = samplePicture(picture, picture.size(), c.width, c.height);
        EXPECT_EQ(placed(samples, before, QPoint(0, 0)), expected.Image()) << c.w << " x " << c.h;
        EXPECT_EQ(drawn(c.width, c.height, false), expected.Image()) << c.w << " x " << c.h;
        EXPECT_EQ(samples.trueSize, picture.size());
    }
}

TEST_F(Scaler, SamplerDrawsExactlyWhatThePreviewDraws) {
    for (const QSize size : {QSize(1200, 900), QSize(900, 1200), QSize(640, 640), QSize(1000, 3)}) {
        const QImage picture = noise(size.width(), size.height(), 7);
        source->setPicture(picture);
        const PreviewSize p = previewSize(size.width(), size.height());
        QImage square(329, 329, QImage::Format_RGB32);
        square.fill(colourFromValue(kBackground));
        const QPoint at(p.height > p.width ? (p.height - p.width) / 2 : 0,
                        p.width > p.height ? (p.width - p.height) / 2 : 0);
        PictureBox expected;
        expected.place(QRect(0, 0, 329, 329));
        expected.surface() = square.copy();
        pixelByPixel(p.width, p.height, *source, expected, true);
        EXPECT_EQ(placed(samplePicture(picture, size, p.width, p.height), square, at),
                  expected.Image())
            << size.width() << " x " << size.height();
        EXPECT_EQ(drawn(p.width, p.height, true), expected.Image())
            << size.width() << " x " << size.height();
    }
}

TEST_F(Scaler, AReducedPictureIsSampledInTrueCoordinates) {
    const QImage full = noise(1600, 1200, 3);
    const QImage eighth = reduced(full, 8);
    // 1600 / 40 = 40 = 5 x 8: every sample lands on a pixel the reduction kept.
    EXPECT_EQ(samplePicture(eighth, full.size(), 40, 30).block,
              samplePicture(full, full.size(), 40, 30).block);

    // Through the loader, which reports the true size.
    source->setPicture(eighth, full.size());
    target->place(QRect(0, 0, 40, 30));
    EXPECT_EQ(drawn(40, 30, false), samplePicture(full, full.size(), 40, 30).block);

    // The preview of a picture that does not divide evenly: 1001 x 751 held in
    // 126 x 94 is read at floor(x * 126 / 1001), never past its last pixel.
    const QImage odd = noise(1001, 751, 5);
    const QImage oddEighth = reduced(odd, 8);
    const Samples samples = samplePicture(oddEighth, odd.size(), 328, 246);
    ASSERT_EQ(samples.block.size(), QSize(328, 246));
    const std::vector<float> xs = samplePositions(1001, 328);
    const std::vector<float> ys = samplePositions(751, 246);
    for (int j = 0; j < 246; j += 7)
        for (int i = 0; i < 328; i += 5)
            ASSERT_EQ(samples.block.pixel(i, j),
                      oddEighth.pixel(scaledPixel(xs[static_cast<std::size_t>(i)], 126, 1001),
                                      scaledPixel(ys[static_cast<std::size_t>(j)], 94, 751)))
                << i << "," << j;
    source->setPicture(oddEighth, odd.size());
    QImage square(329, 329, QImage::Format_RGB32);
    square.fill(colourFromValue(kBackground));
    PictureBox expected;
    expected.place(QRect(0, 0, 329, 329));
    expected.surface() = square.copy();
    pixelByPixel(328, 246, *source, expected, true);
    EXPECT_EQ(placed(samples, square, QPoint(0, 41)), expected.Image());
    EXPECT_EQ(drawn(328, 246, true), expected.Image());
}

TEST_F(Scaler, SamplesDrawnLaterKeepWhatTheTargetShowedBeyondThem) {
    // A small picture is enlarged and ends short, over the last thumbnail.
    target->place(QRect(0, 0, 40, 30));
    target->surface().fill(QColor(9, 9, 9));
    const QImage small = noise(12, 8, 1);
    const Samples samples = samplePicture(small, small.size(), 40, 30);
    EXPECT_EQ(samples.block.size(), QSize(37, 27));
    const QImage before = target->Image();
    drawPlainThumbnail(samples, 40, 30, *target);
    EXPECT_EQ(target->Image(), placed(samples, before, QPoint(0, 0)));
    EXPECT_EQ(target->Picture(), target->Image());
    EXPECT_EQ(target->Image().pixel(39, 29), qRgb(9, 9, 9));
}
