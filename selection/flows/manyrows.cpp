#include "selection/flows/manyrows.h"

#include "app/core/browse.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "selection/dialogs/photorow.h"
#include "selection/dialogs/props.h"
#include "selection/flows/gridorder.h"
#include "selection/flows/orderhandlers.h"
#include "selection/flows/orderundo.h"
#include "selection/flows/thumbnailbatch.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordertexts.h"
#include "selection/order/selectionlist.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <vector>

namespace {

QStringList inFolder(const QString& folder, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names)
        paths << fullPath(folder, name);
    return paths;
}

void showLoading(SelectionControls& c, int photos) {
    c.ProgressBar2.setMinimum(0);
    c.ProgressBar2.setMaximum(std::max(1, photos));
    c.ProgressBar2.setValue(0);
    c.ProgressBar2.show();
    c.Label7.show();
    c.Label7.repaint();
    c.ProgressBar2.repaint();
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
    const int room = SelectionList::kMaxPhotos - c.list.count;
    if (room <= 0) {
        tell(c.dialogs, &c.window,
             QStringLiteral("The selection is full: %1 photos are the most it can hold, so %2.")
                 .arg(SelectionList::kMaxPhotos)
                 .arg(numbered(paths.size(), "the photo was not added",
                               "none of the %1 photos was added")));
        return;
    }
    const QStringList taken = paths.mid(0, room);
    const qsizetype leftOut = paths.size() - taken.size();
    const OrderState before = currentOrder(c);
    ThumbnailBatch thumbnails(taken);
    showLoading(c, static_cast<int>(taken.size()));

    QStringList unread;
    int added = 0;
    for (int i = 0; i < taken.size(); ++i) {
        PhotoThumbnail thumb = thumbnails.take(i);
        c.ProgressBar2.setValue(i + 1);
        c.ProgressBar2.repaint();
        if (!thumb.ok()) {
            unread << QStringLiteral("%1: %2").arg(shortName(taken[i]), thumb.error);
            continue;
        }
        // The loader keeps the photo previewed, which a click on the preview adds.
        thumb.picture = {};
        beginPhotoRow(c, taken[i]);
        setRowThumbnail(c, thumb);
        endPhotoRow(c, taken[i]);
        ++added;
    }
    c.ProgressBar2.hide();
    c.Label7.hide();
    recordOrderChange(c, addingName(added), before);

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
        if (row >= 1 && row <= c.list.count)
            rows << row;
    return rows;
}

void removeRows(SelectionControls& c, const QList<int>& rows) {
    const OrderState before = currentOrder(c);
    const OrderRows& shown = before.rows;
    std::vector<bool> goes(static_cast<std::size_t>(shown.size()) + 1, false);
    for (int row : rows)
        if (row >= 1 && row <= shown.size())
            goes[static_cast<std::size_t>(row)] = true;
    OrderRows after;
    after.reserve(shown.size());
    int removed = 0;
    for (int i = 1; i <= shown.size(); ++i) {
        if (goes[static_cast<std::size_t>(i)])
            ++removed;
        else
            after << shown[i - 1];
    }
    if (removed == 0)
        return;
    showOrderRows(c, after);
    recordOrderChange(c, removingName(removed), before);
}

void editRows(SelectionControls& c, const QList<int>& rows) {
    if (rows.isEmpty())
        return;
    FlexGrid& grid = c.MSFlexGrid1;
    const OrderState before = currentOrder(c);
    grid.setRow(rows.first());
    c.list.edit_row = static_cast<std::int16_t>(rows.first());
    Props::Outcome outcome = Props::Outcome::Closed;
    {
        Props props(c);
        props.exec();
        outcome = props.outcome();
    }
    if (outcome == Props::Outcome::Ok) {
        const QString copies = grid.TextMatrix(rows.first(), ColCopies);
        const QString size = grid.TextMatrix(rows.first(), ColSize);
        for (int row : rows) {
            grid.setTextMatrix(row, ColCopies, copies);
            grid.setTextMatrix(row, ColSize, size);
            // The row keeps its photo's pixel size, for print fit.
            SelectionEntry& entry = *c.list.entry(row);
            entry.file = grid.TextMatrix(row, ColFile);
            entry.copies = copies;
            entry.size = size;
        }
    }
    copyBackCurrentRow(c);
    const bool removed = outcome == Props::Outcome::Removed;
    recordOrderChange(c, removed ? removingName(1) : changingName(static_cast<int>(rows.size())),
                      before);
}
