#pragma once

#include "app/core/readahead.h"

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

// The main window's browsing and preview controls, handed to the handlers so
// they need no main window.
struct BrowseControls {
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
    Dialogs& dialogs;
    QString& current_file;
    ReadAhead ahead{}; // the next photo, read while this one is looked at
};

// What the user is told about a selected file whose name cannot be used.
QString unusableNameMessage(const FileList& list);

// Moves the folder list to the chosen drive; a drive that cannot be read
// puts the drive list back, without a word.
void Drive1_Change(BrowseControls& c);
// Moves the file list to the folder, shows the count, previews the first file.
void Dir1_Change(BrowseControls& c);
// Previews the selected file. A file that cannot be loaded, or whose name
// cannot be used, is named in a message and changes nothing. The photo is read
// upright, only the pixels the preview and its thumbnail take; the progress
// bar shows a slow read. The next file in the direction of browsing is then
// read ahead.
void File1_Click(BrowseControls& c);
// The rotate icon: a quarter turn clockwise of the preview.
void Image4_Click(BrowseControls& c);
