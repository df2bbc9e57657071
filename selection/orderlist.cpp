#include "orderlist.h"

#include "commondialog.h"
#include "dialogs.h"
#include "flexgrid.h"
#include "selectioncontrols.h"
#include "selectionrules.h"
#include "shell.h"
#include "textfile.h"

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

QString orderListLine(const GridRow& row) {
    return QStringLiteral("File: ") + solo_file(row.file) + QStringLiteral(", Copies: ") +
           row.copies + QStringLiteral(", Size: ") + row.size;
}

QByteArray orderListBytes(const QList<GridRow>& rows) {
    QStringList lines;
    for (const GridRow& row : rows)
        if (isListed(row.copies))
            lines << orderListLine(row);
    return textFileBytes(lines);
}

QString askListFile(SelectionControls& c) {
    CommonDialog& dialog = c.CommonDialog1;
    dialog.Filter = QStringLiteral("Text Files|*.txt");
    dialog.FileName = proposedListName(c.project_path);
    dialog.Flags = 2;
    dialog.ShowSave();
    return dialog.FileName;
}

void writeOrderList(SelectionControls& c) {
    const QString file = askListFile(c);
    if (file.isEmpty())
        return;

    const QString failed = writeFileAtomically(file, orderListBytes(readGridRows(c.MSFlexGrid1)));
    if (!failed.isEmpty()) {
        tell(
            c.dialogs, &c.window,
            QStringLiteral("The order list could not be written to \"%1\": %2.").arg(file, failed));
        return;
    }
    c.dialogs.message(&c.window, programTitle(),
                      QStringLiteral("File generated. Click 'Ok' to view the list."),
                      MessageButtons::Ok, MessageIcon::None);
    if (!c.shell.start({QStringLiteral("notepad.exe"), file, WindowStyle::Normal}))
        tell(c.dialogs, &c.window,
             QStringLiteral("The order list \"%1\" was written, but no program could be started "
                            "to show it.")
                 .arg(file));
}
