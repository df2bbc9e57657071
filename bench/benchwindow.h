#pragma once

#include "platform/desktop/dialogs.h"
#include "platform/desktop/shell.h"

#include <QStringList>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

class MainWindow;

// Answers the program's questions from a queue, as a user would; counts the
// messages it is shown.
class QueuedDialogs : public Dialogs {
public:
    std::deque<QString> files;
    std::deque<QString> folders;
    std::deque<MessageResult> answers;
    QStringList messages;

    QString fileDialog(QWidget*, FileDialogMode, const FileDialogRequest&) override;
    QString browseForFolder(QWidget*, const QString&) override;
    MessageResult message(QWidget*, const QString&, const QString& text, MessageButtons,
                          MessageIcon) override;
};

// Starts nothing.
class QuietShell : public Shell {
public:
    bool start(const CommandLine&) override { return true; }
    bool shellExecute(QWidget*, const QString&, const QString&) override { return true; }
    bool navigate(const QString&) override { return true; }
};

// The real main window, shown (headless), driven through its own handlers;
// each flow gives the milliseconds it took.
class BenchWindow {
public:
    BenchWindow();
    ~BenchWindow();

    MainWindow& window() { return *m_window; }
    QueuedDialogs& dialogs() { return m_dialogs; }

    // Shows the folder in the file list without previewing anything.
    void browse(const QString& folder);
    // A click on file `index` of the list, until the preview holds it. The
    // next photo's read ahead is dropped unless readAhead is set.
    double previewMs(int index, bool readAhead = false);
    // The down arrow key in the file list, until the next preview is drawn.
    double stepMs();
    // A photo's grid thumbnail made from its file, as Remove and opening do.
    static double thumbnailMs(const QString& path);
    // A click on the preview: the photo just previewed is added.
    double addPreviewedMs();
    // Command4 with the project; an existing selection is not saved.
    double openMs(const QString& project);
    // The row editor on row 1, and its "Remove": the time of the removal.
    double removeFirstRowMs();
    // The row editor on row 1, its print frame moved steps times by arrow
    // keys, + and -, the wheel and drags in turn: per step the time from the
    // input to the end of the frame's paint.
    std::vector<double> frameStepsMs(int steps);
    // Every file of the folder selected in the file list, and Enter.
    double addAllSelectedMs(const QString& folder);
    // The folder in the file list, and its menu's "Add all N photos of this
    // folder and its subfolders".
    double addTreeMs(const QString& folder);
    // Rows first..last picked in the grid, and Delete.
    double removePickedMs(int first, int last);
    // Ctrl+Z.
    double undoMs();
    // Command2 into folder with the list beside the photos.
    double copyToFolderMs(const QString& folder, const QString& list);

    int rows() const;
    // How often the grid and the loading progress bar were painted during
    // the last open.
    std::pair<int, int> openPaints() const { return m_openPaints; }
    // Forgets the decoded pictures and thumbnails the program keeps.
    static void forgetKeptPictures();

private:
    QueuedDialogs m_dialogs;
    QuietShell m_shell;
    std::unique_ptr<MainWindow> m_window;
    std::pair<int, int> m_openPaints;
};
