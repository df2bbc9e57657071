#pragma once

class Dialogs;
class FileList;
class FlexGrid;
class OrderModel;
class PictureBox;
class QWidget;
class Shell;
struct SelectionList;

// What the order's dialogs and its row pictures work with, no more: the
// window that owns them, the grid whose current row is the one edited, the
// hidden loader and target a row's thumbnail is drawn through, the file list
// that rests meanwhile, who asks the user and starts programs, and the order
// with its table. The window's captions and busy bars are not here: the order
// controller tells of those by its signals.
struct OrderView {
    QWidget& window;
    FlexGrid& MSFlexGrid1;
    PictureBox& Image10;
    PictureBox& Image12;
    FileList& File1;
    Dialogs& dialogs;
    Shell& shell;
    OrderModel& order;
    SelectionList& list;
};
