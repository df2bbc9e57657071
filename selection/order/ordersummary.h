#pragma once

#include "selection/order/framing.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// One grid row as print fit and the summary see it.
struct FitRow {
    QString file;
    QString copies;
    QString size;
    QSize pixels;         // empty when the photo could not be loaded
    bool missing = false; // the file is not there now
    Framing framing{};
};

// The row's tool tip: the full path, the pixel size and the print fit at
// its size, e.g. "/p/a.jpg - 4000 x 3000 pixels - at 10x15: 677 ppi, sharp;
// 11 % cut off". A framing the user chose speaks of the part printed or of
// the borders of a whole photo (framedFitText).
QString rowTip(const FitRow& row);

// The size list's lines for one photo, one a size: "10x15: 677 ppi, sharp".
QString sizeListTip(QSize pixels, const QStringList& sizes);

struct SizePrints {
    QString size;
    qint64 prints = 0;
    bool operator==(const SizePrints&) const = default;
};

// A row the user should look at before sending the order, and why.
struct LookAt {
    int row = 0; // grid row, 1 for the first photo
    QString reasons;
    bool operator==(const LookAt&) const = default;
};

// What the lab gets. Rows with "0" copies are kept, not printed, as both
// exports leave them out; every other row goes to the lab.
struct OrderSummary {
    QList<SizePrints> sizes; // the list's sizes in its order, then typed ones as met
    int photos = 0;
    qint64 prints = 0; // copies added up, where they are whole numbers
    int kept = 0;
    QList<LookAt> looks;
};

// rows[0] is grid row 1. A share cut off above this needs a look.
constexpr double kMaxCutShare = 0.2;
OrderSummary summarizeOrder(const QList<FitRow>& rows, const QStringList& listSizes);

// The summary's head: prints per size, then the counts.
QStringList summaryHead(const OrderSummary& summary);
// "Row 3: prints low at 20x30 (95 ppi)"
QString lookText(const LookAt& look);
// All of it, one line each, for a tool tip.
QString summaryText(const OrderSummary& summary);

// A tool tip text shown as it stands, also when it looks like markup.
QString plainTip(const QString& text);
