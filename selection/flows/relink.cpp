#include "selection/flows/relink.h"

#include "platform/controls/flexgrid.h"
#include "platform/desktop/messagetext.h"
#include "selection/dialogs/photorow.h"
#include "selection/dialogs/selectioncontrols.h"
#include "selection/flows/thumbnailbatch.h"
#include "selection/order/gridrow.h"
#include "selection/order/selectionlist.h"

QList<RowPath> relinkRows(SelectionControls& c, const QList<RowPath>& changes,
                          QStringList* unshown) {
    FlexGrid& grid = c.MSFlexGrid1;
    QList<RowPath> todo;
    for (const RowPath& change : changes)
        if (change.row >= 1 && change.row < grid.Rows() && c.list.entry(change.row) &&
            grid.TextMatrix(change.row, ColFile) != change.path)
            todo << change;
    if (todo.isEmpty())
        return {};

    QStringList paths;
    for (const RowPath& change : todo)
        paths << change.path;
    ThumbnailBatch thumbnails(paths);
    const int row = grid.Row();
    const int col = grid.Col();
    QList<RowPath> before;
    for (qsizetype i = 0; i < todo.size(); ++i) {
        const RowPath& change = todo[i];
        before << RowPath{change.row, grid.TextMatrix(change.row, ColFile)};
        grid.setTextMatrix(change.row, ColFile, change.path);
        grid.setTextMatrix(change.row, ColPath, change.path);
        c.list.entry(change.row)->file = change.path;
        grid.setRow(change.row);
        grid.setCol(ColPhoto);
        const QString failed = setRowThumbnail(c, thumbnails.take(static_cast<int>(i)));
        if (!failed.isEmpty() && unshown)
            *unshown << QStringLiteral("%1: %2").arg(shortName(change.path), failed);
    }
    grid.setRow(row);
    grid.setCol(col);
    return before;
}
