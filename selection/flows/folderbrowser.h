#pragma once

#include <QString>

class Dialogs;
class QWidget;

// What the folder browser hands back, standing in for the shell's item-id
// list: the place the user chose, or the null list when cancelled.
struct ItemIdList {
    QString place;
    bool isNull() const { return place.isEmpty(); }
};

// Shows the folder browser with a title, starting at the top of the file
// system; the null list when the user cancelled.
ItemIdList browse_folder(Dialogs& dialogs, QWidget* owner, const QString& title);

// The folder of a list: empty for the null list and for a place that is not a
// folder of the file system.
QString path_from_id_list(const ItemIdList& list);

// The text before its first NUL, or all of it.
QString cut_at_nul(const QString& text);
