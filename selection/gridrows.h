#pragma once

#include <QList>
#include <QString>

class FlexGrid;

// One data row of the grid as the writers read it.
struct GridRow {
    QString file;   // column 1
    QString copies; // column 2
    QString size;   // column 3
    QString path;   // column 4, the hidden copy of the path
};

// The grid's data rows 1 to Rows - 1, read by making each cell current, so the
// grid's current row ends on the last one as after the writers' own walk.
QList<GridRow> readGridRows(FlexGrid& grid);

// Whether a row belongs on a list: every copies text but exactly "0".
bool isListed(const QString& copies);
