#include "selection/flows/copyexport.h"

#include "app/core/browse.h"
#include "platform/controls/flowscope.h"
#include "platform/controls/flowwait.h"
#include "platform/controls/repaintpacer.h"
#include "platform/desktop/commondialog.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "platform/desktop/shell.h"
#include "platform/files/filecopy.h"
#include "platform/files/filewriter.h"
#include "platform/files/hiddenname.h"
#include "platform/files/labjpeg.h"
#include "platform/files/textfile.h"
#include "selection/flows/folderbrowser.h"
#include "selection/flows/gridorder.h"
#include "selection/flows/listexport.h"
#include "selection/flows/ordercontroller.h"
#include "selection/order/framing.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordertexts.h"
#include "selection/order/pathnames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QProgressBar>
#include <QStringList>
#include <QThreadPool>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

QString copyFolderTitle() {
    return QStringLiteral("Select the path where you want to all the images to be saved");
}

QString folderListLine(const QString& name, const GridRow& row) {
    return oneLine(QStringLiteral("File: ") + name + QStringLiteral(", Copies ") + row.copies +
                   QStringLiteral(", Size ") + row.size);
}

QString labJpegName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot <= 0 ? name : name.left(dot)) + QStringLiteral(".jpg");
}

QString printFileName(const QString& name, const QString& size) {
    // A size with a paper's shape holds digits, separators, an x and blanks:
    // nothing a folder refuses, but it may be long.
    constexpr qsizetype kSizeBytes = 64;
    const QString tail = QLatin1Char(' ') + cutToNameBytes(oneLine(size).trimmed(), kSizeBytes) +
                         QStringLiteral(".jpg");
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot <= 0 ? name : name.left(dot);
    return cutToNameBytes(stem, kMaxNameBytes - QFile::encodeName(tail).size()) + tail;
}

QString numberedName(const QString& name, int n) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString number = QStringLiteral(" (%1)").arg(n);
    const QString stem = dot <= 0 ? name : name.left(dot);
    const QString extension = dot <= 0 ? QString() : name.mid(dot);
    // A name as long as the file system takes has no room for the number:
    // its stem gives way, then its extension.
    const auto bytes = [](const QString& text) { return QFile::encodeName(text).size(); };
    const QString kept = cutToNameBytes(stem, kMaxNameBytes - bytes(number + extension));
    return kept + number + cutToNameBytes(extension, kMaxNameBytes - bytes(kept + number));
}

void FolderNames::reserve(const QString& name) {
    m_folded.insert(name.toCaseFolded());
}

bool FolderNames::taken(const QString& name) const {
    return m_folded.contains(name.toCaseFolded());
}

QString FolderNames::claim(const QString& name, const std::function<bool(const QString&)>& usable) {
    QString free = name;
    for (int n = 2; taken(free) || (usable && !usable(free)); ++n)
        free = numberedName(name, n);
    reserve(free);
    return free;
}

