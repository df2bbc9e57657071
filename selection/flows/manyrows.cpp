#include "selection/flows/manyrows.h"

#include "app/core/browse.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/flowscope.h"
#include "platform/controls/flowwait.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "selection/dialogs/photorow.h"
#include "selection/dialogs/props.h"
#include "selection/flows/orderhandlers.h"
#include "selection/flows/thumbnailbatch.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordertexts.h"
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

void showLoading(SelectionControls& c, int photos) {
    c.ProgressBar2.setMinimum(0);
    c.ProgressBar2.setMaximum(std::max(1, photos));
    c.ProgressBar2.setValue(0);
    c.ProgressBar2.show();
    c.Label7.show();
}

} // namespace

QStringList selectedListedPhotos(SelectionControls& c) {
    return inFolder(c.File1.Path(), c.File1.SelectedFileNames());
}

QStringList allListedPhotos(SelectionControls& c) {
    return inFolder(c.File1.Path(), c.File1.FileNames());
}

void addPhotos(SelectionControls& c, const QStringList& paths) {
    if (paths.isEmpty())
        return;
    const int room = c.order.room();
    if (room <= 0) {
        tell(c.dialogs, &c.window,
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
    showLoading(c, static_cast<int>(taken.size()));
    std::optional<PaintTurns> turns(std::in_place, kAddPaintMs,
                                    QList<QWidget*>{&c.Label7, &c.ProgressBar2});
    turns->paint();

    QStringList unread;
    OrderRows added;
    for (int i = 0; i < taken.size(); ++i) {
        PhotoThumbnail thumb = thumbnails.take(i);
        c.ProgressBar2.setValue(i + 1);
        if (turns->due())
            turns->paint();
        if (!thumb.ok()) {
            unread << QStringLiteral("%1: %2").arg(shortName(taken[i]), thumb.error);
            continue;
        }
        // The loader keeps the photo previewed, which a click on the preview adds.
        thumb.picture = {};
        added << newPhotoRow(taken[i], drawRowThumbnail(c, thumb));
    }
    turns.reset();
    c.ProgressBar2.hide();
    c.Label7.hide();
    c.order.addRows(added, addingName(static_cast<int>(added.size())));
    if (!added.isEmpty())
        showLastRowCurrent(c);
    scrollToLastRowIfNeeded(c);

    if (leftOut > 0)
        tell(c.dialogs, &c.window,
             QStringLiteral("The selection is full: %1 photos are the most it can hold, so %2 of "
                            "the %3 photos were left out.")
                 .arg(SelectionList::kMaxPhotos)
                 .arg(leftOut)
                 .arg(paths.size()));
    if (!unread.isEmpty())
        tell(c.dialogs, &c.window,
             QStringLiteral("These photos could not be read and were not added:\n\n%1")
                 .arg(namedLines(unread)));
    c.File1.setFocus();
}

QList<int> pickedRows(SelectionControls& c) {
    QList<int> rows;
    for (int row : c.MSFlexGrid1.SelectedRows())
        if (row >= 1 && row <= c.order.count())
            rows << row;
    return rows;
}

void removeRows(SelectionControls& c, const QList<int>& rows) {
    QList<int> indices;
    for (int row : rows)
        indices << row - 1;
    c.order.removeRowsAt(indices, removingName(static_cast<int>(rows.size())));
}

void editRows(SelectionControls& c, const QList<int>& rows) {
    if (rows.isEmpty())
        return;
    c.MSFlexGrid1.setRow(rows.first());
    c.list.edit_row = static_cast<std::int16_t>(rows.first());
    Props props(c);
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
