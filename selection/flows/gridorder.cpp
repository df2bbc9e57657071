#include "selection/flows/gridorder.h"

#include "platform/controls/flexgrid.h"

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
