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

Framing whole(QSize, PrintSize) {
    return {FramingMode::Whole};
}

// Paper shapes, turning with the photo, the cut moved along the free axis,
// made smaller and larger, kept inside the photo, and the whole photo's
// borders: each in whole pixels of the photo.
TEST(Framing, CutsAndBordersInWholePixels) {
    const struct {
        const char* what;
        QSize photo;
        const char* size;
        Op framing;
        QRect cut;          // for a fill
        WholeOnPaper paper; // for a whole photo
        const char* text;
    } cases[] = {
        {"4:3 at 10x15, the lab's cut",
         {4000, 3000},
         "10x15",
         plain,
         {0, 166, 4000, 2667},
         {},
         "677 ppi, sharp; 11 % cut off, the cut chosen"},
        {"portrait on portrait paper",
         {3000, 4000},
         "10x15",
         plain,
         {166, 0, 2667, 4000},
         {},
         "677 ppi, sharp; 11 % cut off, the cut chosen"},
        {"typed 9x13",
         {4000, 3000},
         "9x13",
         plain,
         {0, 116, 4000, 2769},
         {},
         "781 ppi, sharp; 8 % cut off, the cut chosen"},
        {"panorama at 50x75",
         {6000, 2000},
         "50x75",
         plain,
         {1500, 0, 3000, 2000},
         {},
         "101 ppi, low; 50 % cut off, the cut chosen"},
        {"square takes the paper wide",
         {3000, 3000},
         "15x10",
         plain,
         {0, 500, 3000, 2000},
         {},
         "508 ppi, sharp; 33 % cut off, the cut chosen"},
        {"moved to the top",
         {4000, 3000},
         "10x15",
         moved(plain, {0, -1000}),
         {0, 0, 4000, 2667},
         {},
         "677 ppi, sharp; 11 % cut off, the cut chosen"},
        {"moved past the bottom",
         {4000, 3000},
         "10x15",
         moved(plain, {0, 5000}),
         {0, 333, 4000, 2667},
         {},
         "677 ppi, sharp; 11 % cut off, the cut chosen"},
        {"the full axis does not move",
         {4000, 3000},
         "10x15",
         moved(plain, {500, 0}),
         {0, 166, 4000, 2667},
         {},
         "677 ppi, sharp; 11 % cut off, the cut chosen"},
        {"half the side",
         {4000, 3000},
         "10x15",
         resized(plain, 0.5),
         {1000, 834, 2000, 1333},
         {},
         "338 ppi, sharp; 78 % cut off, the cut chosen"},
        {"never below a tenth",
         {4000, 3000},
         "10x15",
         resized(plain, 0.01),
         {1800, 1366, 400, 267},
         {},
         "67 ppi, low; 99 % cut off, the cut chosen"},
        {"never past the largest",
         {4000, 3000},
         "10x15",
         resized(resized(plain, 0.5), 3),
         {0, 166, 4000, 2667},
         {},
         "677 ppi, sharp; 11 % cut off, the cut chosen"},
        {"small cut in a corner moves freely",
         {4000, 3000},
         "10x15",
         moved(resized(plain, 0.5), {-5000, -5000}),
         {0, 0, 2000, 1333},
         {},
         "338 ppi, sharp; 78 % cut off, the cut chosen"},
        {"grown in a corner stays inside",
         {4000, 3000},
         "10x15",
         resized(moved(resized(plain, 0.5), {-5000, -5000}), 2),
         {0, 0, 4000, 2667},
         {},
         "677 ppi, sharp; 11 % cut off, the cut chosen"},
        {"centred again at its size",
         {4000, 3000},
         "10x15",
         centred(moved(resized(plain, 0.5), {-5000, -5000})),
         {1000, 834, 2000, 1333},
         {},
         "338 ppi, sharp; 78 % cut off, the cut chosen"},
        {"whole 4:3, borders left and right",
         {4000, 3000},
         "10x15",
         whole,
         {},
         {{4500, 3000}, {250, 0}},
         "762 ppi, sharp; whole photo, 0.8 cm borders"},
        {"whole portrait on portrait paper",
         {3000, 4000},
         "10x15",
         whole,
         {},
         {{3000, 4500}, {0, 250}},
         "762 ppi, sharp; whole photo, 0.8 cm borders"},
        {"whole panorama, borders top and bottom",
         {6000, 2000},
         "10x15",
         whole,
         {},
         {{6000, 4000}, {0, 1000}},
         "1016 ppi, sharp; whole photo, 2.5 cm borders"},
        {"whole 3:2 needs no border",
         {4500, 3000},
         "15x10",
         whole,
         {},
         {{4500, 3000}, {0, 0}},
         "762 ppi, sharp; whole photo, 0.0 cm borders"},
    };
    for (const auto& c : cases) {
        const std::optional<PrintSize> print = paperShape(QString::fromLatin1(c.size));
        ASSERT_TRUE(print) << c.what;
        const Framing framing = c.framing(c.photo, *print);
        if (framing.mode == FramingMode::Fill)
            EXPECT_EQ(fillCut(c.photo, *print, framing), c.cut) << c.what;
        else
            EXPECT_EQ(wholeOnPaper(c.photo, *print), c.paper) << c.what;
        EXPECT_EQ(framedFitText(framedFit(c.photo, *print, framing), framing),
                  QString::fromLatin1(c.text))
            << c.what;
    }
    EXPECT_FALSE(paperShape(QStringLiteral("A4")));
    EXPECT_TRUE(Framing{}.isDefault());
    EXPECT_FALSE(centredCut(Framing{FramingMode::Whole}).isDefault());
}

} // namespace
