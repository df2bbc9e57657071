#pragma once

#include "app/mainwindow.h"

#include <memory>

// The main window's controls the bench drives, which the window keeps to
// itself (the tests have a fuller one of their own in tests/support/window).
class MainWindowUi {
public:
    explicit MainWindowUi(MainWindow& w)
        : Command4(w.Command4), Command2(w.Command2), ProgressBar2(w.ProgressBar2), Dir1(w.Dir1),
          File1(w.File1), Image11(w.Image11), MSFlexGrid1(w.MSFlexGrid1),
          browseController(*w.m_browse), orderController(*w.m_order),
          orderActions(*w.orderActions) {}

    XpButton* Command4;
    XpButton* Command2;
    QProgressBar* ProgressBar2;
    DirList* Dir1;
    FileList* File1;
    PictureBox* Image11;
    FlexGrid* MSFlexGrid1;
    BrowseController& browseController;
    OrderController& orderController;
    OrderActions& orderActions;
};

inline MainWindowUi ui(MainWindow& w) {
    return MainWindowUi(w);
}
inline MainWindowUi ui(const std::unique_ptr<MainWindow>& w) {
    return MainWindowUi(*w);
}
