#include "selection/order/framing.h"
#include "tests/support/qtprinters.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Op = std::function<Framing(QSize, PrintSize)>;

Framing plain(QSize, PrintSize) {
    return {};
}

Op moved(Op before, QPoint by) {
    return [=](QSize photo, PrintSize print) {
        return movedCut(before(photo, print), photo, print, by);
    };
}

Op resized(Op before, double factor) {
    return [=](QSize photo, PrintSize print) {
        return resizedCut(before(photo, print), photo, print, factor);
    };
}

Op centred(Op before) {
    return [=](QSize photo, PrintSize print) { return centredCut(before(photo, print)); };
}

Framing wholePhoto(QSize, PrintSize) {
    return {FramingMode::Whole};
}

// Paper shapes, turning with the photo, the cut moved along the free axis,
// made smaller and larger, kept inside the photo, and the whole photo's
// borders: each in whole pixels of the photo. For a whole photo, `placed` is
// the paper with the photo's place on it as its corner.
TEST(Framing, CutsAndBordersInWholePixels) {
    const QString cut = QStringLiteral("%1 ppi, %2; %3 % cut off, the cut chosen");
    const QString whole = QStringLiteral("%1 ppi, sharp; whole photo, %2 cm borders");
    const struct {
        QSize photo;
        const char* size;
        Op framing;
        QRect placed;
        QString text;
    } cases[] = {
        {{4000, 3000}, "10x15", plain, {0, 166, 4000, 2667}, cut.arg(677).arg("sharp").arg(11)},
        {{3000, 4000}, "10x15", plain, {166, 0, 2667, 4000}, cut.arg(677).arg("sharp").arg(11)},
        {{4000, 3000}, "9x13", plain, {0, 116, 4000, 2769}, cut.arg(781).arg("sharp").arg(8)},
        {{6000, 2000}, "50x75", plain, {1500, 0, 3000, 2000}, cut.arg(101).arg("low").arg(50)},
        {{3000, 3000}, "15x10", plain, {0, 500, 3000, 2000}, cut.arg(508).arg("sharp").arg(33)},
        {{4000, 3000},
         "10x15",
         moved(plain, {0, -1000}),
         {0, 0, 4000, 2667},
         cut.arg(677).arg("sharp").arg(11)},
        {{4000, 3000},
         "10x15",
         moved(plain, {500, 5000}),
         {0, 333, 4000, 2667},
         cut.arg(677).arg("sharp").arg(11)},
        {{4000, 3000},
         "10x15",
         resized(plain, 0.5),
         {1000, 834, 2000, 1333},
         cut.arg(338).arg("sharp").arg(78)},
        {{4000, 3000},
         "10x15",
         resized(plain, 0.01),
         {1800, 1366, 400, 267},
         cut.arg(67).arg("low").arg(99)},
        {{4000, 3000},
         "10x15",
         resized(resized(plain, 0.5), 3),
         {0, 166, 4000, 2667},
         cut.arg(677).arg("sharp").arg(11)},
        {{4000, 3000},
         "10x15",
         resized(moved(resized(plain, 0.5), {-5000, -5000}), 2),
         {0, 0, 4000, 2667},
         cut.arg(677).arg("sharp").arg(11)},
        {{4000, 3000},
         "10x15",
         centred(moved(resized(plain, 0.5), {-5000, -5000})),
         {1000, 834, 2000, 1333},
         cut.arg(338).arg("sharp").arg(78)},
        {{4000, 3000}, "10x15", wholePhoto, {250, 0, 4500, 3000}, whole.arg(762).arg("0.8")},
        {{3000, 4000}, "10x15", wholePhoto, {0, 250, 3000, 4500}, whole.arg(762).arg("0.8")},
        {{6000, 2000}, "10x15", wholePhoto, {0, 1000, 6000, 4000}, whole.arg(1016).arg("2.5")},
        {{4500, 3000}, "15x10", wholePhoto, {0, 0, 4500, 3000}, whole.arg(762).arg("0.0")},
    };
    for (const auto& c : cases) {
        const std::string what = QStringLiteral("%1 x %2 at %3: %4")
                                     .arg(c.photo.width())
                                     .arg(c.photo.height())
                                     .arg(c.size, c.text)
                                     .toStdString();
        const std::optional<PrintSize> print = paperShape(QString::fromLatin1(c.size));
        ASSERT_TRUE(print) << what;
        const Framing framing = c.framing(c.photo, *print);
        if (framing.mode == FramingMode::Fill) {
            EXPECT_EQ(fillCut(c.photo, *print, framing), c.placed) << what;
        } else {
            const WholeOnPaper on = wholeOnPaper(c.photo, *print);
            EXPECT_EQ(QRect(on.photoAt, on.paper), c.placed) << what;
        }
        EXPECT_EQ(framedFitText(framedFit(c.photo, *print, framing), framing), c.text) << what;
    }
    EXPECT_FALSE(paperShape(QStringLiteral("A4")));
    EXPECT_TRUE(Framing{}.isDefault());
    EXPECT_FALSE(centredCut(Framing{FramingMode::Whole}).isDefault());
}

} // namespace
