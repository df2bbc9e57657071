#include "selection/order/ordersummary.h"
#include "selection/order/printfit.h"
#include "tests/support/qtprinters.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(PrintSizeText, NamesAPrintInEveryWrittenForm) {
    const struct {
        const char16_t* text;
        double first;
        double second;
    } named[] = {
        {u"10x15", 10, 15},       {u"13x18", 13, 18},     {u"15x21", 15, 21},
        {u"20x25", 20, 25},       {u"20x30", 20, 30},     {u"30x45", 30, 45},
        {u"15x10", 15, 10},       {u"9,5x13", 9.5, 13},   {u"20.5X30.25", 20.5, 30.25},
        {u"20\u00D730", 20, 30},  {u" 10 x 15 ", 10, 15}, {u"007x010", 7, 10},
        {u"0,5x0.75", 0.5, 0.75},
    };
    for (const auto& c : named) {
        const QString text = QString::fromUtf16(c.text);
        const std::optional<PrintSize> size = parsePrintSize(text);
        ASSERT_TRUE(size) << text.toStdString();
        EXPECT_EQ(size->first, c.first) << text.toStdString();
        EXPECT_EQ(size->second, c.second) << text.toStdString();
    }
}

TEST(PrintSizeText, OtherTextsNameNoPrint) {
    for (const char16_t* text : {u"",        u"10",        u"x15",
                                 u"10x",     u"10x15x20",  u"0x15",
                                 u"10x0",    u"0,0x5",     u"-10x15",
                                 u"10x-15",  u"10x15cm",   u"A4",
                                 u"10.x15",  u".5x15",     u"10;15",
                                 u"1e2x3",   u"10 15",     u"10xx15",
                                 u"10*15",   u"10,5,5x15", u"\u0661\u0660x\u0661\u0665",
                                 u"10\nx15", u"10x15\n",   u"\t10x15"})
        EXPECT_FALSE(parsePrintSize(QString::fromUtf16(text)))
            << QString::fromUtf16(text).toStdString();
}

TEST(PrintRating, BoundariesAndWords) {
    const struct {
        double ppi;
        PrintRating rating;
        int shown;
    } cases[] = {
        {0, PrintRating::Low, 0},           {99.5, PrintRating::Low, 99},
        {149.99, PrintRating::Low, 149},    {150, PrintRating::Good, 150},
        {299.99, PrintRating::Good, 299},   {300, PrintRating::Sharp, 300},
        {677.333, PrintRating::Sharp, 677}, {1e12, PrintRating::Sharp, 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ratePpi(c.ppi), c.rating) << c.ppi;
        EXPECT_EQ(shownPpi(c.ppi), c.shown) << c.ppi;
    }
    EXPECT_EQ(ratingName(PrintRating::Sharp), "sharp");
    EXPECT_EQ(ratingName(PrintRating::Good), "good");
    EXPECT_EQ(ratingName(PrintRating::Low), "low");
}

