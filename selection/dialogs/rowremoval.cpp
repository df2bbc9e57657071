#include "selection/dialogs/rowremoval.h"

#include "platform/controls/flexgrid.h"
#include "selection/dialogs/photorow.h"
#include "selection/order/gridrow.h"
#include "selection/order/selectionlist.h"

QStringList removeEditRow(SelectionControls& c) {
    SelectionList& list = c.list;
    FlexGrid& grid = c.MSFlexGrid1;
    const int r = list.edit_row;
    const int n = list.count;
    // The row editor only opens on a data row; anything else is left alone.
    if (r < 1 || r > n || n > SelectionList::kMaxPhotos)
        return {};

    QStringList problems;
    grid.setRows(grid.Rows() - 1);
    for (int i = r; i <= n - 1; ++i) {
        SelectionEntry& entry = *list.entry(i);
        entry = *list.entry(i + 1);

        grid.setRow(i);
        grid.setCol(ColPhoto);
        entry.pixels = setRowThumbnail(c, entry.file, problems);
        grid.setCol(ColFile);
        grid.setText(entry.file);
        grid.setCol(ColCopies);
        grid.setText(entry.copies);
        grid.setCol(ColSize);
        grid.setText(entry.size);
        grid.setCol(ColPath);
        grid.setText(entry.file);
    }
    --list.count;
    showCount(c, list.count);
    return problems;
}
