#include "platform/controls/flexgrid.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordersummary.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

OrderRow row(const QString& file, const char* copies = "1", const char* size = "10x15",
             QSize pixels = {}) {
    return {file, QString::fromLatin1(copies), QString::fromLatin1(size), {}, {}, pixels};
}

// A file that is there, so that the row's photo counts as present.
QString existingFile(const QTemporaryDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return path;
}

struct Order {
    SelectionList list;
    std::unique_ptr<OrderModel> model = std::make_unique<OrderModel>(list);

    QStringList shown() const {
        QStringList out;
        for (const OrderRow& r : model->rows())
            out << QStringLiteral("%1 %2 %3").arg(r.file, r.copies, r.size);
        return out;
    }
    // The table of selected photos holds what the model holds, from entry 1.
    void expectListInStep() const {
        ASSERT_EQ(list.count, model->count());
        for (int i = 0; i < model->count(); ++i) {
            const SelectionEntry& e = list.entries[static_cast<std::size_t>(i) + 1];
            const OrderRow& r = model->rows()[i];
            EXPECT_EQ(QStringList({e.file, e.copies, e.size}),
                      QStringList({r.file, r.copies, r.size}));
            EXPECT_EQ(e.pixels, r.pixels);
        }
    }
};

struct Step {
    const char* what;
    std::function<void(OrderModel&)> run;
    QStringList rows;
    const char* caption;
    const char* undoText;
    const char* redoText;
};

