#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class OrderController;

// A grid row and a path for it.
struct RowPath {
    int row = 0;
    QString path;
    bool operator==(const RowPath&) const = default;
};

// Gives each row its new path and a fresh thumbnail, one step; copies and
// size stay. Rows outside the order, and rows that already have their path,
// are left alone. Gives back every row it changed with the path the row had
// before. Photos that cannot be shown are added to unshown as "path: reason".
QList<RowPath> relinkRows(OrderController& c, const QList<RowPath>& changes,
                          QStringList* unshown = nullptr);