namespace {

// Makes the file a photo gives the lab, on a worker thread.
using FileMaker = std::function<MadeFile(const QString& source)>;

// One file of the folder: a photo of the order however often it is listed,
// or the print of a framed row, however many rows ask for the same one.
struct FolderPhoto {
    QString name; // as it lies, or will lie, in the folder
    // How it gets there: copied as it is when none, else a file made of it
    // (a JPEG of a photo of another kind, or the print as framed).
    FileMaker make;
    // Already there, as itself or as a copy with the same bytes: listed,
    // never copied.
    bool inFolder = false;
    bool handled = false;
    // In the folder when the list is written: only then is it listed.
    bool placed = false;
};

// The file a path leads to, links followed; the path itself when it leads nowhere.
QString photoKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// The print a row with a framing of its own asks for, laid out once its photo
// is read; none for a row the lab frames (the default, or no paper shape).
std::optional<PrintLayout> printLayout(const GridRow& row, const Framing& framing) {
    const std::optional<PrintSize> print = paperShape(row.size);
    if (framing.isDefault() || !print)
        return std::nullopt;
    return [print = *print, framing](QSize upright) -> PrintPlacement {
        if (framing.mode == FramingMode::Whole) {
            const WholeOnPaper on = wholeOnPaper(upright, print);
            return {QRect(QPoint(), upright), on.paper, on.photoAt};
        }
        const QRect cut = fillCut(upright, print, framing);
        return {cut, cut.size(), {}};
    };
}

// Which file of the folder a row's line names: its photo's, or its own
// print's, shared only by rows that frame the same photo alike at the same size.
QString fileKey(const QString& photo, const GridRow& row, const Framing& framing) {
    if (!printLayout(row, framing))
        return photo;
    return QStringLiteral("%1\n%2\n%3 %4 %5 %6")
        .arg(photo, row.size)
        .arg(int(framing.mode))
        .arg(framing.scale, 0, 'g', 17)
        .arg(framing.centreX, 0, 'g', 17)
        .arg(framing.centreY, 0, 'g', 17);
}

bool inFolder(const QString& path, const QString& folder) {
    return sameFile(QFileInfo(path).absolutePath(), folder);
}

// What lies in the folder: every entry, compared without letter case, since
// the folder may go to a memory card where "a.jpg" and "A.JPG" are one file.
struct FolderEntries {
    explicit FolderEntries(const QString& path) : folder(path) {
        const QStringList all = QDir(path).entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::System | QDir::NoDotAndDotDot);
        for (const QString& entry : all) {
            folded[entry.toCaseFolded()] << entry;
            if (entry.startsWith(QLatin1Char('.')))
                hidden << entry;
        }
    }

    // Whether name can be given to a photo: nothing of that name, in any
    // letter case, lies there or is being copied there by another program,
    // or an ordinary file of exactly that name holds the photo's bytes
    // already (present).
    bool usable(const QString& name, const QString& source, bool* present) const {
        const QStringList same = folded.value(name.toCaseFolded());
        if (same.isEmpty())
            return !copyUnderWay(folder, name, hidden);
        const QFileInfo there(fullPath(folder, name));
        // A link is never taken for a copy: the lab would get the link.
        *present = same == QStringList{name} && there.isFile() && !there.isSymLink() &&
                   sameContent(there.filePath(), source);
        return *present;
    }

    QString folder;
    QHash<QString, QStringList> folded;
    QStringList hidden;
};

// Gives every distinct photo its name in the folder. Photos of the order that
// already lie there keep theirs, listed or not, and so does the list. The
// others take their own name (on one line), or the next free numbered one
// when another photo of the order has it or anything of that name is there
// already: a file in the folder is only ever replaced by the same bytes, and
// then it is left as it is. A framed row's print takes a name of its own the
// same way. keys[i] is the fileKey of rows[i], framings[i] its framing.
QHash<QString, FolderPhoto> planFolder(const QList<GridRow>& rows, const QStringList& keys,
                                       const QList<Framing>& framings, const QString& folder,
                                       const QString& listFile) {
    QHash<QString, FolderPhoto> photos;
    FolderNames names;
    for (const QString& list : {listFile, linkedFile(listFile)})
        if (!list.isEmpty() && inFolder(list, folder))
            names.reserve(QFileInfo(list).fileName());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString& key = keys[i];
        const QFileInfo lies(key);
        if (printLayout(rows[i], framings[i]))
            continue;
        // A name that would break the list's lines is copied under one that does not.
        if (!photos.contains(key) && lies.isFile() && inFolder(key, folder) &&
            oneLine(lies.fileName()) == lies.fileName() && !takesLabJpeg(key)) {
            photos.insert(key, {lies.fileName(), nullptr, true, false, true});
            names.reserve(lies.fileName());
        }
    }
    const FolderEntries entries(folder);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!isListed(rows[i].copies) || photos.contains(keys[i]))
            continue;
        const QString& source = rows[i].path;
        const QString own = oneLine(solo_file(source));
        FileMaker make;
        QString wanted = own;
        const std::optional<PrintLayout> print = printLayout(rows[i], framings[i]);
        if (print) {
            make = [layout = *print](const QString& path) { return labPrint(path, layout); };
            wanted = printFileName(own, rows[i].size);
        } else if (takesLabJpeg(source)) {
            // The lab takes JPEGs: a photo of another kind gets one made of it.
            make = labJpeg;
            wanted = labJpegName(own);
        }
        bool present = false;
        const QString name = names.claim(wanted, [&](const QString& candidate) {
            present = false;
            const bool usable = entries.usable(candidate, source, &present);
            // A print is made anew: no file there is taken for it.
            if (print && present) {
                present = false;
                return false;
            }
            return usable;
        });
        photos.insert(keys[i], {name, make, present, false, present});
    }
    return photos;
}

