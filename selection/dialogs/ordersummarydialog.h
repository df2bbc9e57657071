#pragma once

#include "selection/dialogs/orderview.h"

#include <QDialog>

class QLabel;
class QListWidget;

// What the lab gets and what needs a look. Choosing a row that needs a look
// makes it the grid's current row.
class OrderSummaryDialog : public QDialog {
    Q_OBJECT
public:
    explicit OrderSummaryDialog(OrderView& c);

    QLabel* head = nullptr;
    QListWidget* looks = nullptr;

private:
    OrderView& m_c;
};

// Shows the summary of the grid as it is now, modally.
void showOrderSummary(OrderView& c);
