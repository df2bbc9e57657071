#include "selection/flows/gridorder.h"

#include "platform/controls/flexgrid.h"
#include "selection/dialogs/photorow.h"
#include "selection/dialogs/selectioncontrols.h"
#include "selection/order/selectionlist.h"

#include <QGroupBox>

#include <algorithm>

namespace {

bool rowShows(const FlexGrid& grid, int i, const OrderRow& row) {
    return grid.TextMatrix(i, ColFile) == row.file && grid.TextMatrix(i, ColPath) == row.file &&
           grid.TextMatrix(i, ColCopies) == row.copies && grid.TextMatrix(i, ColSize) == row.size &&
           grid.RowHeight(i) == kDataRowTwips &&
           samePicture(grid.CellPictureAt(i, ColPhoto), row.thumbnail) &&
           samePicture(grid.CellPictureAt(i, ColCopies), row.copiesPicture);
}

} // namespace

QList<GridRow> readGridRows(FlexGrid& grid) {
    QList<GridRow> rows;
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.setRow(row);
        GridRow r;
        for (auto [col, text] : {std::pair{ColFile, &r.file}, std::pair{ColCopies, &r.copies},
                                 std::pair{ColSize, &r.size}, std::pair{ColPath, &r.path}}) {
            grid.setCol(col);
            *text = grid.Text();
        }
        rows.append(r);
    }
    return rows;
}

OrderRows orderRows(const FlexGrid& grid) {
    OrderRows rows;
    rows.reserve(std::max(0, grid.Rows() - 1));
    for (int i = 1; i < grid.Rows(); ++i)
        rows.append({grid.TextMatrix(i, ColFile), grid.TextMatrix(i, ColCopies),
                     grid.TextMatrix(i, ColSize), grid.CellPictureAt(i, ColPhoto),
                     grid.CellPictureAt(i, ColCopies), QSize()});
    return rows;
}

void showOrderRows(SelectionControls& c, const OrderRows& given) {
    FlexGrid& grid = c.MSFlexGrid1;
    SelectionList& list = c.list;
    // The table has room for 999 photos; nothing beyond is ever shown.
    const OrderRows rows = given.mid(0, SelectionList::kMaxPhotos);
    const int n = static_cast<int>(rows.size());
    const int row = grid.Row();
    const int col = grid.Col();
    grid.setRows(n + 1);
    for (int i = 1; i <= n; ++i) {
        const OrderRow& r = rows[i - 1];
        list.entries[static_cast<std::size_t>(i)] = {r.file, r.copies, r.size, r.pixels};
        if (rowShows(grid, i, r))
            continue;
        grid.setRowHeight(i, kDataRowTwips);
        grid.setTextMatrix(i, ColFile, r.file);
        grid.setTextMatrix(i, ColCopies, r.copies);
        grid.setTextMatrix(i, ColSize, r.size);
        grid.setTextMatrix(i, ColPath, r.file);
        grid.setRow(i);
        grid.setCol(ColPhoto);
        grid.setCellPicture(r.thumbnail);
        grid.setCellPictureAlignment(1);
        grid.setCol(ColCopies);
        grid.setCellPicture(r.copiesPicture);
    }
    if (n > 0)
        grid.setWordWrap(true);
    list.count = static_cast<std::int16_t>(n);
    grid.setRow(row);
    grid.setCol(col);
    showCount(c, list.count);
}

void showOrderState(SelectionControls& c, const OrderState& state) {
    showOrderRows(c, state.rows);
    c.Frame4.setTitle(state.caption);
}
