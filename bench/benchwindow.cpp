#include "benchwindow.h"

#include "app/mainwindow.h"
#include "mainwindowui.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/picturebox.h"
#include "platform/files/picturecache.h"
#include "selection/dialogs/cropframe.h"
#include "selection/dialogs/props.h"
#include "selection/dialogs/rowthumbnails.h"
#include "selection/flows/orderactions.h"
#include "selection/flows/orderhandlers.h"

#include "xpbutton/xpbutton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace {

QString takeFront(std::deque<QString>& queue) {
    if (queue.empty())
        return {};
    QString front = queue.front();
    queue.pop_front();
    return front;
}

double msSince(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Lets what is queued run, so nothing pending lands inside a measurement.
void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Counts the paints a widget gets while it lives.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintCounter() override { m_widget->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
    QWidget* m_widget;
    int count = 0;
};

} // namespace

QString QueuedDialogs::fileDialog(QWidget*, FileDialogMode, const FileDialogRequest&) {
    return takeFront(files);
}

QString QueuedDialogs::browseForFolder(QWidget*, const QString&) {
    return takeFront(folders);
}

MessageResult QueuedDialogs::message(QWidget*, const QString&, const QString& text,
                                     MessageButtons buttons, MessageIcon) {
    messages << text;
    if (answers.empty())
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    const MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
}

