#include "selection/dialogs/ordersummarydialog.h"

#include "selection/dialogs/printfittips.h"
#include "selection/order/duplicates.h"
#include "selection/order/ordermodel.h"

#include <QDialogButtonBox>
#include <QFutureWatcher>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

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
    duplicates = new QLabel(this);
    duplicates->setTextFormat(Qt::PlainText);
    duplicates->setTextInteractionFlags(Qt::TextSelectableByMouse);
    duplicates->setAccessibleName(QStringLiteral("Rows ordered more than once"));
    duplicates->hide();
    layout->addWidget(duplicates);
    lookForDuplicates();
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

void OrderSummaryDialog::lookForDuplicates() {
    QStringList files;
    for (const FitRow& row : m_c.order.fitRows())
        files << row.file;
    // Reading the files takes a while; the summary shows meanwhile.
    auto* watch = new QFutureWatcher<QStringList>(this);
    connect(watch, &QFutureWatcher<QStringList>::finished, this, [this, watch] {
        const QStringList lines = watch->result();
        if (!lines.isEmpty()) {
            duplicates->setText(QStringLiteral("Ordered more than once:\n") +
                                lines.join(QLatin1Char('\n')));
            duplicates->show();
        }
        emit duplicatesChecked();
    });
    watch->setFuture(
        QtConcurrent::run([files] { return duplicateLines(findDuplicates(files), files); }));
}

void showOrderSummary(OrderView& c) {
    OrderSummaryDialog dialog(c);
    dialog.exec();
}
