#pragma once

#include "app/mainwindow.h"

#include <memory>

// The main window's controls and state, which it keeps to itself; the tests
// drive the real window through them: ui(w).MSFlexGrid1 reads as the window's
// own handlers do. Taken afresh at each use, so it never outlives a window.
class MainWindowUi {
public:
    explicit MainWindowUi(MainWindow& w);

    ImageControl* Image2;
    ImageControl* Image1;
    ImageControl* Image3;
    XpButton* Command4;
    XpButton* Command3;
    XpButton* Command2;
    XpButton* Command1;
    XpButton* Command5;
    QLabel* Label7;
    QProgressBar* ProgressBar2;
    QGroupBox* Frame1;
    DriveList* Drive1;
    DirList* Dir1;
    QLabel* Label1;
    FileList* File1;
    QLabel* Label3;
    QLabel* Label6;
    QGroupBox* Frame3;
    QLabel* Label4;
    QLabel* Label2;
    PictureBox* Image11;
    ImageControl* Image5;
    ImageControl* Image4;
    PictureBox* image110;
    QLabel* Label9;
    QLabel* Label8;
    PictureBox* Image10;
    PictureBox* Image12;
    QProgressBar* ProgressBar1;
    QGroupBox* Frame4;
    FlexGrid* MSFlexGrid1;
    QLabel* Label5;
    WebPanel* WebBrowser1;
    SharperThumbnails* sharperThumbnails;
    CommonDialog& CommonDialog1;

    QString& current_file;
    QString& project_path;
    SelectionList& selection;
    OrderModel& order;
    OrderActions* orderActions;
    // The light table while it is open, else null.
    LightTable* lightTable;
    BrowseController& browseController;
    OrderController& orderController;
};

inline MainWindowUi ui(MainWindow& w) {
    return MainWindowUi(w);
}
inline MainWindowUi ui(const std::unique_ptr<MainWindow>& w) {
    return MainWindowUi(*w);
}