// Why the list may not be written as listFile, in words for the user; empty
// when it may. It never takes the place of a photo of the order, and a link
// in the folder never takes it out of the folder.
QString refusedListName(const QString& listFile, const QString& folder, const QStringList& keys) {
    // The same file also where the names differ (letter case on a memory card).
    const QString listKey = photoKey(listFile);
    if (std::any_of(keys.begin(), keys.end(),
                    [&](const QString& key) { return key == listKey || sameFile(key, listFile); }))
        return QStringLiteral("The list cannot be written as \"%1\": that is a photo of the "
                              "order. Choose another name for the list.")
            .arg(shortName(listFile));
    const QString writesTo = linkedFile(listFile);
    if (!writesTo.isEmpty() && inFolder(listFile, folder) && !inFolder(writesTo, folder))
        return QStringLiteral("The list cannot be written as \"%1\": that is a link to \"%2\", "
                              "outside the folder for the lab. Choose another name for the list.")
            .arg(shortName(listFile), shortName(writesTo));
    return {};
}

// The files made for the folder, on worker threads (as many as there are
// cores), taken in turn on the window's thread.
class MadeFiles {
public:
    MadeFiles(const QList<std::pair<QString, FileMaker>>& jobs) : m_made(std::size_t(jobs.size())) {
        m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        for (qsizetype i = 0; i < jobs.size(); ++i)
            m_pool.start([this, i, job = jobs[i]] {
                MadeFile made = job.second(job.first);
                const QMutexLocker lock(&m_mutex);
                m_made[std::size_t(i)] = std::move(made);
                m_wait.wake();
            });
    }
    ~MadeFiles() { m_pool.waitForDone(); }
    MadeFiles(const MadeFiles&) = delete;
    MadeFiles& operator=(const MadeFiles&) = delete;

    // Job i's file, waited for while the window paints.
    MadeFile take(qsizetype i) {
        auto& slot = m_made[std::size_t(i)];
        m_wait.until([&] {
            const QMutexLocker lock(&m_mutex);
            return slot.has_value();
        });
        const QMutexLocker lock(&m_mutex);
        return *std::exchange(slot, std::nullopt);
    }

private:
    QMutex m_mutex;
    FlowWait m_wait;
    std::vector<std::optional<MadeFile>> m_made;
    QThreadPool m_pool;
};

QString failureMessage(const QString& folder, const QStringList& failures) {
    return QStringLiteral("Not all of the order could be gathered in \"%1\":\n\n%2")
        .arg(shortName(folder), namedLines(failures));
}

} // namespace

