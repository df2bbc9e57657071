#include "selection/flows/listexport.h"

#include "app/core/browse.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/flowscope.h"
#include "platform/desktop/commondialog.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "platform/desktop/shell.h"
#include "platform/files/textfile.h"
#include "selection/flows/gridorder.h"
#include "selection/flows/ordercontroller.h"
#include "selection/order/orderlist.h"

#include <QFileInfo>
#include <QPointer>

QString proposedFolderListName(const QString& folder, const QString& project_path) {
    const QString name = project_path.isEmpty()
                             ? QStringLiteral("untitled.txt")
                             : QFileInfo(proposedListName(project_path)).fileName();
    return fullPath(folder, name);
}

QString askListFile(OrderController& c, const QString& proposed) {
    CommonDialog& dialog = c.CommonDialog1;
    dialog.Filter = QStringLiteral("Text Files|*.txt");
    dialog.FileName = proposed;
    dialog.Flags = 2;
    dialog.ShowSave();
    return dialog.FileName;
}

std::function<void()> tellLater(OrderController& c, const QString& text) {
    const QPointer<QWidget> window(&c.view.window);
    // Not in the middle of a flow: the message would take user input.
    return [&c, window, text] {
        FlowScope::afterFlow(window, [&c, window, text] {
            if (window)
                tell(c.view.dialogs, window, text);
        });
    };
}

void OrderController::writeOrderList() {
    OrderController& c = *this;
    const QString file = askListFile(c, proposedListName(c.project_path));
    if (file.isEmpty())
        return;

    const FileResult<Written> written =
        writeFileWhole(file, orderListBytes(readGridRows(c.view.MSFlexGrid1)));
    if (!written.ok()) {
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The order list could not be written to \"%1\": %2.")
                 .arg(shortName(file), written.failure().why));
        return;
    }
    if (!written->note.isEmpty())
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The order list was written to \"%1\", but %2.")
                 .arg(shortName(file), written->note));
    c.view.dialogs.message(&c.view.window, programTitle(),
                           QStringLiteral("File generated. Click 'Ok' to view the list."),
                           MessageButtons::Ok, MessageIcon::None);
    const QString unshown = QStringLiteral("The order list \"%1\" was written, but no program "
                                           "could be started to show it.")
                                .arg(shortName(file));
    if (!c.view.shell.start(
            {QStringLiteral("notepad.exe"), file, WindowStyle::Normal, tellLater(c, unshown)}))
        tell(c.view.dialogs, &c.view.window, unshown);
}
