#pragma once

#include "selection/order/gridrow.h"

#include <QByteArray>

// The name a Save dialog for a list proposes: "untitled" before a project was
// saved, afterwards the project's path with ".txt" for its extension, so
// accepting it never replaces the project itself.
QString proposedListName(const QString& project_path);

// "File: a.jpg, Copies: 2, Size: 13x18"
QString orderListLine(const GridRow& row);
// The list of the listed rows, each line ended by CR LF.
QByteArray orderListBytes(const QList<GridRow>& rows);
