#include "selection/flows/missingphotos.h"

#include "platform/controls/flexgrid.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "selection/dialogs/searchwindow.h"
#include "selection/flows/folderbrowser.h"
#include "selection/flows/ordercontroller.h"
#include "selection/order/gridrow.h"
#include "selection/order/photosearch.h"

#include <QFileInfo>
#include <QSet>

namespace {

QString outcomeMessage(int found, int missing, const QString& folder, const QStringList& notFound,
                       const QStringList& unshown, const QStringList& skipped) {
    QString text = QStringLiteral("Found %1 of the %2 missing photos in \"%3\".")
                       .arg(found)
                       .arg(missing)
                       .arg(shortName(folder));
    if (!notFound.isEmpty())
        text += QStringLiteral("\n\nNot found:\n\n") + namedLines(notFound);
    if (!unshown.isEmpty())
        text += QStringLiteral("\n\nFound, but they could not be shown:\n\n") + namedLines(unshown);
    if (!skipped.isEmpty())
        text += QStringLiteral("\n\n%1 folder%2 could not be read and %3 left out.")
                    .arg(skipped.size())
                    .arg(skipped.size() == 1 ? QString() : QStringLiteral("s"),
                         skipped.size() == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    return text;
}

// The photos of every row but these, as the search tells files apart.
QSet<QString> heldPhotos(FlexGrid& grid, const QList<int>& rows) {
    QSet<QString> held;
    for (int row = 1; row < grid.Rows(); ++row) {
        const QString photo = QFileInfo(grid.TextMatrix(row, ColFile)).canonicalFilePath();
        if (!rows.contains(row) && !photo.isEmpty())
            held.insert(photo);
    }
    return held;
}

// Files found by their name alone, in folders of other names or as the
// photo of another row, are taken only when the user says so.
bool unsurePicksTaken(OrderController& c, const QStringList& wanted, const SearchResult& result) {
    QStringList picks;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const QString pick =
            QStringLiteral("%1\n    now %2").arg(shortName(wanted[i]), shortName(result.found[i]));
        if (!result.found[i].isEmpty() && !result.sure[i] && !picks.contains(pick))
            picks << pick;
    }
    if (picks.isEmpty())
        return false;
    return c.view.dialogs.message(&c.view.window, programTitle(),
                                  QStringLiteral("These photos were found only by their name, in "
                                                 "folders that share no name with the ones they "
                                                 "were in, or as a file that another row already "
                                                 "holds:\n\n%1\n\nUse them?")
                                      .arg(namedLines(picks)),
                                  MessageButtons::YesNo,
                                  MessageIcon::Warning) == MessageResult::Yes;
}

} // namespace

QList<int> missingPhotoRows(FlexGrid& grid) {
    QList<int> rows;
    for (int row = 1; row < grid.Rows(); ++row)
        if (!QFileInfo(grid.TextMatrix(row, ColFile)).isFile())
            rows << row;
    return rows;
}

QString missingFolderTitle() {
    return QStringLiteral("Look for the missing photos in");
}

QList<RowPath> findMissingPhotos(OrderController& c, const QList<int>& rows) {
    const QString folder =
        path_from_id_list(browse_folder(c.view.dialogs, &c.view.window, missingFolderTitle()));
    if (folder.isEmpty())
        return {};

    QStringList wanted;
    for (int row : rows)
        wanted << c.view.MSFlexGrid1.TextMatrix(row, ColFile);
    SearchResult result;
    {
        SearchWindow window(&c.view.window, static_cast<int>(rows.size()), folder);
        result = findMovedPhotos(
            wanted, folder,
            [&window](const SearchProgress& progress) { return window.advance(progress); },
            heldPhotos(c.view.MSFlexGrid1, rows));
    }
    if (result.stopped)
        return {};
    if (result.rootUnreadable) {
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The folder \"%1\" could not be read. No photo was changed.")
                 .arg(shortName(folder)));
        return {};
    }

    QList<RowPath> changes;
    QStringList notFound;
    QSet<QString> named;
    const bool takeUnsure = unsurePicksTaken(c, wanted, result);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!result.found[i].isEmpty() && (result.sure[i] || takeUnsure))
            changes << RowPath{rows[i], result.found[i]};
        else if (!named.contains(wanted[i])) {
            named.insert(wanted[i]);
            notFound << shortName(wanted[i]);
        }
    }
    QStringList unshown;
    const QList<RowPath> changed = relinkRows(c, changes, &unshown);
    tell(c.view.dialogs, &c.view.window,
         outcomeMessage(static_cast<int>(changes.size()), static_cast<int>(rows.size()), folder,
                        notFound, unshown, result.skipped),
         changes.size() == rows.size() && unshown.isEmpty() ? MessageIcon::Information
                                                            : MessageIcon::Warning);
    return changed;
}

QList<RowPath> findMissingPhotos(OrderController& c) {
    const QList<int> rows = missingPhotoRows(c.view.MSFlexGrid1);
    if (rows.isEmpty()) {
        tell(c.view.dialogs, &c.view.window, QStringLiteral("No photo of the order is missing."),
             MessageIcon::Information);
        return {};
    }
    return findMissingPhotos(c, rows);
}