TEST(PrintFitOfAPhoto, PpiAndCutForEveryOrientation) {
    const struct {
        QSize pixels;
        const char* size;
        double ppi;
        double cut;
        const char* text;
    } cases[] = {
        // 4:3 photos on a 2:3 print, landscape and portrait either way round.
        {{4000, 3000}, "10x15", 677.33333333333337, 1.0 / 9, "677 ppi, sharp; 11 % cut off"},
        {{3000, 4000}, "10x15", 677.33333333333337, 1.0 / 9, "677 ppi, sharp; 11 % cut off"},
        {{4000, 3000}, "15x10", 677.33333333333337, 1.0 / 9, "677 ppi, sharp; 11 % cut off"},
        {{3000, 4000}, "15x10", 677.33333333333337, 1.0 / 9, "677 ppi, sharp; 11 % cut off"},
        // A 3:2 photo fills a 2:3 print exactly.
        {{6000, 4000}, "10x15", 1016, 0, "1016 ppi, sharp; 0 % cut off"},
        // Square photos and square prints.
        {{3000, 3000}, "10x15", 508, 1.0 / 3, "508 ppi, sharp; 33 % cut off"},
        {{3000, 3000}, "20x20", 381, 0, "381 ppi, sharp; 0 % cut off"},
        {{4000, 3000}, "20x20", 381, 0.25, "381 ppi, sharp; 25 % cut off"},
        {{3000, 4000}, "20x20", 381, 0.25, "381 ppi, sharp; 25 % cut off"},
        // A panorama loses half.
        {{6000, 2000}, "10x15", 508, 0.5, "508 ppi, sharp; 50 % cut off"},
        {{4000, 3000}, "20x25", 381, 0.0625, "381 ppi, sharp; 6 % cut off"},
        {{80, 60}, "10x15", 13.546666666666667, 1.0 / 9, "13 ppi, low; 11 % cut off"},
        // Exactly at the limits, from pixels and inches.
        {{900, 600}, "5,08x7,62", 300, 0, "300 ppi, sharp; 0 % cut off"},
        {{899, 600},
         "5,08x7,62",
         299.66666666666669,
         1 - (899.0 / 600) / 1.5,
         "299 ppi, good; 0 % cut off"},
        {{450, 300}, "5.08x7.62", 150, 0, "150 ppi, good; 0 % cut off"},
        {{449, 300},
         "5.08x7.62",
         149.66666666666666,
         1 - (449.0 / 300) / 1.5,
         "149 ppi, low; 0 % cut off"},
    };
    for (const auto& c : cases) {
        const std::optional<PrintSize> print = parsePrintSize(QString::fromLatin1(c.size));
        ASSERT_TRUE(print) << c.size;
        const PrintFit fit = printFit(c.pixels, *print);
        const std::string what = std::to_string(c.pixels.width()) + "x" +
                                 std::to_string(c.pixels.height()) + " at " + c.size;
        EXPECT_DOUBLE_EQ(fit.ppi, c.ppi) << what;
        EXPECT_DOUBLE_EQ(fit.cutShare, c.cut) << what;
        EXPECT_EQ(fitText(fit), QString::fromLatin1(c.text)) << what;
    }
}