void OrderController::copyToFolder() {
    OrderController& c = *this;
    const QString folder =
        path_from_id_list(browse_folder(c.view.dialogs, &c.view.window, copyFolderTitle()));
    if (folder.isEmpty())
        return;
    c.CommonDialog1.InitDir = folder;
    QString listFile = proposedFolderListName(folder, c.project_path);
    QList<GridRow> rows;
    // Each path is resolved once: a look-up on the disk per row, not three.
    QStringList keys;
    for (bool read = false;;) {
        listFile = askListFile(c, listFile);
        if (listFile.isEmpty())
            return;
        if (!read) {
            rows = readGridRows(c.view.MSFlexGrid1);
            for (const GridRow& row : rows)
                keys << photoKey(row.path);
            read = true;
        }
        const QString refused = refusedListName(listFile, folder, keys);
        if (refused.isEmpty())
            break;
        tell(c.view.dialogs, &c.view.window, refused);
    }
    // The list's place as the user chose it: what another program writes
    // there meanwhile is not replaced.
    const FileState listSeen = fileKey(listFile);

    // Until the files are in the folder: what the window's events would start
    // meanwhile waits for that.
    std::optional<FlowScope> flow(std::in_place);
    const int n = static_cast<int>(rows.size());
    // The grid shows the order's rows: row i here is the model's row i.
    QList<Framing> framings;
    QStringList files = keys;
    for (int i = 0; i < n; ++i) {
        framings << (i < c.order.count() ? c.order.rows()[i].framing : Framing{});
        files[i] = fileKey(keys[i], rows[i], framings[i]);
    }
    QHash<QString, FolderPhoto> photos = planFolder(rows, files, framings, folder, listFile);
    // The rows that bring their photo to the folder; the files made for them
    // are under way while the others are copied.
    std::vector<bool> brings(std::size_t(n), false);
    QList<std::pair<QString, FileMaker>> jobs;
    for (int i = 0; i < n; ++i) {
        FolderPhoto& photo = photos[files[i]];
        if (!isListed(rows[i].copies) || std::exchange(photo.handled, true) || photo.inFolder)
            continue;
        brings[std::size_t(i)] = true;
        if (photo.make)
            jobs.append({rows[i].path, photo.make});
    }
    MadeFiles made(jobs);
    qsizetype job = 0;
    // Copies and made files reach the disk together, each complete or not at all.
    FileWriter copies;
    QList<std::pair<QString, QString>> copied; // each file's key and source, in the order staged
    QStringList failures;
    c.ProgressBar1.show();
    RepaintPacer painter(c.ProgressBar1);
    for (int i = 0; i < n; ++i) {
        const FolderPhoto& photo = photos[files[i]];
        const QString destination = fullPath(folder, photo.name);
        if (brings[std::size_t(i)] && !photo.make) {
            copies.copy(rows[i].path, destination, CopyOver::NeverReplace);
            copied.append({files[i], rows[i].path});
        } else if (brings[std::size_t(i)]) {
            const MadeFile file = made.take(job++);
            if (file.ok()) {
                // Nothing may lie there by then: no file of the user's is replaced.
                const FileState nothing;
                copies.write(destination, file.bytes, &nothing);
                copied.append({files[i], rows[i].path});
            } else {
                failures << QStringLiteral("%1: %2").arg(shortName(rows[i].path), file.error);
            }
        }
        c.ProgressBar1.setMaximum(n);
        c.ProgressBar1.setValue(i + 1);
        painter.step(i + 1 == n);
    }
    const std::vector<FileResult<Written>>& results = copies.commit();
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto& [key, source] = copied[static_cast<qsizetype>(i)];
        photos[key].placed = results[i].ok();
        if (!photos[key].placed)
            failures << QStringLiteral("%1: %2").arg(shortName(source), results[i].failure().why);
    }
    // The list names what is in the folder, nothing else.
    QStringList lines;
    for (int i = 0; i < n; ++i)
        if (isListed(rows[i].copies) && photos[files[i]].placed)
            lines << folderListLine(photos[files[i]].name, rows[i]);
    const FileResult<Written> written = writeFileWhole(listFile, textFileBytes(lines), &listSeen);
    c.ProgressBar1.hide();
    flow.reset();
    if (!written.ok())
        failures << QStringLiteral("The list \"%1\" could not be written: %2.")
                        .arg(shortName(listFile), written.failure().why);
    if (!failures.isEmpty())
        tell(c.view.dialogs, &c.view.window, failureMessage(folder, failures));
    if (written.ok() && !written->note.isEmpty())
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The list \"%1\" was written, but %2.")
                 .arg(shortName(listFile), written->note));
    const QString unshown =
        QStringLiteral("The folder \"%1\" could not be opened.").arg(shortName(folder));
    if (!c.view.shell.start(
            {QStringLiteral("explorer.exe"), folder, WindowStyle::Normal, tellLater(c, unshown)}))
        tell(c.view.dialogs, &c.view.window, unshown);
}
