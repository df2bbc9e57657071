// Measures the program's flows on camera-size photos it makes itself, each
// against a yardstick measured in the same run, and prints the table.
//
//   marvolia_bench [--quick]
//                  [--only preview|formats|step|open|remove|many|tree|copy|labjpegs|
//                          labframes|framestep|search|memory]
//
// Runs headless. Takes a few minutes on two cores; --quick runs each flow
// once, to see that everything works; --only runs one flow.

#include "app/mainwindow.h"
#include "benchtable.h"
#include "benchwindow.h"
#include "formatbench.h"
#include "framebench.h"
#include "mainwindowui.h"
#include "photoset.h"
#include "platform/controls/designfont.h"
#include "platform/controls/filelist.h"
#include "referencedecoder.h"
#include "selection/flows/missingphotos.h"
#include "treebench.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kOpenPhotos = 200;
constexpr int kRemoveRows = 999;
constexpr int kMemoryPhotos = 50;
constexpr int kSearchFiles = 100000;
constexpr int kSearchMissing = 20;
constexpr int kStepPhotos = 12;

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

void say(const QString& line) {
    out() << line << Qt::endl;
}

// The median of three decodes of the same bytes: one yardstick reading.
double referenceMs(ReferenceDecoder& decoder, const QByteArray& jpeg) {
    return median({decoder.decodeMs(jpeg), decoder.decodeMs(jpeg), decoder.decodeMs(jpeg)});
}

double peakResidentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return -1;
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(' ', 0, 2)
                                          : QStringLiteral("?");
}

