#include "orderlist.h"

#include "browse.h"
#include "commondialog.h"
#include "dialogs.h"
#include "flexgrid.h"
#include "messagetext.h"
#include "selectioncontrols.h"
#include "selectionrules.h"
#include "shell.h"
#include "textfile.h"

#include <QFileInfo>
#include <QPointer>
#include <QStringList>

QString proposedListName(const QString& project_path) {
    if (project_path.isEmpty())
        return QStringLiteral("untitled");
    const qsizetype nameStart = project_path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = project_path.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > nameStart ? project_path.left(dot) : project_path;
    const QString proposed = stem + QStringLiteral(".txt");
    // A project saved as ".txt" would be replaced by its own list.
    return proposed == project_path ? stem + QStringLiteral(" list.txt") : proposed;
}

QString proposedFolderListName(const QString& folder, const QString& project_path) {
    const QString name = project_path.isEmpty()
                             ? QStringLiteral("untitled.txt")
                             : QFileInfo(proposedListName(project_path)).fileName();
    return fullPath(folder, name);
}

QString orderListLine(const GridRow& row) {
    return oneLine(QStringLiteral("File: ") + solo_file(row.file) + QStringLiteral(", Copies: ") +
                   row.copies + QStringLiteral(", Size: ") + row.size);
}

QByteArray orderListBytes(const QList<GridRow>& rows) {
    QStringList lines;
    for (const GridRow& row : rows)
        if (isListed(row.copies))
            lines << orderListLine(row);
    return textFileBytes(lines);
}

QString askListFile(SelectionControls& c, const QString& proposed) {
    CommonDialog& dialog = c.CommonDialog1;
    dialog.Filter = QStringLiteral("Text Files|*.txt");
    dialog.FileName = proposed;
    dialog.Flags = 2;
    dialog.ShowSave();
    return dialog.FileName;
}

std::function<void()> tellLater(SelectionControls& c, const QString& text) {
    const QPointer<QWidget> window(&c.window);
    return [&c, window, text] {
        if (window)
            tell(c.dialogs, window, text);
    };
}

void writeOrderList(SelectionControls& c) {
    const QString file = askListFile(c, proposedListName(c.project_path));
    if (file.isEmpty())
        return;

    const FileWritten written = writeFileWhole(file, orderListBytes(readGridRows(c.MSFlexGrid1)));
    if (!written.ok()) {
        tell(c.dialogs, &c.window,
             QStringLiteral("The order list could not be written to \"%1\": %2.")
                 .arg(shortName(file), written.error));
        return;
    }
    if (!written.note.isEmpty())
        tell(c.dialogs, &c.window,
             QStringLiteral("The order list was written to \"%1\", but %2.")
                 .arg(shortName(file), written.note));
    c.dialogs.message(&c.window, programTitle(),
                      QStringLiteral("File generated. Click 'Ok' to view the list."),
                      MessageButtons::Ok, MessageIcon::None);
    const QString unshown = QStringLiteral("The order list \"%1\" was written, but no program "
                                           "could be started to show it.")
                                .arg(shortName(file));
    if (!c.shell.start(
            {QStringLiteral("notepad.exe"), file, WindowStyle::Normal, tellLater(c, unshown)}))
        tell(c.dialogs, &c.window, unshown);
}