TEST(OrderModel, EachChangeIsOneStepThatUndoAndRedoTakeInTurn) {
    Order o;
    const QList<Step> steps = {
        {"add one",
         [](OrderModel& m) { m.addRows({row("a")}, "adding a photo"); },
         {"a 1 10x15"},
         "1 Photo Selected",
         "adding a photo",
         ""},
        {"add two",
         [](OrderModel& m) {
             m.addRows({row("b"), row("c")}, "adding 2 photos");
         },
         {"a 1 10x15", "b 1 10x15", "c 1 10x15"},
         " 3 Photos Selected",
         "adding 2 photos",
         ""},
        {"an edit that changes nothing is no step",
         [](OrderModel& m) {
             m.changeRows({{0, m.rows()[0]}}, "changing a row");
         },
         {"a 1 10x15", "b 1 10x15", "c 1 10x15"},
         " 3 Photos Selected",
         "adding 2 photos",
         ""},
        {"edit two as one step",
         [](OrderModel& m) {
             m.changeRows({{0, row("a", "2", "13x18")}, {2, row("c", "2", "13x18")}},
                          "changing 2 rows");
         },
         {"a 2 13x18", "b 1 10x15", "c 2 13x18"},
         " 3 Photos Selected",
         "changing 2 rows",
         ""},
        {"remove out of order, unknown rows ignored",
         [](OrderModel& m) {
             m.removeRowsAt({2, 0, 7, -1}, "removing 2 rows");
         },
         {"b 1 10x15"},
         "1 Photo Selected",
         "removing 2 rows",
         ""},
        {"undo",
         [](OrderModel& m) { m.undoStack().undo(); },
         {"a 2 13x18", "b 1 10x15", "c 2 13x18"},
         " 3 Photos Selected",
         "changing 2 rows",
         "removing 2 rows"},
        {"undo the macro whole",
         [](OrderModel& m) { m.undoStack().undo(); },
         {"a 1 10x15", "b 1 10x15", "c 1 10x15"},
         " 3 Photos Selected",
         "adding 2 photos",
         "changing 2 rows"},
        {"a new change drops the redo",
         [](OrderModel& m) { m.replaceRows({row("d")}, "opening d.mvl"); },
         {"d 1 10x15"},
         "1 Photo Selected",
         "opening d.mvl",
         ""},
        {"emptied",
         [](OrderModel& m) { m.replaceRows({}, "removing a row"); },
         {},
         " 0 Photos Selected",
         "removing a row",
         ""},
        {"back to the start keeps the design's caption",
         [](OrderModel& m) {
             while (m.undoStack().canUndo())
                 m.undoStack().undo();
         },
         {},
         "0 Photos Selected",
         "",
         "adding a photo"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.run(*o.model);
        EXPECT_EQ(o.shown(), step.rows);
        EXPECT_EQ(o.model->caption(), step.caption);
        EXPECT_EQ(o.model->undoStack().undoText(), step.undoText);
        EXPECT_EQ(o.model->undoStack().redoText(), step.redoText);
        o.expectListInStep();
    }
}

TEST(OrderModel, KeepsTheLastHundredStepsAndNeverMoreThan999Rows) {
    Order o;
    for (int i = 0; i < 105; ++i)
        o.model->addRows({row(QString::number(i))}, QString::number(i));
    int undone = 0;
    while (o.model->undoStack().canUndo()) {
        o.model->undoStack().undo();
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(o.model->count(), 5) << "the oldest five steps are gone";

    OrderRows many;
    for (int i = 0; i < 1200; ++i)
        many << row(QString::number(i));
    o.model->addRows(many, "adding 1200 photos");
    EXPECT_EQ(o.model->count(), 999);
    EXPECT_EQ(o.list.count, 999);
    o.model->addRows({row("x")}, "adding a photo");
    EXPECT_EQ(o.model->undoStack().undoText(), "adding 1200 photos") << "a full order takes none";
}

TEST(OrderModel, SavedIsTheCleanStateAndAShortOpenIsNeverSaved) {
    Order o;
    EXPECT_FALSE(o.model->changedSinceSaved());
    o.model->addRows({row("a")}, "adding a photo");
    EXPECT_TRUE(o.model->changedSinceSaved());
    o.model->markSaved();
    EXPECT_FALSE(o.model->changedSinceSaved());
    o.model->undoStack().undo();
    EXPECT_TRUE(o.model->changedSinceSaved());
    o.model->undoStack().redo();
    EXPECT_FALSE(o.model->changedSinceSaved()) << "back to what the file holds";
    o.model->markOpenedShort();
    EXPECT_TRUE(o.model->changedSinceSaved());
    o.model->undoStack().undo();
    o.model->undoStack().redo();
    EXPECT_TRUE(o.model->changedSinceSaved()) << "the file holds more than the order";
}

TEST(OrderModel, TheTipFollowsTheRowsPhotoAndSizeAcrossEdits) {
    QTemporaryDir dir;
    const QString photo = existingFile(dir, "a.jpg");
    Order o;
    o.model->addRows({row(photo, "1", "10x15", QSize(4000, 3000)), row(dir.filePath("gone.jpg"))},
                     "adding 2 photos");
    const auto tip = [&](int i) {
        return o.model->index(i, ColFile).data(Qt::ToolTipRole).toString();
    };
    EXPECT_EQ(tip(0), photo + " - 4000 x 3000 pixels - at 10x15: 677 ppi, sharp; 11 % cut off");
    OrderRow edited = o.model->rows()[0];
    edited.size = "20x30";
    o.model->changeRows({{0, edited}, {1, row(dir.filePath("gone.jpg"), "1", "20x30")}},
                        "changing 2 rows");
    EXPECT_EQ(tip(0), photo + " - 4000 x 3000 pixels - at 20x30: 338 ppi, sharp; 11 % cut off");
    EXPECT_EQ(tip(1), dir.filePath("gone.jpg") + " - the photo is missing");
}

// A framing of its own is one step for any number of rows; the tip and the
// summary speak of it, and of nothing else for rows left at the default.
TEST(OrderModel, AFramingIsOneStepAndTheTipAndSummaryFollowIt) {
    QTemporaryDir dir;
    const QString photo = existingFile(dir, "a.jpg");
    Order o;
    o.model->addRows({row(photo, "1", "10x15", QSize(4000, 3000)),
                      row(photo, "1", "10x15", QSize(4000, 3000)),
                      row(photo, "1", "10x15", QSize(4000, 3000))},
                     "adding 3 photos");
    const auto tip = [&](int i) {
        return o.model->index(i, ColFile).data(Qt::ToolTipRole).toString();
    };
    const QString plain = photo + " - 4000 x 3000 pixels - at 10x15: 677 ppi, sharp; 11 % cut off";
    o.model->setFraming({0, 2}, Framing{FramingMode::Whole}, "whole photos");
    EXPECT_EQ(o.model->undoStack().count(), 2);
    EXPECT_EQ(tip(0),
              photo +
                  " - 4000 x 3000 pixels - at 10x15: 762 ppi, sharp; whole photo, 0.8 cm borders");
    EXPECT_EQ(tip(1), plain);
    o.model->setFraming({1}, Framing{FramingMode::Fill, 0.1, 0.5, 0.5}, "a small cut");
    EXPECT_EQ(tip(1),
              photo +
                  " - 4000 x 3000 pixels - at 10x15: 67 ppi, low; 99 % cut off, the cut chosen");
    // The cut chosen is the user's: only its sharpness needs a look.
    const OrderSummary summary = summarizeOrder(o.model->fitRows(), {"10x15"});
    ASSERT_EQ(summary.looks.size(), 1);
    EXPECT_EQ(lookText(summary.looks[0]), "Row 2: prints low at 10x15 (67 ppi)");
    // The same framing again changes nothing and is no step.
    o.model->setFraming({1}, Framing{FramingMode::Fill, 0.1, 0.5, 0.5}, "a small cut");
    EXPECT_EQ(o.model->undoStack().count(), 3);
    o.model->undoStack().undo();
    o.model->undoStack().undo();
    EXPECT_EQ(tip(0), plain);
    EXPECT_EQ(tip(1), plain);
    EXPECT_EQ(tip(2), plain);
    EXPECT_TRUE(o.model->rows()[2].framing.isDefault());
    o.model->undoStack().redo();
    EXPECT_EQ(o.model->rows()[2].framing, Framing{FramingMode::Whole});
}

TEST(OrderModel, AGridShowingItFollowsItsRowsAndTakesNoWrites) {
    Order o;
    FlexGrid grid;
    grid.setCols(5);
    grid.setRows(1);
    grid.setModel(o.model.get(), 500);
    o.model->addRows({row("a"), row("b"), row("c")}, "adding 3 photos");
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(2, ColFile), "b");
    EXPECT_EQ(grid.TextMatrix(2, ColPath), "b");
    EXPECT_EQ(grid.RowHeight(3), 500);
    grid.setTextMatrix(2, ColFile, "written");
    grid.setRows(9);
    EXPECT_EQ(grid.TextMatrix(2, ColFile), "b");
    EXPECT_EQ(grid.Rows(), 4);

    grid.setSelectedRows({1, 3});
    o.model->changeRows({{1, row("b", "5")}}, "changing a row");
    EXPECT_EQ(grid.SelectedRows(), QList<int>({1, 3})) << "an edit keeps the rows picked";
    o.model->removeRowsAt({0}, "removing a row");
    EXPECT_TRUE(grid.SelectedRows().isEmpty()) << "once rows go, the picked ones are others";
    EXPECT_EQ(grid.TextMatrix(1, ColCopies), "5");
    o.model->undoStack().undo();
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(1, ColFile), "a");
}

} // namespace

