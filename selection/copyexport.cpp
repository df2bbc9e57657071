#include "copyexport.h"

#include "browse.h"
#include "commondialog.h"
#include "dialogs.h"
#include "filecopy.h"
#include "folderbrowser.h"
#include "hiddenname.h"
#include "messagetext.h"
#include "orderlist.h"
#include "repaintpacer.h"
#include "selectioncontrols.h"
#include "selectionrules.h"
#include "shell.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProgressBar>
#include <QStringList>

QString copyFolderTitle() {
    return QStringLiteral("Select the path where you want to all the images to be saved");
}

QString folderListLine(const QString& name, const GridRow& row) {
    return QStringLiteral("File: ") + name + QStringLiteral(", Copies ") + row.copies +
           QStringLiteral(", Size ") + row.size;
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
};

// The file a path leads to, links followed; the path itself when it leads nowhere.
QString photoKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// Gives every distinct photo its name in the folder. Photos of the order that
// already lie there keep theirs, listed or not, and so does the list. The
// others take their own name, or the next free numbered one when another
// photo of the order has it or a file of that name is there already: a file
// in the folder is only ever replaced by the same bytes, and then it is left
// as it is. keys[i] is the photoKey of rows[i].
QHash<QString, FolderPhoto> planFolder(const QList<GridRow>& rows, const QStringList& keys,
                                       const QString& folder, const QString& listFile) {
    QHash<QString, FolderPhoto> photos;
    FolderNames names;
    if (sameFile(QFileInfo(listFile).absolutePath(), folder))
        names.reserve(QFileInfo(listFile).fileName());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString& key = keys[i];
        const QFileInfo lies(key);
        if (!photos.contains(key) && lies.isFile() && sameFile(lies.absolutePath(), folder)) {
            photos.insert(key, {lies.fileName(), true});
            names.reserve(lies.fileName());
        }
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!isListed(rows[i].copies) || photos.contains(keys[i]))
            continue;
        const QString& source = rows[i].path;
        bool present = false;
        const QString name = names.claim(solo_file(source), [&](const QString& candidate) {
            const QFileInfo there(fullPath(folder, candidate));
            present = there.exists() && sameContent(there.filePath(), source);
            return present || !(there.exists() || there.isSymLink());
        });
        photos.insert(keys[i], {name, present});
    }
    return photos;
}

QString failureMessage(const QString& folder, const QStringList& failures) {
    return QStringLiteral("Not all of the order could be gathered in \"%1\":\n\n%2")
        .arg(shortName(folder), namedLines(failures));
}

} // namespace

void copyToFolder(SelectionControls& c) {
    const QString folder =
        path_from_id_list(browse_folder(c.dialogs, &c.window, copyFolderTitle()));
    if (folder.isEmpty())
        return;
    c.CommonDialog1.InitDir = folder;
    const QString listFile = askListFile(c, proposedFolderListName(folder, c.project_path));
    if (listFile.isEmpty())
        return;

    const QList<GridRow> rows = readGridRows(c.MSFlexGrid1);
    // Each path is resolved once: a look-up on the disk per row, not three.
    QStringList keys;
    keys.reserve(rows.size());
    for (const GridRow& row : rows)
        keys << photoKey(row.path);
    QHash<QString, FolderPhoto> photos = planFolder(rows, keys, folder, listFile);
    QStringList lines;
    // Copies reach the disk together, each complete or not at all.
    CopyBatch copies;
    QStringList copied; // the source of each copy, in the order made
    c.ProgressBar1.show();
    RepaintPacer painter(c.ProgressBar1);
    const int n = static_cast<int>(rows.size());
    for (int i = 0; i < n; ++i) {
        const GridRow& row = rows[i];
        if (isListed(row.copies)) {
            FolderPhoto& photo = photos[keys[i]];
            lines << folderListLine(photo.name, row);
            if (!photo.handled && !photo.inFolder) {
                copies.add(row.path, fullPath(folder, photo.name));
                copied << row.path;
            }
            photo.handled = true;
        }
        c.ProgressBar1.setMaximum(n);
        c.ProgressBar1.setValue(i + 1);
        painter.step(i + 1 == n);
    }
    QStringList failures;
    const std::vector<CopyResult>& results = copies.commit();
    for (std::size_t i = 0; i < results.size(); ++i)
        if (results[i].outcome == CopyOutcome::Failed)
            failures << QStringLiteral("%1: %2").arg(shortName(copied[static_cast<qsizetype>(i)]),
                                                     results[i].error);
    const QString listFailed = writeFileAtomically(listFile, textFileBytes(lines));
    c.ProgressBar1.hide();
    if (!listFailed.isEmpty())
        failures << QStringLiteral("The list \"%1\" could not be written: %2.")
                        .arg(shortName(listFile), listFailed);
    if (!failures.isEmpty())
        tell(c.dialogs, &c.window, failureMessage(folder, failures));
    const QString unshown =
        QStringLiteral("The folder \"%1\" could not be opened.").arg(shortName(folder));
    if (!c.shell.start(
            {QStringLiteral("explorer.exe"), folder, WindowStyle::Normal, tellLater(c, unshown)}))
        tell(c.dialogs, &c.window, unshown);
}
