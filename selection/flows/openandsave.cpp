#include "selection/flows/openandsave.h"

#include "platform/controls/flexgrid.h"
#include "platform/controls/flowscope.h"
#include "platform/controls/flowwait.h"
#include "platform/controls/picturebox.h"
#include "platform/desktop/commondialog.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "platform/files/picturecache.h"
#include "platform/files/picturefile.h"
#include "platform/files/textfile.h"
#include "selection/dialogs/photorow.h"
#include "selection/flows/gridorder.h"
#include "selection/flows/missingphotos.h"
#include "selection/flows/ordercontroller.h"
#include "selection/flows/thumbnailbatch.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordertexts.h"
#include "selection/order/projectfile.h"
#include "selection/order/selectionlist.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

const QString kProjectFilter = QStringLiteral("Marvolia files|*.mvl");
// Far beyond 999 photos with long paths; anything larger is not a project.
constexpr qint64 kMaxProjectBytes = 64 * 1024 * 1024;
// How often the window is painted while a project loads.
constexpr qint64 kLoadPaintMs = 50;

QString unstorableField(const ProjectRecord& r) {
    if (!storableInProject(r.file))
        return QStringLiteral("path");
    if (!storableInProject(r.copies))
        return QStringLiteral("copies");
    return QStringLiteral("size");
}

QString missingPicturesMessage(const QString& file, const QStringList& failures) {
    return QStringLiteral("The project \"%1\" was loaded, but these pictures could not be "
                          "shown:\n\n%2")
        .arg(shortName(file), namedLines(failures));
}

} // namespace

namespace {

FileResult<void> saveProjectTo(OrderController& c, const QString& file) {
    QList<ProjectRecord> records;
    const QList<GridRow> rows = readGridRows(c.view.MSFlexGrid1);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        // The grid shows the order; the framing is only the order's.
        const Framing framing =
            i < c.order.count() ? c.order.rows()[static_cast<int>(i)].framing : Framing{};
        records.append({rows[i].file, rows[i].copies, rows[i].size, framing});
    }
    const int bad = firstUnstorableRecord(records);
    if (bad >= 0) {
        const QString why =
            QStringLiteral("the %1 of row %2, the photo \"%3\", holds a double quote (\") where "
                           "a project file cannot store it: at its start, or in a text with a "
                           "comma or a leading blank")
                .arg(unstorableField(records[bad]), QString::number(bad + 1), records[bad].file);
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The project could not be saved to \"%1\": %2. Nothing was written.")
                 .arg(file, why));
        return FileFailure{file, why};
    }
    // The project this window last read or wrote is replaced only as it was then.
    const std::optional<FileKey>& known = c.order.projectFile();
    const bool sameProject =
        known && QFileInfo(known->path).absoluteFilePath() == QFileInfo(file).absoluteFilePath();
    const FileResult<Written> written =
        writeFileWhole(file, projectFileBytes(records), sameProject ? &known : nullptr);
    if (!written.ok() && written.failure().fault == FileFault::ChangedMeanwhile) {
        // Said once: saving again replaces it.
        c.order.rememberProjectFile(fileKey(file));
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The project could not be saved to \"%1\": %2. It was left as it "
                            "was; save again to replace it.")
                 .arg(file, sameProject ? QStringLiteral("another program changed it since "
                                                         "Marvolia last opened or saved it")
                                        : written.failure().why));
        return written.failure();
    }
    if (!written.ok()) {
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The project could not be saved to \"%1\": %2. Any file of that "
                            "name was left as it was.")
                 .arg(shortName(file), written.failure().why));
        return written.failure();
    }
    c.project_path = file;
    c.order.markSaved();
    c.order.rememberProjectFile(written->file);
    if (!written->note.isEmpty())
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The project was saved to \"%1\", but %2.").arg(file, written->note));
    return {};
}

} // namespace

FileResult<bool> runSave(OrderController& c) {
    CommonDialog& dialog = c.CommonDialog1;
    dialog.Filter = kProjectFilter;
    dialog.FileName = c.project_path.isEmpty() ? QStringLiteral("untiteled") : c.project_path;
    dialog.Flags = 2;
    dialog.ShowSave();
    const QString file = dialog.FileName;
    if (file.isEmpty())
        return false;
    if (const FileResult<void> saved = saveProjectTo(c, file); !saved.ok())
        return saved.failure();
    return true;
}

void OrderController::saveProject() {
    // Told already, whatever came of it.
    static_cast<void>(runSave(*this));
}

void saveOpenProject(OrderController& c) {
    if (c.project_path.isEmpty() || c.order.openedShort())
        c.saveProject();
    else
        static_cast<void>(saveProjectTo(c, c.project_path));
}

namespace {
MessageResult askToSaveActual(OrderController& c) {
    return c.view.dialogs.message(&c.view.window, programTitle(),
                                  QStringLiteral("Do you want to save actual proyect ?"),
                                  MessageButtons::YesNoCancel, MessageIcon::None);
}
} // namespace

bool mayCloseOrder(OrderController& c) {
    if (c.view.MSFlexGrid1.Rows() <= 1 || !c.order.changedSinceSaved())
        return true;
    switch (askToSaveActual(c)) {
    case MessageResult::No:
        return true;
    case MessageResult::Yes: {
        const FileResult<bool> saved = runSave(c);
        return saved.ok() && *saved;
    }
    default:
        return false;
    }
}

bool offerToSave(OrderController& c) {
    if (c.view.MSFlexGrid1.Rows() > 1) {
        const MessageResult answer = askToSaveActual(c);
        if (answer == MessageResult::Cancel)
            return false;
        // A save that failed must not be followed by replacing what it could not keep.
        if (answer == MessageResult::Yes && !runSave(c).ok())
            return false;
    }
    return true;
}

