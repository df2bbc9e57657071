#include "selection/flows/folderbrowser.h"

#include "platform/desktop/dialogs.h"

#include <QFileInfo>

ItemIdList browse_folder(Dialogs& dialogs, QWidget* owner, const QString& title) {
    return {dialogs.browseForFolder(owner, title)};
}

QString path_from_id_list(const ItemIdList& list) {
    if (list.isNull())
        return {};
    const QString place = cut_at_nul(list.place);
    const QFileInfo info(place);
    if (place.isEmpty() || !info.isDir())
        return {};
    return info.isAbsolute() ? place : info.absoluteFilePath();
}

QString cut_at_nul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}