double runCommandMs(const QString& program, const QStringList& arguments) {
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return -1;
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void emptyFolder(const QString& folder) {
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
}

// The child run for memory: previews and adds the photos of folder one
// after another, then reports its peak resident size.
int memoryChild(const QString& folder) {
    BenchWindow bench;
    const double before = peakResidentMb();
    bench.browse(folder);
    const int files = ui(bench.window()).File1->ListCount();
    for (int i = 0; i < files; ++i) {
        bench.previewMs(i);
        bench.addPreviewedMs();
    }
    say(QStringLiteral("rows %1 peak-before %2 peak %3")
            .arg(bench.rows())
            .arg(before, 0, 'f', 1)
            .arg(peakResidentMb(), 0, 'f', 1));
    return 0;
}

struct Setup {
    QList<Photo> big;   // 24 MP, one of each kind, and the real photographs
    QStringList medium; // 12 MP, one of each kind
    QString spacer;     // a tiny photo, previewed between measurements
    QString previewFolder;
    QStringList openPhotos;
    QString openProject;
    QStringList removePhotos;
    QString removeProject;
    QString memoryBaseline;
    QString memoryProgressive;
    QString stepFolder;
};

// Debian's lomiri-wallpapers-16.04: real photographs, 1365 x 1074 to
// 5312 x 2988, baseline and progressive, 4:4:4, 4:2:2 and 4:2:0.
const char* const kRealPhotos[] = {
    "seeding_by_Clements_Engelhardt.jpg", // 5312 x 2988, 4:2:0
    "Dragonfly_by_Bolly.jpg",             // 4224 x 3168, 4:2:2
    "umang_by_Abhishek_Mudgal.jpg",       // 3840 x 2160, progressive 4:4:4
    "analogpattern_by_Peter_Nerlich.jpg", // 2880 x 2160, progressive 4:2:0
    "Picture_1A_by_freespace.jpg",        // 1365 x 1074, 4:4:4
};

Setup makePhotos(const QString& root) {
    Setup s;
    QElapsedTimer clock;
    clock.start();
    s.previewFolder = root + QStringLiteral("/preview");
    QDir().mkpath(s.previewFolder);
    s.big = writeKinds(s.previewFolder, QStringLiteral("24mp"), 6000, 4000);
    const QList<Photo> generated = s.big;
    for (const char* name : kRealPhotos) {
        const QString from = QStringLiteral("/usr/share/backgrounds/") + QLatin1String(name);
        const QString to = s.previewFolder + QStringLiteral("/real-") + QLatin1String(name);
        if (QFile::copy(from, to))
            s.big.append({QStringLiteral("real ") + QFileInfo(from).baseName(), to});
    }
    s.spacer = s.previewFolder + QStringLiteral("/0-spacer.jpg");
    writeBytes(s.spacer, cameraJpeg(64, 48, Content::Smooth, Coding::Baseline, 99));

    const QString kinds12 = root + QStringLiteral("/12mp");
    QDir().mkpath(kinds12);
    QStringList medium;
    for (const Photo& p : writeKinds(kinds12, QStringLiteral("12mp"), 4000, 3000))
        medium << p.path;

    // Real copies: the copy export copies them, and each is its own file.
    const QString openFolder = root + QStringLiteral("/open");
    QDir().mkpath(openFolder);
    s.openPhotos = spreadPhotos(medium, openFolder, kOpenPhotos, true);
    s.openProject = root + QStringLiteral("/open200.mvl");
    writeProject(s.openProject, s.openPhotos);

    // 999 names for the baseline photos: rows of their own, no disk.
    const QString removeFolder = root + QStringLiteral("/remove");
    QDir().mkpath(removeFolder);
    const QStringList baseline = {medium.value(0), medium.value(2)};
    s.removePhotos = spreadPhotos(baseline, removeFolder, kRemoveRows, false);
    s.removeProject = root + QStringLiteral("/remove999.mvl");
    writeProject(s.removeProject, s.removePhotos);

    QStringList baseline24;
    QStringList progressive24;
    for (const Photo& p : generated)
        (p.name.contains(QStringLiteral("progressive")) ? progressive24 : baseline24) << p.path;
    s.memoryBaseline = root + QStringLiteral("/memory-baseline");
    s.memoryProgressive = root + QStringLiteral("/memory-progressive");
    s.stepFolder = root + QStringLiteral("/step");
    for (const QString& folder : {s.memoryBaseline, s.memoryProgressive, s.stepFolder})
        QDir().mkpath(folder);
    spreadPhotos(baseline24, s.memoryBaseline, kMemoryPhotos, false);
    spreadPhotos(progressive24, s.memoryProgressive, kMemoryPhotos, false);
    spreadPhotos(baseline24 + progressive24, s.stepFolder, kStepPhotos, false);
    QStringList sizes;
    for (const QString& path : QStringList{s.big.value(0).path, s.big.value(1).path,
                                           s.big.value(2).path, s.big.value(3).path} +
                                   medium)
        sizes << QStringLiteral("%1 %2 MB")
                     .arg(QFileInfo(path).baseName())
                     .arg(QFileInfo(path).size() / 1e6, 0, 'f', 1);
    s.medium = medium;
    say(QStringLiteral("photos made in %1 s: %2")
            .arg(clock.elapsed() / 1000.0, 0, 'f', 1)
            .arg(sizes.join(QStringLiteral(", "))));
    return s;
}

int fileIndex(BenchWindow& bench, const QString& path) {
    const QList<QListWidgetItem*> found =
        ui(bench.window()).File1->findItems(QFileInfo(path).fileName(), Qt::MatchExactly);
    return found.isEmpty() ? -1 : ui(bench.window()).File1->row(found.first());
}

void previewAndAdd(BenchWindow& bench, const Setup& s, int runs, std::vector<FlowRuns>& table) {
    ReferenceDecoder decoder;
    bench.browse(s.previewFolder);
    const int spacer = fileIndex(bench, s.spacer);
    for (const Photo& photo : s.big) {
        // Against the library's full-size decode.
        FlowRuns preview{
            QStringLiteral("preview %1").arg(photo.name), QStringLiteral("<= 1.0"), 1.0, {}, {}};
        // The rest against its 1/8-scale decode.
        FlowRuns add{
            QStringLiteral("add just previewed, same"), QStringLiteral("<= 0.02"), 0.02, {}, {}};
        FlowRuns thumb{QStringLiteral("thumbnail for Remove and open, same"),
                       QStringLiteral("<= 1.15"),
                       1.15,
                       {},
                       {}};
        const QByteArray bytes = fileBytes(photo.path);
        const int index = fileIndex(bench, photo.path);
        // Once unmeasured: the first showing of everything costs extra.
        bench.previewMs(spacer);
        bench.previewMs(index);
        bench.addPreviewedMs();
        for (int run = 0; run < runs; ++run) {
            bench.previewMs(spacer);
            BenchWindow::forgetKeptPictures();
            const double full =
                median({decoder.decodeMs(bytes, true), decoder.decodeMs(bytes, true),
                        decoder.decodeMs(bytes, true)});
            const double eighth = referenceMs(decoder, bytes);
            preview.flowMs.push_back(bench.previewMs(index));
            preview.referenceMs.push_back(full);
            add.flowMs.push_back(bench.addPreviewedMs());
            add.referenceMs.push_back(eighth);
            BenchWindow::forgetKeptPictures();
            thumb.flowMs.push_back(BenchWindow::thumbnailMs(photo.path));
            thumb.referenceMs.push_back(eighth);
        }
        table.push_back(preview);
        table.push_back(add);
        table.push_back(thumb);
    }
}

double serialDecodesMs(ReferenceDecoder& decoder, const QStringList& photos) {
    double sum = 0;
    for (const QString& path : photos)
        sum += decoder.decodeMs(fileBytes(path));
    return sum;
}

// Processor time of this process so far, all threads, in milliseconds.
double processorMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// One step a second with the down arrow through 24 MP photos, the next one
// read ahead meanwhile, against the library's full-size decode of the photo.
void step(BenchWindow& bench, const Setup& s, int runs, std::vector<FlowRuns>& table) {
    ReferenceDecoder decoder;
    FlowRuns flow{QStringLiteral("step to the next photo, 24 MP, one step a second"),
                  QStringLiteral("<= 0.1"),
                  0.1,
                  {},
                  {}};
    BenchWindow::forgetKeptPictures();
    bench.browse(s.stepFolder);
    bench.previewMs(0, true);
    const int steps = std::min(runs, ui(bench.window()).File1->ListCount() - 1);
    for (int i = 1; i <= steps; ++i) {
        QTest::qWait(1000);
        const QString next =
            s.stepFolder + QLatin1Char('/') + ui(bench.window()).File1->item(i)->text();
        flow.flowMs.push_back(bench.stepMs());
        flow.referenceMs.push_back(decoder.decodeMs(fileBytes(next), true));
    }
    ui(bench.window()).browseController.ahead.drop();
    table.push_back(flow);
}

void open(BenchWindow& bench, const Setup& s, int runs, std::vector<FlowRuns>& table) {
    ReferenceDecoder decoder;
    FlowRuns flow{QStringLiteral("open %1 photos of 12 MP").arg(kOpenPhotos),
                  QStringLiteral("<= 0.6"),
                  0.6,
                  {},
                  {}};
    std::vector<double> busy;
    for (int run = 0; run < runs; ++run) {
        BenchWindow::forgetKeptPictures();
        flow.referenceMs.push_back(serialDecodesMs(decoder, s.openPhotos));
        const double before = processorMs();
        flow.flowMs.push_back(bench.openMs(s.openProject));
        busy.push_back((processorMs() - before) / flow.flowMs.back());
    }
    say(QStringLiteral("open: %1 cores busy on average while it ran (median); the grid was "
                       "painted %2 times and the progress bar %3 times during the last one")
            .arg(median(busy), 0, 'f', 2)
            .arg(bench.openPaints().first)
            .arg(bench.openPaints().second));
    table.push_back(flow);
}

void removeFirst(BenchWindow& bench, const Setup& s, int runs, std::vector<FlowRuns>& table) {
    ReferenceDecoder decoder;
    FlowRuns flow{
        QStringLiteral("remove row 1 of %1").arg(kRemoveRows), QStringLiteral("<= 2"), 2, {}, {}};
    const QByteArray first = fileBytes(s.removePhotos.value(0));
    BenchWindow::forgetKeptPictures();
    bench.openMs(s.removeProject);
    for (int run = 0; run < runs; ++run) {
        if (bench.rows() != kRemoveRows)
            bench.openMs(s.removeProject);
        flow.referenceMs.push_back(referenceMs(decoder, first));
        flow.flowMs.push_back(bench.removeFirstRowMs());
    }
    table.push_back(flow);
}

// Many at once: the 200 photos of a folder selected and added, then 500 of
// 999 rows picked and removed, and that removal undone.
void manyAtOnce(BenchWindow& bench, const Setup& s, int runs, std::vector<FlowRuns>& table) {
    ReferenceDecoder decoder;
    FlowRuns add{QStringLiteral("add %1 selected photos of 12 MP").arg(kOpenPhotos),
                 QStringLiteral("<= 0.6"),
                 0.6,
                 {},
                 {}};
    FlowRuns remove{QStringLiteral("remove 500 selected rows of %1").arg(kRemoveRows),
                    QStringLiteral("<= 2"),
                    2,
                    {},
                    {}};
    FlowRuns undo{QStringLiteral("undo that removal"), QStringLiteral("<= 2"), 2, {}, {}};
    const QString openFolder = QFileInfo(s.openPhotos.value(0)).path();
    for (int run = 0; run < runs; ++run) {
        bench.openMs(s.removeProject); // any order to replace; emptied below
        bench.removePickedMs(1, bench.rows());
        BenchWindow::forgetKeptPictures();
        add.referenceMs.push_back(serialDecodesMs(decoder, s.openPhotos));
        add.flowMs.push_back(bench.addAllSelectedMs(openFolder));
    }
    const QByteArray first = fileBytes(s.removePhotos.value(0));
    bench.openMs(s.removeProject);
    for (int run = 0; run < runs; ++run) {
        if (bench.rows() != kRemoveRows)
            bench.openMs(s.removeProject);
        remove.referenceMs.push_back(referenceMs(decoder, first));
        remove.flowMs.push_back(bench.removePickedMs(250, 749));
        undo.referenceMs.push_back(referenceMs(decoder, first));
        undo.flowMs.push_back(bench.undoMs());
    }
    table.push_back(add);
    table.push_back(remove);
    table.push_back(undo);
}

void copyToFolder(BenchWindow& bench, const Setup& s, const QString& root, int runs,
                  std::vector<FlowRuns>& table) {
    FlowRuns flow{QStringLiteral("copy to folder %1 photos of 12 MP").arg(kOpenPhotos),
                  QStringLiteral("<= 1.2"),
                  1.2,
                  {},
                  {}};
    const QString mine = root + QStringLiteral("/copy-program");
    const QString theirs = root + QStringLiteral("/copy-cp");
    QDir().mkpath(mine);
    QDir().mkpath(theirs);
    bench.openMs(s.openProject);
    for (int run = 0; run < runs; ++run) {
        emptyFolder(mine);
        emptyFolder(theirs);
        runCommandMs(QStringLiteral("sync"), {});
        QStringList arguments{QStringLiteral("--")};
        arguments << s.openPhotos << theirs;
        const double cp = runCommandMs(QStringLiteral("cp"), arguments);
        const double sync = runCommandMs(QStringLiteral("sync"), {});
        flow.referenceMs.push_back(cp < 0 || sync < 0 ? -1 : cp + sync);
        runCommandMs(QStringLiteral("sync"), {});
        flow.flowMs.push_back(bench.copyToFolderMs(mine, mine + QStringLiteral("/order.txt")));
    }
    emptyFolder(mine);
    emptyFolder(theirs);
    table.push_back(flow);
}

// A tree of kSearchFiles files, 50 to a folder in folders of 50 below 40
// folders, among them the missing photos of a project; gives the project.
QString makeSearchTree(const QString& root) {
    QElapsedTimer clock;
    clock.start();
    const QString tree = root + QStringLiteral("/search");
    const QByteArray photo = cameraJpeg(64, 48, Content::Smooth, Coding::Baseline, 7);
    QStringList missing;
    int made = 0;
    for (int top = 0; made < kSearchFiles; ++top) {
        for (int mid = 0; mid < 50 && made < kSearchFiles; ++mid) {
            const QString folder =
                QStringLiteral("%1/Disk %2/Folder %3").arg(tree).arg(top).arg(mid);
            QDir().mkpath(folder);
            for (int n = 0; n < 50 && made < kSearchFiles; ++n, ++made) {
                // Every 5000th file is a photo of the order; the rest are empty.
                const bool wanted = made % (kSearchFiles / kSearchMissing) == 0;
                const QString name =
                    QStringLiteral("IMG_%1.JPG").arg(made, 6, 10, QLatin1Char('0'));
                writeBytes(folder + QLatin1Char('/') + name, wanted ? photo : QByteArray());
                if (wanted)
                    missing << QStringLiteral("C:\\Users\\Ana\\Folder %1\\%2").arg(mid).arg(name);
            }
        }
    }
    const QString project = root + QStringLiteral("/moved.mvl");
    writeProject(project, missing);
    say(QStringLiteral("search tree of %1 files made in %2 s")
            .arg(made)
            .arg(clock.elapsed() / 1000.0, 0, 'f', 1));
    return project;
}

void searchMoved(BenchWindow& bench, const QString& root, int runs, std::vector<FlowRuns>& table) {
    const QString project = makeSearchTree(root);
    const QString tree = root + QStringLiteral("/search");
    FlowRuns flow{
        QStringLiteral("find %1 missing among %2 files").arg(kSearchMissing).arg(kSearchFiles),
        QStringLiteral("< 2000 ms"),
        0,
        {},
        {}};
    flow.goalMs = 2000;
    // Once unmeasured, so that both read the folders from memory.
    runCommandMs(QStringLiteral("find"), {tree, QStringLiteral("-type"), QStringLiteral("f")});
    for (int run = 0; run < runs; ++run) {
        bench.dialogs().answers.push_back(MessageResult::No); // not when opening
        bench.openMs(project);
        OrderController& c = ui(bench.window()).orderController;
        const QList<int> rows = missingPhotoRows(c.view.MSFlexGrid1);
        if (rows.size() != kSearchMissing)
            say(QStringLiteral("search: %1 rows missing, not %2")
                    .arg(rows.size())
                    .arg(kSearchMissing));
        flow.referenceMs.push_back(runCommandMs(
            QStringLiteral("find"), {tree, QStringLiteral("-type"), QStringLiteral("f")}));
        bench.dialogs().folders.push_back(tree);
        QElapsedTimer clock;
        clock.start();
        const QList<RowPath> changed = findMissingPhotos(c, rows);
        flow.flowMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (changed.size() != kSearchMissing)
            say(QStringLiteral("search: %1 rows found, not %2")
                    .arg(changed.size())
                    .arg(kSearchMissing));
    }
    table.push_back(flow);
}

MemoryRun memory(const QString& folder, const QString& photos, double goalMb) {
    MemoryRun run{QStringLiteral("peak memory after %1 previews and adds of %2")
                      .arg(kMemoryPhotos)
                      .arg(photos),
                  QStringLiteral("<= %1 MB").arg(goalMb), goalMb, -1};
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory-child"), folder});
    if (!child.waitForFinished(-1))
        return run;
    const QString report = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
    say(QStringLiteral("memory run: %1").arg(report));
    const QStringList words = report.split(QLatin1Char(' '));
    const qsizetype at = words.indexOf(QStringLiteral("peak"));
    if (at >= 0 && at + 1 < words.size())
        run.peakMb = words[at + 1].toDouble();
    return run;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    installDesignFont();
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QStringLiteral("--memory-child"))
        return memoryChild(args[2]);
    const bool quick = args.contains(QStringLiteral("--quick"));
    const qsizetype onlyAt = args.indexOf(QStringLiteral("--only"));
    const QString only = onlyAt > 0 ? args.value(onlyAt + 1) : QString();
    const auto wanted = [&only](const char* flow) {
        return only.isEmpty() || only == QLatin1String(flow);
    };

    QElapsedTimer total;
    total.start();
    say(QStringLiteral("cores %1, load average %2 at the start")
            .arg(QThread::idealThreadCount())
            .arg(loadAverage()));
    QTemporaryDir work;
    if (!work.isValid()) {
        say(QStringLiteral("no temporary folder"));
        return 0;
    }
    const Setup setup = makePhotos(work.path());
    std::vector<FlowRuns> table;
    std::vector<MemoryRun> memoryTable;
    {
        BenchWindow bench;
        if (wanted("preview"))
            // Fifteen: a progressive photo's preview sits a few hundredths
            // under its goal, closer than seven runs' median can tell.
            previewAndAdd(bench, setup, quick ? 1 : 15, table);
        if (wanted("formats"))
            formatPreviews(bench, work.path() + QStringLiteral("/formats"), quick ? 1 : 7, table);
        if (wanted("step"))
            step(bench, setup, quick ? 1 : 7, table);
        if (wanted("open"))
            open(bench, setup, quick ? 1 : 3, table);
        if (wanted("remove"))
            removeFirst(bench, setup, quick ? 1 : 5, table);
        if (wanted("many"))
            manyAtOnce(bench, setup, quick ? 1 : 3, table);
        if (wanted("tree"))
            addTree(bench, setup.medium, work.path() + QStringLiteral("/tree"), quick ? 1 : 3,
                    table);
        if (wanted("copy"))
            copyToFolder(bench, setup, work.path(), quick ? 1 : 3, table);
        if (wanted("labjpegs"))
            labJpegs(bench, work.path() + QStringLiteral("/labjpegs"), quick ? 1 : 3, table);
        if (wanted("labframes"))
            labFrames(bench, work.path() + QStringLiteral("/labframes"), quick ? 1 : 3, table);
        if (wanted("framestep"))
            frameSteps(bench, work.path() + QStringLiteral("/framestep"), quick ? 40 : 200, table);
        if (wanted("search"))
            searchMoved(bench, work.path(), quick ? 1 : 5, table);
    }
    if (wanted("memory")) {
        memoryTable.push_back(memory(setup.memoryBaseline, QStringLiteral("24 MP baseline"), 80));
        memoryTable.push_back(
            memory(setup.memoryProgressive, QStringLiteral("24 MP progressive"), 140));
        // One full decode at a time: a 48 MP picture of 8 bits is 144 MB.
        const QString heic = work.path() + QStringLiteral("/memory-heic");
        makeHeicPhotos(heic, 8000, 6000, kMemoryPhotos);
        memoryTable.push_back(memory(heic, QStringLiteral("48 MP 8-bit HEIC photos"), 400));
    }
    say(QString());
    say(benchTable(table, memoryTable));
    say(QString());
    say(QStringLiteral("load average %1 at the end; %2 s in all")
            .arg(loadAverage())
            .arg(total.elapsed() / 1000.0, 0, 'f', 0));
    return 0;
}
