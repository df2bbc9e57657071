#include "platform/controls/flowscope.h"
#include "selection/flows/orderdrop.h"
#include "selection/flows/thumbnailbatch.h"
#include "tests/support/window/windowfixture.h"

#include <QLabel>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <functional>
#include <new>
#include <stdexcept>

namespace {

// Paint events a widget gets.
struct PaintCount : QObject {
    explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

// Runs call once, as soon as widget is shown.
struct WhenShown : QObject {
    WhenShown(QWidget* widget, std::function<void()> call) : m_call(std::move(call)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && m_call)
            std::exchange(m_call, {})();
        return false;
    }
    std::function<void()> m_call;
};

PhotoThumbnail thumbnailOf(const QString& path, ThumbnailBatch::Maker make) {
    ThumbnailBatch batch({path}, std::move(make));
    return batch.take(0);
}

} // namespace

// The window thread used to sleep on a condition while a worker read a photo:
// nothing was painted, and no timer ran, until it was made.
TEST(FlowWaits, TheWindowPaintsAndTimersRunWhileAThumbnailIsWaitedFor) {
    QLabel label(QStringLiteral("Loading..."));
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
    QCoreApplication::processEvents();
    const PaintCount count(&label);

    std::atomic<bool> released{false};
    int paintsWhenReleased = -1;
    label.update();
    QTimer::singleShot(30, [&] {
        paintsWhenReleased = count.paints;
        released = true;
    });
    const PhotoThumbnail thumb =
        thumbnailOf(QStringLiteral("/slow.jpg"), [&](const QString&, const std::atomic<bool>*) {
            // Three seconds at most: a blocked window thread never releases it.
            for (int i = 0; i < 300 && !released; ++i)
                QThread::msleep(10);
            PhotoThumbnail made;
            made.error = released ? QStringLiteral("released") : QStringLiteral("timed out");
            return made;
        });

    EXPECT_EQ(thumb.error, QStringLiteral("released"));
    EXPECT_EQ(paintsWhenReleased, 1);
}

// What a worker threw is what the user is told.
TEST(FlowWaits, AWorkersFailureIsToldAsWhatItWas) {
    struct Case {
        const char* name;
        std::function<void()> fail;
        QString told;
    };
    const Case cases[] = {
        {"out of memory", [] { throw std::bad_alloc(); }, "there was not enough memory to load it"},
        {"a runtime error", [] { throw std::runtime_error("the disk went away"); },
         "it could not be loaded (the disk went away)"},
        {"a logic error, its words on one line",
         [] { throw std::length_error("vector::reserve\n  too long"); },
         "it could not be loaded (vector::reserve too long)"},
        {"an error without words", [] { throw std::runtime_error(" "); },
         "it could not be loaded (a fault the program cannot name)"},
        {"not an exception", [] { throw 42; },
         "it could not be loaded (a fault the program cannot name)"},
    };
    for (const Case& c : cases) {
        const PhotoThumbnail thumb =
            thumbnailOf(QStringLiteral("/p.jpg"),
                        [&](const QString&, const std::atomic<bool>*) -> PhotoThumbnail {
                            c.fail();
                            return {};
                        });
        EXPECT_EQ(thumb.error, c.told) << c.name;
        EXPECT_TRUE(thumb.samples.block.isNull()) << c.name;
    }
}

TEST(FlowWaits, WhatComesDuringAFlowRunsAfterItInTheOrderItCame) {
    QStringList ran;
    QObject context;
    FlowScope::afterFlow(&context, [&] { ran << "outside"; });
    EXPECT_EQ(ran, QStringList{"outside"}) << "at once when no flow runs";

    ran.clear();
    {
        const FlowScope flow;
        {
            const FlowScope inner;
            FlowScope::afterFlow(&context, [&] { ran << "first"; });
        }
        FlowScope::afterFlow(&context, [&] { ran << "second"; });
        auto gone = std::make_unique<QObject>();
        FlowScope::afterFlow(gone.get(), [&] { ran << "gone"; });
        gone.reset();
        QCoreApplication::processEvents();
        EXPECT_TRUE(ran.isEmpty()) << "nothing while the flow runs, its inner ones ended or not";
    }
    EXPECT_TRUE(ran.isEmpty()) << "after the handler, as a queued call";
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (QStringList{"first", "second"}));

    // One that finds another flow begun waits for that one too.
    ran.clear();
    std::optional<FlowScope> flow(std::in_place);
    FlowScope::afterFlow(&context, [&] { ran << "later"; });
    flow.reset();
    flow.emplace();
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran.isEmpty());
    flow.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, QStringList{"later"});
}

class FlowWindow : public WindowFixture {};

// While a project loads, the window handles its queued calls: a drop that
// came meanwhile adds its photo once the load is over, after the project's.
TEST_F(FlowWindow, APhotoDroppedWhileAProjectLoadsIsAddedAfterIt) {
    const QStringList paths{jpegPhoto("a.jpg", 1), jpegPhoto("b.jpg", 2), jpegPhoto("c.jpg", 3)};
    const QString dropped = jpegPhoto("dropped.jpg", 4);
    ASSERT_TRUE(
        put(file("p.mvl"), " 3 \r\n" + (paths[0] + "\r\n1\r\n10x15\r\n" + paths[1] +
                                        "\r\n1\r\n10x15\r\n" + paths[2] + "\r\n1\r\n10x15\r\n")
                                           .toUtf8()));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QCoreApplication::processEvents();
    int rowsWhenDropped = -1;
    const WhenShown loading(ui(w).Label7, [&] {
        QTimer::singleShot(0, w.get(), [&] {
            rowsWhenDropped = grid().Rows();
            dropFiles(ui(w).orderController, {QUrl::fromLocalFile(dropped)}, true);
        });
    });
    dialogs.answerFile(file("p.mvl"));
    click(ui(w).Command4);
    QCoreApplication::processEvents();

    EXPECT_EQ(rowsWhenDropped, 1) << "the drop came in while the load began";
    QStringList files;
    for (int row = 1; row < grid().Rows(); ++row)
        files << grid().TextMatrix(row, 1);
    EXPECT_EQ(files,
              (QStringList{file("a.jpg"), file("b.jpg"), file("c.jpg"), file("dropped.jpg")}));
    EXPECT_EQ(ui(w).order.undoStack().count(), 2) << "the opening and the adding, each a step";
    EXPECT_TRUE(dialogs.messages.isEmpty());
}
