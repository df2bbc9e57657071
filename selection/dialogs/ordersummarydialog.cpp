#include "selection/dialogs/ordersummarydialog.h"

#include "selection/dialogs/printfittips.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

OrderSummaryDialog::OrderSummaryDialog(OrderView& c)
    : QDialog(&c.window, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_c(c) {
    setWindowTitle(QStringLiteral("Order summary"));
    const OrderSummary summary = currentSummary(c);

    auto* layout = new QVBoxLayout(this);
    head = new QLabel(summaryHead(summary).join(QLatin1Char('\n')), this);
    head->setTextFormat(Qt::PlainText);
    layout->addWidget(head);
    layout->addWidget(new QLabel(
        summary.looks.isEmpty() ? QStringLiteral("Nothing needs a look.")
                                : QStringLiteral("Needs a look (choose one to go to its row):"),
        this));
    looks = new QListWidget(this);
    for (const LookAt& look : summary.looks) {
        auto* item = new QListWidgetItem(lookText(look), looks);
        item->setData(Qt::UserRole, look.row);
    }
    looks->setEnabled(!summary.looks.isEmpty());
    layout->addWidget(looks);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Clicking or stepping with the keys both choose.
    connect(looks, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            showGridRow(m_c, item->data(Qt::UserRole).toInt());
    });
    resize(460, 320);
}

void showOrderSummary(OrderView& c) {
    OrderSummaryDialog dialog(c);
    dialog.exec();
}
