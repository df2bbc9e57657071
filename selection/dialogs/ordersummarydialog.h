#pragma once

#include "selection/dialogs/selectioncontrols.h"

#include <QDialog>

class QLabel;
class QListWidget;

// What the lab gets and what needs a look. Choosing a row that needs a look
// makes it the grid's current row.
class OrderSummaryDialog : public QDialog {
    Q_OBJECT
public:
    explicit OrderSummaryDialog(SelectionControls& c);

    QLabel* head = nullptr;
    QListWidget* looks = nullptr;

private:
    SelectionControls& m_c;
};

// Shows the summary of the grid as it is now, modally.
void showOrderSummary(SelectionControls& c);
