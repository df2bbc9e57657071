#pragma once

#include <QString>

#include <functional>

class CommonDialog;
class Dialogs;
class FileList;
class FlexGrid;
class PictureBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QWidget;
class OrderModel;
class Shell;
struct SelectionList;

// The main window's controls and state that the order code works on, handed
// in so that it never needs the main window itself.
struct SelectionControls {
    QWidget& window;
    FlexGrid& MSFlexGrid1;
    PictureBox& Image10;
    PictureBox& Image12;
    QGroupBox& Frame4;
    QProgressBar& ProgressBar1;
    QProgressBar& ProgressBar2;
    QLabel& Label7;
    FileList& File1;
    CommonDialog& CommonDialog1;
    Dialogs& dialogs;
    Shell& shell;
    SelectionList& list;
    QString& current_file;
    QString& project_path;
    OrderModel& order;
};