void OrderController::openProject() {
    OrderController& c = *this;
    if (!offerToSave(c))
        return;
    CommonDialog& dialog = c.CommonDialog1;
    dialog.Filter = kProjectFilter;
    dialog.FileName.clear();
    dialog.Flags = 2;
    dialog.ShowOpen();
    if (dialog.FileName.isEmpty())
        return;
    loadProject(c, dialog.FileName, markerPicturePath());
}

void openProjectFile(OrderController& c, const QString& file) {
    if (offerToSave(c))
        loadProject(c, file, markerPicturePath());
}

QString markerPicturePath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/no.jpg");
}

int loadingProgressMaximum(int count, int records) {
    return std::max({count, records, 1});
}

QList<RowPath> loadProject(OrderController& c, const QString& file, const QString& markerPath) {
    // One asked for while another flow runs (at start, say) opens after it.
    if (FlowScope::running()) {
        FlowScope::afterFlow(&c.view.window,
                             [&c, file, markerPath] { loadProject(c, file, markerPath); });
        return {};
    }
    // As it is read: a later save tells whether another program wrote it since.
    const std::optional<FileKey> read = fileKey(file);
    const FileResult<QString> text = readTextFile(file, kMaxProjectBytes);
    if (!text.ok()) {
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The project \"%1\" could not be opened: %2. The selection was left "
                            "as it was.")
                 .arg(shortName(file), text.failure().why));
        return {};
    }
    const ProjectRead project = readProjectText(*text, SelectionList::kMaxPhotos);
    if (!project.ok()) {
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The project \"%1\" cannot be read: %2. The selection was left as "
                            "it was.")
                 .arg(shortName(file), project.error));
        return {};
    }

    const FlowScope flow;
    c.order.rememberProjectFile(read);
    // The thumbnails are made on worker threads meanwhile, in record order.
    QStringList paths;
    for (const ProjectRecord& record : project.records)
        paths << record.file;
    ThumbnailBatch thumbnails(paths);

    // A missing marker leaves the "0" on its own.
    const PictureRead marker = readPictureFile(markerPath);
    // Rows come in one by one as their thumbnails do, all one step.
    c.order.undoStack().beginMacro(openingName(file));
    c.order.replaceRows({}, openingName(file));
    emit c.busy(1, loadingProgressMaximum(project.count, static_cast<int>(project.records.size())));
    // The closed Open dialog goes and "Loading..." comes up at once; then the
    // window paints while waiting for a thumbnail, or now and then when they
    // come faster.
    updateWhole(c.view.window);
    std::optional<PaintTurns> turns(std::in_place, kLoadPaintMs, c.busyShownBy());
    turns->paint();

    QStringList unshown;
    QList<int> missing;   // rows whose photo is not there at all
    int lastShown = -1;   // the last record whose photo could be shown
    int loaderHolds = -1; // the record whose photo the loader holds
    std::int16_t n = 0;
    for (const ProjectRecord& record : project.records) {
        ++n;
        const PhotoThumbnail thumb = thumbnails.take(n - 1);
        const RowPicture picture = drawRowThumbnail(c.view, thumb);
        if (!picture.ok()) {
            unshown << QStringLiteral("%1: %2").arg(shortName(record.file), picture.error);
            if (!QFileInfo(record.file).isFile())
                missing << n;
        } else
            lastShown = n - 1;
        if (thumb.picture.ok())
            loaderHolds = n - 1;
        c.order.addRows({{record.file, record.copies, record.size, picture.thumbnail,
                          isListed(record.copies) ? QImage() : marker.image,
                          picture.ok() ? picture.pixels : QSize(), record.framing}},
                        openingName(file));
        emit c.progress(n);
        showLastRowCurrent(c.view);
        scrollToLastRowIfNeeded(c.view);
        if (turns->due())
            turns->paint();
    }
    // As after loading each photo in turn, the loader holds the last one shown.
    if (lastShown >= 0 && loaderHolds != lastShown) {
        const PictureRead last = PictureCache::shared().read(paths[lastShown], thumbnailLayout());
        if (last.ok())
            c.view.Image10.setPicture(last.image, last.fullSize, last.kept);
    }
    turns.reset();
    emit c.idle();
    c.order.undoStack().endMacro();
    // What was opened is what the file holds: no change yet. Unless the file
    // holds more than fits: keeping the order then means saving it.
    if (project.leftOut > 0)
        c.order.markOpenedShort();
    else
        c.order.markSaved();
    // The dialogs propose the project the user has open, not one saved before.
    c.project_path = file;

    if (!project.framingError.isEmpty())
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The project \"%1\" was opened, but the framing of its photos could "
                            "not be read (%2): every photo fills its paper with the cut centred.")
                 .arg(shortName(file), project.framingError));
    if (project.leftOut > 0)
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The project \"%1\" holds %2 photos, but at most %3 can be selected: "
                            "the first %3 were loaded and %4 left out.")
                 .arg(shortName(file), QString::number(project.records.size() + project.leftOut),
                      QString::number(SelectionList::kMaxPhotos),
                      numbered(project.leftOut, "1 was", "%1 were")));
    if (unshown.isEmpty())
        return {};
    if (missing.isEmpty()) {
        tell(c.view.dialogs, &c.view.window, missingPicturesMessage(file, unshown));
        return {};
    }
    const MessageResult answer =
        c.view.dialogs.message(&c.view.window, programTitle(),
                               missingPicturesMessage(file, unshown) +
                                   QStringLiteral("\n\nLook for them in another folder?"),
                               MessageButtons::YesNo, MessageIcon::Warning);
    return answer == MessageResult::Yes ? findMissingPhotos(c, missing) : QList<RowPath>();
}
