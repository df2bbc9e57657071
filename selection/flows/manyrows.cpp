#include "selection/flows/manyrows.h"

#include "selection/flows/ordercontroller.h"

#include "app/core/browse.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/flowescape.h"
#include "platform/controls/flowscope.h"
#include "platform/controls/flowwait.h"
#include "platform/controls/foldertree.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "selection/dialogs/photorow.h"
#include "selection/dialogs/props.h"
#include "selection/flows/orderhandlers.h"
#include "selection/flows/thumbnailbatch.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordertexts.h"
#include "selection/order/photonames.h"
#include "selection/order/selectionlist.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

QStringList inFolder(const QString& folder, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names)
        paths << fullPath(folder, name);
    return paths;
}

// How often the window is painted while photos are added.
constexpr qint64 kAddPaintMs = 50;

} // namespace

QStringList selectedListedPhotos(OrderController& c) {
    return inFolder(c.view.File1.Path(), c.view.File1.SelectedFileNames());
}

QStringList allListedPhotos(OrderController& c) {
    return inFolder(c.view.File1.Path(), c.view.File1.FileNames());
}

void OrderController::addPhotos(const QStringList& paths) {
    OrderController& c = *this;
    if (paths.isEmpty())
        return;
    const int room = c.order.room();
    if (room <= 0) {
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The selection is full: %1 photos are the most it can hold, so %2.")
                 .arg(SelectionList::kMaxPhotos)
                 .arg(numbered(paths.size(), "the photo was not added",
                               "none of the %1 photos was added")));
        return;
    }
    const FlowScope flow;
    const QStringList taken = paths.mid(0, room);
    const qsizetype leftOut = paths.size() - taken.size();
    ThumbnailBatch thumbnails(taken);
    emit c.busy(0, std::max(1, static_cast<int>(taken.size())));
    std::optional<PaintTurns> turns(std::in_place, kAddPaintMs, c.busyShownBy());
    turns->paint();

    QStringList unread;
    OrderRows added;
    std::optional<FlowEscape> escape(std::in_place);
    for (int i = 0; i < taken.size() && !escape->pressed(); ++i) {
        PhotoThumbnail thumb = thumbnails.take(i);
        emit c.progress(i + 1);
        if (turns->due())
            turns->paint();
        if (!thumb.ok()) {
            unread << QStringLiteral("%1: %2").arg(shortName(taken[i]), thumb.error);
            continue;
        }
        // The loader keeps the photo previewed, which a click on the preview adds.
        thumb.picture = {};
        added << newPhotoRow(taken[i], drawRowThumbnail(c.view, thumb));
    }
    escape.reset();
    turns.reset();
    emit c.idle();
    c.order.addRows(added, addingName(static_cast<int>(added.size())));
    if (!added.isEmpty())
        showLastRowCurrent(c.view);
    scrollToLastRowIfNeeded(c.view);

    if (leftOut > 0)
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The selection is full: %1 photos are the most it can hold, so %2 of "
                            "the %3 photos were left out.")
                 .arg(SelectionList::kMaxPhotos)
                 .arg(leftOut)
                 .arg(paths.size()));
    if (!unread.isEmpty())
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("These photos could not be read and were not added:\n\n%1")
                 .arg(namedLines(unread)));
    c.view.File1.setFocus();
}

FolderTree listedTree(OrderController& c) {
    return folderTree(c.view.File1.Path(), photoPatterns());
}

void tellLeftOutFolders(OrderController& c, int hidden, int unread) {
    QStringList parts;
    if (hidden > 0)
        parts << numbered(hidden, "1 hidden folder", "%1 hidden folders");
    if (unread > 0)
        parts << numbered(unread, "1 folder that could not be read",
                          "%1 folders that could not be read");
    if (!parts.isEmpty())
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("Left out, with the photos in them: %1.")
                 .arg(parts.join(QStringLiteral(" and "))));
}

void addListedTree(OrderController& c) {
    const FolderTree tree = listedTree(c);
    c.addPhotos(tree.photos);
    tellLeftOutFolders(c, tree.hiddenFolders, tree.unreadFolders);
}

QList<int> pickedRows(OrderController& c) {
    QList<int> rows;
    for (int row : c.view.MSFlexGrid1.SelectedRows())
        if (row >= 1 && row <= c.order.count())
            rows << row;
    return rows;
}

void removeRows(OrderController& c, const QList<int>& rows) {
    QList<int> indices;
    for (int row : rows)
        indices << row - 1;
    c.order.removeRowsAt(indices, removingName(static_cast<int>(rows.size())));
}

void editRows(OrderController& c, const QList<int>& rows) {
    if (rows.isEmpty())
        return;
    c.view.MSFlexGrid1.setRow(rows.first());
    c.list.edit_row = static_cast<std::int16_t>(rows.first());
    Props props(c.view);
    props.startFraming(c.order.rows()[rows.first() - 1].framing);
    props.exec();
    leaveEditedRow(c);
    if (props.outcome() != Props::Outcome::Ok)
        return;
    // Each row keeps its photo, and so its pixel size, for print fit.
    QList<std::pair<int, OrderRow>> edited;
    for (int row : rows) {
        OrderRow r = c.order.rows()[row - 1];
        r.copies = props.chosenCopies();
        r.size = props.chosenSize();
        // Photos of other shapes share no cut: the way chosen, centred.
        if (props.framingChanged())
            r.framing = props.chosenFraming().mode == FramingMode::Whole
                            ? Framing{FramingMode::Whole}
                            : Framing{};
        edited.append({row - 1, r});
    }
    c.order.changeRows(edited, changingName(static_cast<int>(rows.size())));
}