namespace {

TEST(OrderModel, MovingRowsPutsThemBeforeTheRowNamedAsOneStep) {
    struct Case {
        QList<int> indices;
        int to;
        const char* after; // files, one letter a row; empty: no step
    };
    const Case cases[] = {
        {{2, 3}, 0, "cdab"}, {{0}, 4, "bcda"}, {{0}, 9, "bcda"}, {{3, 1}, 1, "abdc"},
        {{1, 2}, 2, ""},     {{0}, 1, ""},     {{7, -1}, 0, ""}, {{1, 3}, 3, "acbd"},
    };
    for (const Case& c : cases) {
        Order order;
        order.model->addRows({row("a"), row("b"), row("c"), row("d")}, "adding");
        order.model->moveRows(c.indices, c.to, "moving");
        QString files;
        for (const OrderRow& r : order.model->rows())
            files += r.file;
        const bool moved = *c.after != '\0';
        EXPECT_EQ(files, moved ? c.after : "abcd") << c.to;
        EXPECT_EQ(order.model->undoStack().count(), moved ? 2 : 1) << c.to;
        order.expectListInStep();
        if (moved)
            order.model->undoStack().undo();
        EXPECT_EQ(order.shown(), QStringList({"a 1 10x15", "b 1 10x15", "c 1 10x15", "d 1 10x15"}));
    }
}

} // namespace
