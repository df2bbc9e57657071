#pragma once

class OrderController;

#include <QList>
#include <QObject>

class QAction;
class QPoint;

// One entry of a context menu: an action, and whether it applies now. A
// null action is a separator.
struct MenuEntry {
    QAction* action = nullptr;
    bool enabled = true;
};

// Every entry of the context menus and every key of the order, as one
// action each. Entries that name rows or photos ("Remove the 3 selected
// rows") are named again just before their menu shows. The actions stay
// enabled for their keys, which do nothing where nothing applies.
class OrderActions : public QObject {
    Q_OBJECT
public:
    explicit OrderActions(OrderController& c);

    QAction* undo = nullptr;       // Ctrl+Z
    QAction* redo = nullptr;       // Ctrl+Shift+Z, Ctrl+Y
    QAction* editRows = nullptr;   // the rows picked in the grid
    QAction* removeRows = nullptr; // Delete on the grid
    QAction* selectAll = nullptr;  // Ctrl+A on the grid
    QAction* findMissing = nullptr;
    QAction* summary = nullptr;
    QAction* addSelected = nullptr; // the photos picked in the file list
    QAction* addAll = nullptr;      // every photo of the file list's folder
    QAction* addTree = nullptr;     // and of all its subfolders
    QAction* open = nullptr;        // Ctrl+O
    QAction* saveInPlace = nullptr; // Ctrl+S
    // F2: the folder and the order as pictures. The window that owns the
    // order opens it.
    QAction* lightTable = nullptr;

    // The grid's menu and the file list's, top to bottom.
    QList<MenuEntry> gridMenu();
    QList<MenuEntry> fileListMenu();

private:
    OrderController& m_c;
};

// Shows actions as a menu at a point of the screen and runs the one chosen,
// after the menu has closed.
void runMenu(QWidget* owner, const QList<MenuEntry>& entries, const QPoint& globalPos);
