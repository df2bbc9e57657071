#include "selection/flows/ordercontroller.h"

OrderController::OrderController(const OrderWindowParts& parts, Dialogs& dialogs, Shell& shell,
                                 QString& currentFile, QObject* parent)
    : QObject(parent), CommonDialog1(dialogs, &parts.window),
      current_file(currentFile), view{parts.window, parts.MSFlexGrid1, parts.Image10, parts.Image12,
                                      parts.File1,  dialogs,           shell,         order,
                                      list},
      ProgressBar1(parts.ProgressBar1) {
    connect(&order, &OrderModel::captionChanged, this, &OrderController::countCaptionChanged);
}

OrderController::~OrderController() = default;
