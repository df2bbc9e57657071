#include "app/drawing/previewturn.h"
#include "app/drawing/thumbnail.h"
#include "app/progressbarpainter.h"
#include "platform/controls/filelist.h"
#include "platform/controls/picturebox.h"
#include "tests/support/testpictures.h"

#include <QProgressBar>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// The boxes and the list the drawings use, and every report they make.
struct Drawings : ::testing::Test {
    QWidget window;
    PictureBox* source = new PictureBox(&window);
    PictureBox* target = new PictureBox(&window);
    PictureBox* backBuffer = new PictureBox(&window);
    FileList* list = new FileList(&window);
    Events events;

    Drawings() {
        source->setAutoSize(true);
        source->setPicture(coordinatePicture(12, 9));
        target->place(QRect(0, 0, 4, 3));
        backBuffer->place(QRect(0, 0, 4, 3));
    }

    Progress recorder() {
        return {[this] { events.push_back("start"); },
                [this](int value, int maximum) {
                    events.push_back(std::to_string(value) + "/" + std::to_string(maximum));
                },
                [this] { events.push_back("finish"); }};
    }
};

TEST_F(Drawings, ReportStartEachStepAndFinishWhenAsked) {
    const struct {
        const char* name;
        std::function<void(const Progress&)> draw;
        Events want;
    } cases[] = {
        // Rows sampled at 0, 1.5, 3, 4.5, 6 and 7.5, rounded half to even.
        {"preview",
         [&](const Progress& p) {
             thumbnail(8, 6, *source, *target, true, {*list, p});
         },
         {"start", "0/8", "2/8", "3/8", "4/8", "6/8", "8/8", "finish"}},
        {"plain",
         [&](const Progress& p) {
             thumbnail(8, 6, *source, *target, false, {*list, p});
         },
         {}},
        {"empty",
         [&](const Progress& p) {
             thumbnail(0, 6, *source, *target, true, {*list, p});
         },
         {}},
        // Columns 0 to the width, both included.
        {"turn",
         [&](const Progress& p) {
             rotate_pict(*target, *backBuffer, true, {*target, p});
         },
         {"start", "0/4", "1/4", "2/4", "3/4", "4/4", "finish"}},
        {"quiet turn",
         [&](const Progress& p) {
             rotate_pict(*target, *backBuffer, false, {*target, p});
         },
         {}},
        // The box is 3 wide once its sides are swapped.
        {"rotate icon",
         [&](const Progress& p) { rotatePreview(*target, *backBuffer, p); },
         {"start", "0/3", "1/3", "2/3", "3/3", "finish"}},
    };
    for (const auto& c : cases) {
        target->place(QRect(0, 0, 4, 3));
        events.clear();
        c.draw(recorder());
        EXPECT_EQ(events, c.want) << c.name;
        // Nobody listening is as good.
        c.draw(Progress{});
    }
}

// What the bar shows after each call on its painter.
TEST(ProgressBarPainter, ShowsTheBarFromStartToFinishAndHoldsItsPainting) {
    enum class Call { Start, Reach, Finish, Drop };
    const struct {
        Call call;
        int value, maximum; // of Reach
        bool shown;
        int barValue, barMaximum;
        bool held;
    } script[] = {
        {Call::Reach, 7, 50, false, 7, 50, false}, // before any start: no pacing to wait for
        {Call::Start, 0, 0, true, 1, 50, true},
        {Call::Reach, 5, 40, true, 5, 40, true},
        {Call::Reach, 40, 40, true, 40, 40, true},
        {Call::Finish, 0, 0, false, 40, 40, false},
        {Call::Start, 0, 0, true, 1, 40, true},
        // A painter gone before the end gives the bar its painting back.
        {Call::Drop, 0, 0, true, 1, 40, false},
    };
    QWidget window;
    auto* bar = new QProgressBar(&window);
    bar->hide();
    std::optional<ProgressBarPainter> painter(std::in_place, *bar);
    Progress progress = painter->progress();
    int step = 0;
    for (const auto& s : script) {
        switch (s.call) {
        case Call::Start:
            progress.start();
            break;
        case Call::Reach:
            progress.reach(s.value, s.maximum);
            break;
        case Call::Finish:
            progress.finish();
            break;
        case Call::Drop:
            painter.reset();
            break;
        }
        EXPECT_EQ(!bar->isHidden(), s.shown) << "step " << step;
        EXPECT_EQ(bar->value(), s.barValue) << "step " << step;
        EXPECT_EQ(bar->maximum(), s.barMaximum) << "step " << step;
        EXPECT_EQ(!bar->updatesEnabled(), s.held) << "step " << step;
        ++step;
    }
}

} // namespace
