#pragma once

#include <QList>
#include <QString>

// Grid column roles.
enum GridColumn : int { ColPhoto = 0, ColFile = 1, ColCopies = 2, ColSize = 3, ColPath = 4 };
// Data rows are 500 twips high.
constexpr int kDataRowTwips = 500;

// One data row of the grid as the writers read it.
struct GridRow {
    QString file;   // column 1
    QString copies; // column 2
    QString size;   // column 3
    QString path;   // column 4, the hidden copy of the path
};

// Whether a row belongs on a list: every copies text but exactly "0".
bool isListed(const QString& copies);