BenchWindow::BenchWindow()
    : m_window(
          std::make_unique<MainWindow>(MainWindowServices{m_dialogs, m_shell, defaultSiteBase()})) {
    m_window->show();
    QElapsedTimer clock;
    clock.start();
    while (m_window->activations() < 1 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    settle();
}

BenchWindow::~BenchWindow() = default;

void BenchWindow::browse(const QString& folder) {
    const QSignalBlocker quiet(ui(m_window).File1);
    ui(m_window).Dir1->setPath(folder);
    ui(m_window).File1->setPath(folder);
}

double BenchWindow::previewMs(int index, bool readAhead) {
    settle();
    QElapsedTimer clock;
    clock.start();
    ui(m_window).File1->setListIndex(index);
    const double ms = msSince(clock);
    if (!readAhead)
        ui(m_window).browseController.ahead.drop();
    return ms;
}

double BenchWindow::stepMs() {
    settle();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(ui(m_window).File1, Qt::Key_Down);
    return msSince(clock);
}

double BenchWindow::thumbnailMs(const QString& path) {
    QElapsedTimer clock;
    clock.start();
    const PhotoThumbnail thumb = photoThumbnail(path);
    const double ms = msSince(clock);
    return thumb.ok() ? ms : -1;
}

double BenchWindow::addPreviewedMs() {
    settle();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(ui(m_window).Image11, Qt::LeftButton);
    return msSince(clock);
}

double BenchWindow::openMs(const QString& project) {
    settle();
    m_dialogs.answers.push_back(MessageResult::No);
    m_dialogs.files.push_back(project);
    PaintCounter grid(ui(m_window).MSFlexGrid1->viewport());
    PaintCounter bar(ui(m_window).ProgressBar2);
    QElapsedTimer clock;
    clock.start();
    emit ui(m_window).Command4->Click();
    const double ms = msSince(clock);
    m_dialogs.answers.clear();
    m_openPaints = {grid.count, bar.count};
    return ms;
}

namespace {

// A click on row 1, and act on the row editor it shows, run inside the
// editor's own loop; act closes it.
void onRowEditor(MainWindow& window, const std::function<void(Props&)>& act) {
    settle();
    QObject scope;
    std::function<void()> poll = [&] {
        auto* props = qobject_cast<Props*>(QApplication::activeModalWidget());
        if (!props || !props->isVisible()) {
            QTimer::singleShot(0, &scope, poll);
            return;
        }
        act(*props);
    };
    QTimer::singleShot(0, &scope, poll);
    FlexGrid& grid = *ui(window).MSFlexGrid1;
    grid.setRow(1);
    grid.setCol(1);
    MSFlexGrid1_Click(ui(window).orderController);
}

} // namespace

double BenchWindow::removeFirstRowMs() {
    double ms = -1;
    onRowEditor(*m_window, [&](Props& props) {
        QElapsedTimer clock;
        clock.start();
        emit props.Command1->Click();
        ms = msSince(clock);
    });
    return ms;
}

namespace {

// Notes when a widget's paint has ended: the paint is run from here.
struct PaintEnd : QObject {
    explicit PaintEnd(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintEnd() override { m_widget->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || watched != m_widget)
            return false;
        static_cast<QObject*>(m_widget)->event(event);
        painted = true;
        return true;
    }
    QWidget* m_widget;
    bool painted = false;
};

// One step of the frame: keys, the wheel, or a drag that goes and comes back.
void frameStep(QWidget* frame, int step) {
    const QPoint middle = frame->rect().center();
    const auto drag = [&](QPoint to) {
        QMouseEvent move(QEvent::MouseMove, to, frame->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame, &move);
    };
    switch (step % 8) {
    case 0:
        return QTest::keyClick(frame, Qt::Key_Left);
    case 1:
        return QTest::keyClick(frame, Qt::Key_Up);
    case 2:
        return QTest::keyClick(frame, Qt::Key_Right);
    case 3:
        return QTest::keyClick(frame, Qt::Key_Down);
    case 4:
    case 5: {
        const QPoint at = frame->rect().center();
        QWheelEvent wheel(at, frame->mapToGlobal(at), {}, {0, step % 8 == 4 ? -120 : 120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(frame, &wheel);
        return;
    }
    case 6:
        QTest::mousePress(frame, Qt::LeftButton, {}, middle);
        return drag(middle + QPoint(6, 4));
    default:
        drag(middle);
        QTest::mouseRelease(frame, Qt::LeftButton, {}, middle);
    }
}

} // namespace

std::vector<double> BenchWindow::frameStepsMs(int steps) {
    std::vector<double> ms;
    onRowEditor(*m_window, [&](Props& props) {
        QWidget* frame = props.cropFrame;
        frame->setFocus();
        settle();
        PaintEnd paint(frame);
        for (int step = 0; step < steps; ++step) {
            paint.painted = false;
            QElapsedTimer clock;
            clock.start();
            frameStep(frame, step);
            // A step that changes nothing paints nothing: a second at most.
            while (!paint.painted && clock.elapsed() < 1000)
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            ms.push_back(paint.painted ? msSince(clock) : -1);
        }
        props.reject();
    });
    return ms;
}

double BenchWindow::addAllSelectedMs(const QString& folder) {
    browse(folder);
    {
        const QSignalBlocker quiet(ui(m_window).File1);
        ui(m_window).File1->selectAll();
    }
    settle();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(ui(m_window).File1, Qt::Key_Return);
    return msSince(clock);
}

double BenchWindow::addTreeMs(const QString& folder) {
    browse(folder);
    settle();
    QElapsedTimer clock;
    clock.start();
    // What the menu entry runs once the menu has closed.
    ui(m_window).orderActions.addTree->trigger();
    return msSince(clock);
}

double BenchWindow::removePickedMs(int first, int last) {
    FlexGrid& grid = *ui(m_window).MSFlexGrid1;
    QList<int> rows;
    for (int row = first; row <= last; ++row)
        rows << row;
    grid.setSelectedRows(rows);
    grid.setFocus();
    settle();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(&grid, Qt::Key_Delete);
    return msSince(clock);
}

double BenchWindow::undoMs() {
    settle();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(ui(m_window).File1, Qt::Key_Z, Qt::ControlModifier);
    return msSince(clock);
}

double BenchWindow::copyToFolderMs(const QString& folder, const QString& list) {
    settle();
    m_dialogs.folders.push_back(folder);
    m_dialogs.files.push_back(list);
    QElapsedTimer clock;
    clock.start();
    emit ui(m_window).Command2->Click();
    return msSince(clock);
}

int BenchWindow::rows() const {
    return ui(m_window).MSFlexGrid1->Rows() - 1;
}

void BenchWindow::forgetKeptPictures() {
    PictureCache::shared().clear();
    clearThumbnails();
}
