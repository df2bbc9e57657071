#include "selection/flows/copyexport.h"

#include "app/core/browse.h"
#include "platform/controls/repaintpacer.h"
#include "platform/desktop/commondialog.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "platform/desktop/shell.h"
#include "platform/files/filecopy.h"
#include "platform/files/filewriter.h"
#include "platform/files/hiddenname.h"
#include "platform/files/textfile.h"
#include "selection/flows/folderbrowser.h"
#include "selection/flows/gridorder.h"
#include "selection/flows/listexport.h"
#include "selection/flows/ordercontroller.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordertexts.h"
#include "selection/order/pathnames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProgressBar>
#include <QStringList>

#include <algorithm>

QString copyFolderTitle() {
    return QStringLiteral("Select the path where you want to all the images to be saved");
}

QString folderListLine(const QString& name, const GridRow& row) {
    return oneLine(QStringLiteral("File: ") + name + QStringLiteral(", Copies ") + row.copies +
                   QStringLiteral(", Size ") + row.size);
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

// One photo of the order, however often it is listed.
struct FolderPhoto {
    QString name; // as it lies, or will lie, in the folder
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
// then it is left as it is. keys[i] is the photoKey of rows[i].
QHash<QString, FolderPhoto> planFolder(const QList<GridRow>& rows, const QStringList& keys,
                                       const QString& folder, const QString& listFile) {
    QHash<QString, FolderPhoto> photos;
    FolderNames names;
    for (const QString& list : {listFile, linkedFile(listFile)})
        if (!list.isEmpty() && inFolder(list, folder))
            names.reserve(QFileInfo(list).fileName());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString& key = keys[i];
        const QFileInfo lies(key);
        // A name that would break the list's lines is copied under one that does not.
        if (!photos.contains(key) && lies.isFile() && inFolder(key, folder) &&
            oneLine(lies.fileName()) == lies.fileName()) {
            photos.insert(key, {lies.fileName(), true, false, true});
            names.reserve(lies.fileName());
        }
    }
    const FolderEntries entries(folder);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!isListed(rows[i].copies) || photos.contains(keys[i]))
            continue;
        const QString& source = rows[i].path;
        bool present = false;
        const QString name = names.claim(oneLine(solo_file(source)), [&](const QString& candidate) {
            present = false;
            return entries.usable(candidate, source, &present);
        });
        photos.insert(keys[i], {name, present, false, present});
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

    QHash<QString, FolderPhoto> photos = planFolder(rows, keys, folder, listFile);
    // Copies reach the disk together, each complete or not at all.
    FileWriter copies;
    QList<std::pair<QString, QString>> copied; // each copy's key and source, in the order made
    c.ProgressBar1.show();
    RepaintPacer painter(c.ProgressBar1);
    const int n = static_cast<int>(rows.size());
    for (int i = 0; i < n; ++i) {
        FolderPhoto& photo = photos[keys[i]];
        if (isListed(rows[i].copies) && !photo.handled) {
            photo.handled = true;
            if (!photo.inFolder) {
                copies.copy(rows[i].path, fullPath(folder, photo.name), CopyOver::NeverReplace);
                copied.append({keys[i], rows[i].path});
            }
        }
        c.ProgressBar1.setMaximum(n);
        c.ProgressBar1.setValue(i + 1);
        painter.step(i + 1 == n);
    }
    QStringList failures;
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
        if (isListed(rows[i].copies) && photos[keys[i]].placed)
            lines << folderListLine(photos[keys[i]].name, rows[i]);
    const FileResult<Written> written = writeFileWhole(listFile, textFileBytes(lines), &listSeen);
    c.ProgressBar1.hide();
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
