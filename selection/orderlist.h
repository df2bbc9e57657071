#pragma once

#include "gridrows.h"

#include <QByteArray>

struct SelectionControls;

// The name a Save dialog for a list proposes: "untitled" before a project was
// saved, afterwards the project's path with ".txt" for its extension, so
// accepting it never replaces the project itself.
QString proposedListName(const QString& project_path);

// "File: a.jpg, Copies: 2, Size: 13x18"
QString orderListLine(const GridRow& row);
// The list of the listed rows, each line ended by CR LF.
QByteArray orderListBytes(const QList<GridRow>& rows);

// Shows the Save dialog for a list, preset as both exports preset it; the
// chosen path, or empty when the user cancelled.
QString askListFile(SelectionControls& c);

// Command1: writes the order list to a file the user names and shows it.
void writeOrderList(SelectionControls& c);