TEST(PrintedPart, CentredInTheStretchedBox) {
    const QSize box(113, 89); // the row editor's picture box
    const struct {
        QSize pixels;
        const char* size;
        QRect part;
    } cases[] = {
        {{4000, 3000}, "10x15", {0, 5, 113, 79}},  // 79.11 rows kept
        {{3000, 4000}, "10x15", {6, 0, 100, 89}},  // 100.44 columns kept
        {{4000, 3000}, "15x10", {0, 5, 113, 79}},  // the print turns with the photo
        {{3000, 3000}, "10x15", {0, 15, 113, 59}}, // 59.33
        {{4000, 3000}, "20x20", {14, 0, 85, 89}},  // 84.75
        {{4000, 3000}, "13x18", {0, 1, 113, 86}},  // 85.70
        {{6000, 4000}, "10x15", {0, 0, 113, 89}},  // nothing cut
        {{0, 0}, "10x15", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printedPart(c.pixels, *parsePrintSize(QString::fromLatin1(c.size)), box), c.part)
            << c.pixels.width() << "x" << c.pixels.height() << " at " << c.size;
}

TEST(WholeCopies, DigitsOnly) {
    const struct {
        const char16_t* text;
        std::optional<qint64> copies;
    } cases[] = {
        {u"0", 0},
        {u"1", 1},
        {u"10", 10},
        {u"007", 7},
        {u"", std::nullopt},
        {u" 1", std::nullopt},
        {u"1.5", std::nullopt},
        {u"2,0", std::nullopt},
        {u"-1", std::nullopt},
        {u"+1", std::nullopt},
        {u"1e3", std::nullopt},
        {u"two", std::nullopt},
        {u"\u0663", std::nullopt},
        {u"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wholeCopies(QString::fromUtf16(c.text)), c.copies)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(RowTip, PathPixelsAndFit) {
    EXPECT_EQ(rowTip({"/home/ana/Pictures/2024/beach.jpg", "1", "10x15", {4000, 3000}, false}),
              "/home/ana/Pictures/2024/beach.jpg - 4000 x 3000 pixels - at 10x15: 677 ppi, "
              "sharp; 11 % cut off");
    EXPECT_EQ(rowTip({"/p/a.jpg", "1", "A4", {4000, 3000}, false}),
              "/p/a.jpg - 4000 x 3000 pixels");
    EXPECT_EQ(rowTip({"/p/a.jpg", "1", "10x15", {}, false}),
              "/p/a.jpg - the photo cannot be loaded");
    EXPECT_EQ(rowTip({"/p/a.jpg", "1", "10x15", {4000, 3000}, true}),
              "/p/a.jpg - the photo is missing");
    EXPECT_EQ(sizeListTip({4000, 3000}, {"10x15", "A4", "20x30"}),
              "10x15: 677 ppi, sharp\n20x30: 338 ppi, sharp");
    EXPECT_EQ(sizeListTip({}, {"10x15"}),
              "The photo cannot be loaded, so its print fit is not known.");
}

const QStringList kSizes{"10x15", "13x18", "15x21", "20x25", "20x30", "30x45"};

TEST(OrderSummaryOf, PrintsPerSizeInTheListsOrderThenTypedOnes) {
    const QSize big(6000, 4000);
    const QList<FitRow> rows{
        {"/p/1.jpg", "2", "13x18", big}, {"/p/2.jpg", "1", "9x13", big},
        {"/p/3.jpg", "3", "10x15", big}, {"/p/4.jpg", "0", "30x45", big},
        {"/p/5.jpg", "1", "13x18", big}, {"/p/6.jpg", "4", "", big},
        {"/p/7.jpg", "5", "9x13", big},
    };
    const OrderSummary s = summarizeOrder(rows, kSizes);
    EXPECT_EQ(s.sizes, (QList<SizePrints>{{"10x15", 3}, {"13x18", 3}, {"9x13", 6}, {"", 4}}));
    EXPECT_EQ(s.photos, 6);
    EXPECT_EQ(s.prints, 16);
    EXPECT_EQ(s.kept, 1);
    EXPECT_TRUE(s.looks.isEmpty());
    EXPECT_EQ(summaryText(s), "10x15: 3 prints\n13x18: 3 prints\n9x13: 6 prints\n"
                              "(no size): 4 prints\n6 photos, 16 prints\n"
                              "1 row kept, not printed\nNothing needs a look.");
}

TEST(OrderSummaryOf, NamesTheRowsThatNeedALook) {
    const QList<FitRow> rows{
        {"/p/fine.jpg", "1", "10x15", {6000, 4000}},
        {"/p/half.jpg", "2.5", "10x15", {6000, 4000}},
        {"/p/small.jpg", "1", "20x30", {1000, 750}},       // 84 ppi, 11 % off
        {"/p/pano.jpg", "1", "10x15", {6000, 2000}},       // 50 % off
        {"/p/gone.jpg", "1", "10x15", {6000, 4000}, true}, // deleted since
        {"/p/bad.jpg", "", "10x15", {}},                   // never loaded
        {"/p/kept.jpg", "0", "30x45", {100, 100}},         // not printed: no look
        {"/p/fifth.jpg", "1", "10x15", {3750, 2000}},      // exactly a fifth off
        {"/p/edge.jpg", "1", "10x15", {1772, 1181}},       // 299.99 ppi: good
    };
    const OrderSummary s = summarizeOrder(rows, kSizes);
    EXPECT_EQ(s.sizes, (QList<SizePrints>{{"10x15", 5}, {"20x30", 1}}));
    EXPECT_EQ(s.photos, 8);
    EXPECT_EQ(s.prints, 6);
    EXPECT_EQ(s.kept, 1);
    EXPECT_EQ(s.looks, (QList<LookAt>{
                           {2, "copies \"2.5\" are not a whole number"},
                           {3, "prints low at 20x30 (84 ppi)"},
                           {4, "loses 50 % to the cut at 10x15"},
                           {5, "the photo is missing"},
                           {6, "copies \"\" are not a whole number; the photo cannot be loaded"},
                       }));
    EXPECT_EQ(summaryText(s), "10x15: 5 prints\n20x30: 1 print\n8 photos, 6 prints\n"
                              "1 row kept, not printed\nNeeds a look:\n"
                              "Row 2: copies \"2.5\" are not a whole number\n"
                              "Row 3: prints low at 20x30 (84 ppi)\n"
                              "Row 4: loses 50 % to the cut at 10x15\n"
                              "Row 5: the photo is missing\n"
                              "Row 6: copies \"\" are not a whole number; the photo cannot be "
                              "loaded");
    EXPECT_EQ(summaryText(summarizeOrder({}, kSizes)), "0 photos, 0 prints\nNothing needs a look.");
}

} // namespace
