#pragma once

#include "app/core/readahead.h"

#include <QObject>
#include <QString>

class DirList;
class Dialogs;
class DriveList;
class FileList;
class ImageControl;
class PictureBox;
class QLabel;
class QProgressBar;
class QWidget;

// The main window's browsing and preview controls, as the window hands them
// over.
struct BrowseParts {
    QWidget& window;
    DriveList& Drive1;
    DirList& Dir1;
    FileList& File1;
    QLabel& Label1;
    ImageControl& Image4;
    ImageControl& Image5;
    PictureBox& Image10;
    PictureBox& Image11;
    PictureBox& Image12;
    PictureBox& image110;
    QProgressBar& ProgressBar1;
};

// Browsing the folders and previewing their photos: the photo previewed last
// and the next one, read ahead into the shared picture cache while this one
// is looked at.
class BrowseController : public QObject {
    Q_OBJECT
public:
    BrowseController(const BrowseParts& parts, Dialogs& dialogs, QObject* parent = nullptr);

    // The full path of the photo last previewed or picked.
    QString current_file;
    ReadAhead ahead{};

public slots:
    // Moves the folder list to the chosen drive; a drive that cannot be read
    // puts the drive list back, without a word.
    void Drive1_Change();
    // Moves the file list to the folder, shows the count, previews the first
    // file.
    void Dir1_Change();
    // Previews the selected file. A file that cannot be loaded, or whose name
    // cannot be used, is named in a message and changes nothing. The photo is
    // read upright, only the pixels the preview and its thumbnail take; the
    // progress bar shows a slow read. The next file in the direction of
    // browsing is then read ahead.
    void File1_Click();
    // The rotate icon: a quarter turn clockwise of the preview.
    void Image4_Click();

private:
    BrowseParts m_c;
    Dialogs& m_dialogs;
};

// What the user is told about a selected file whose name cannot be used.
QString unusableNameMessage(const FileList& list);
