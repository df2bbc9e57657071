#include "platform/desktop/qtdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// The Save dialog's question before it replaces a file has Yes as the answer
// Enter gives: the user has just confirmed the name with Enter, and the
// toolkit's own question, which leans to No, would drop that save. (A
// desktop's own dialog asks its own question before this is reached.)
class SaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QStringList files = selectedFiles();
        const bool asks = acceptMode() == AcceptSave && !testOption(DontConfirmOverwrite);
        if (!asks || files.isEmpty() || !findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            QFileDialog::accept();
            return;
        }
        const QFileInfo target(files.constFirst());
        if (target.exists() && !target.isDir() && !replaceConfirmed(target.fileName()))
            return; // back in the dialog, the name still there
        setOption(DontConfirmOverwrite);
        QFileDialog::accept();
        setOption(DontConfirmOverwrite, false);
    }

private:
    bool replaceConfirmed(const QString& name) {
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(name),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }
};

// A preset name with a folder of its own decides where the dialog starts;
// otherwise it starts in the initial folder.
QString startPath(const FileDialogRequest& request) {
    if (request.fileName.isEmpty())
        return request.initDir;
    if (QFileInfo(request.fileName).isAbsolute() || request.initDir.isEmpty())
        return request.fileName;
    return QDir(request.initDir).filePath(request.fileName);
}
} // namespace

QString QtDialogs::fileDialog(QWidget* owner, FileDialogMode mode,
                              const FileDialogRequest& request) {
    SaveDialog dialog(owner, QString(), startPath(request), qtFilterFromDesign(request.filter));
    dialog.setAcceptMode(mode == FileDialogMode::Save ? QFileDialog::AcceptSave
                                                      : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (mode == FileDialogMode::Save && !(request.flags & 2))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // A name typed without an extension gets the filter's, as elsewhere on
    // this desktop; the overwrite question then asks about that name.
    if (mode == FileDialogMode::Save)
        dialog.setDefaultSuffix(filterExtension(request.filter));
    if (!request.fileName.isEmpty())
        dialog.selectFile(startPath(request));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::browseForFolder(QWidget* owner, const QString& title) {
    // The design starts at the desktop, the top of the user's own files;
    // here that is the home folder, not wherever the program was started.
    return QFileDialog::getExistingDirectory(owner, title, QDir::homePath());
}

MessageResult QtDialogs::message(QWidget* owner, const QString& title, const QString& text,
                                 MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(owner);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    if (buttons == MessageButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
    } else if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        // Closed without a button: as Cancel, or as No where there is none.
        if (buttons == MessageButtons::YesNoCancel)
            return MessageResult::Cancel;
        return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
    }
}
