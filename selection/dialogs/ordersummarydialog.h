#pragma once

#include "selection/dialogs/orderview.h"

#include <QDialog>

class QLabel;
class QListWidget;

// What the lab gets and what needs a look. Choosing a row that needs a look
// makes it the grid's current row. Rows that order one photo twice are looked
// for meanwhile on a worker, and named below once found.
class OrderSummaryDialog : public QDialog {
    Q_OBJECT
public:
    explicit OrderSummaryDialog(OrderView& c);

    QLabel* head = nullptr;
    QListWidget* looks = nullptr;
    QLabel* duplicates = nullptr; // shown only when there are any

signals:
    // The look for duplicates is over.
    void duplicatesChecked();

private:
    void lookForDuplicates();

    OrderView& m_c;
};

// Shows the summary of the grid as it is now, modally.
void showOrderSummary(OrderView& c);
