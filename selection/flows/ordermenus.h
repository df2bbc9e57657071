#pragma once

#include "selection/dialogs/selectioncontrols.h"

#include <QList>
#include <QString>

#include <functional>

class QMenu;
class QPoint;

// One entry of a context menu; an entry without text is a separator.
struct MenuEntry {
    QString text;
    bool enabled = true;
    std::function<void()> run;
};

// The grid's context menu, top to bottom. A new entry is one more line in
// gridMenuEntries.
QList<MenuEntry> gridMenuEntries(SelectionControls& c);
// The file list's context menu.
QList<MenuEntry> fileListMenuEntries(SelectionControls& c);

// Shows entries as a menu at a point of the screen and runs the one chosen,
// after the menu has closed.
void runMenu(QWidget* owner, const QList<MenuEntry>& entries, const QPoint& globalPos);
