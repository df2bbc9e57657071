#include "selection/order/ordermodel.h"

#include "platform/units/cellroles.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordertexts.h"

#include <QFileInfo>

#include <algorithm>

namespace {

bool sameRow(const OrderRow& a, const OrderRow& b) {
    return a == b && a.pixels == b.pixels;
}

bool sameRows(const OrderRows& a, const OrderRows& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameRow);
}

} // namespace

// Each change keeps the caption it found, which undo puts back: the first
// change of a window leaves the design's caption behind for good otherwise.
class OrderModel::Step : public QUndoCommand {
public:
    Step(OrderModel& model, const QString& what, QUndoCommand* parent = nullptr)
        : QUndoCommand(what, parent), m_model(model), m_caption(model.caption()) {}
    void redo() final {
        apply();
        m_model.followCount();
    }
    void undo() final {
        revert();
        m_model.setCaption(m_caption);
    }

protected:
    virtual void apply() = 0;
    virtual void revert() = 0;

    OrderModel& m_model;

private:
    QString m_caption;
};

class OrderModel::Insert : public Step {
public:
    Insert(OrderModel& model, int at, OrderRows rows, const QString& what)
        : Step(model, what), m_at(at), m_rows(std::move(rows)) {}

private:
    void apply() override {
        m_model.insertAt(m_at, m_rows);
        m_model.keepListFrom(m_at);
    }
    void revert() override {
        m_model.removeAt(m_at, static_cast<int>(m_rows.size()));
        m_model.keepListFrom(m_at);
    }

    int m_at;
    OrderRows m_rows;
};

class OrderModel::Remove : public Step {
public:
    // indices ascending, each inside the order
    Remove(OrderModel& model, QList<int> indices, const QString& what)
        : Step(model, what), m_indices(std::move(indices)) {
        for (int i : m_indices)
            m_rows << model.m_rows[i];
    }

private:
    // Runs of neighbouring rows go and come back as one: a removal of
    // hundreds of rows is a few moves, not hundreds.
    void apply() override {
        for (qsizetype end = m_indices.size(); end > 0;) {
            const qsizetype start = runStart(end);
            m_model.removeAt(m_indices[start], static_cast<int>(end - start));
            end = start;
        }
        m_model.keepListFrom(m_indices.first());
    }
    void revert() override {
        for (qsizetype start = 0; start < m_indices.size();) {
            qsizetype end = start + 1;
            while (end < m_indices.size() && m_indices[end] == m_indices[end - 1] + 1)
                ++end;
            m_model.insertAt(m_indices[start], m_rows.mid(start, end - start));
            start = end;
        }
        m_model.keepListFrom(m_indices.first());
    }

    // The first of the run of neighbouring indices that ends before end.
    qsizetype runStart(qsizetype end) const {
        qsizetype start = end - 1;
        while (start > 0 && m_indices[start - 1] == m_indices[start] - 1)
            --start;
        return start;
    }

    QList<int> m_indices;
    OrderRows m_rows;
};

class OrderModel::Change : public Step {
public:
    Change(OrderModel& model, int i, OrderRow row, const QString& what, QUndoCommand* parent)
        : Step(model, what, parent), m_i(i), m_before(model.m_rows[i]), m_after(std::move(row)) {}

private:
    void apply() override {
        m_model.setRowAt(m_i, m_after);
        m_model.keepListFrom(m_i, m_i + 1);
    }
    void revert() override {
        m_model.setRowAt(m_i, m_before);
        m_model.keepListFrom(m_i, m_i + 1);
    }

    int m_i;
    OrderRow m_before;
    OrderRow m_after;
};

class OrderModel::Replace : public Step {
public:
    Replace(OrderModel& model, OrderRows rows, const QString& what)
        : Step(model, what), m_before(model.m_rows), m_after(std::move(rows)) {}

private:
    void apply() override { m_model.setAll(m_after); }
    void revert() override { m_model.setAll(m_before); }

    OrderRows m_before;
    OrderRows m_after;
};

OrderModel::OrderModel(SelectionList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_caption(QStringLiteral("0 Photos Selected")) {
    m_undo.setUndoLimit(100);
    keepListFrom(0);
}

OrderModel::~OrderModel() {
    // The commands refer to the model: they go first.
    m_undo.clear();
}

int OrderModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int OrderModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant OrderModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const OrderRow& row = m_rows[index.row()];
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        switch (col) {
        case ColFile:
        case ColPath:
            return row.file;
        case ColCopies:
            return row.copies;
        case ColSize:
            return row.size;
        default:
            return QString();
        }
    case Qt::DecorationRole:
        return col == ColPhoto ? row.thumbnail : col == ColCopies ? row.copiesPicture : QImage();
    case PictureAlignmentRole:
        return static_cast<qint16>(col == ColPhoto ? 1 : 0);
    case Qt::ToolTipRole:
        return plainTip(rowTip(fitRow(index.row())));
    case PixelsRole:
        return row.pixels;
    default:
        return {};
    }
}

int OrderModel::room() const {
    return std::max(0, SelectionList::kMaxPhotos - count());
}

FitRow OrderModel::fitRow(int i) const {
    const OrderRow& row = m_rows[i];
    return {row.file, row.copies, row.size, row.pixels, !QFileInfo(row.file).isFile(), row.framing};
}

QList<FitRow> OrderModel::fitRows() const {
    QList<FitRow> rows;
    rows.reserve(m_rows.size());
    for (int i = 0; i < count(); ++i)
        rows << fitRow(i);
    return rows;
}

void OrderModel::addRows(const OrderRows& rows, const QString& what) {
    const OrderRows taken = rows.mid(0, room());
    if (!taken.isEmpty())
        push(new Insert(*this, count(), taken, what));
}

void OrderModel::removeRowsAt(const QList<int>& indices, const QString& what) {
    QList<int> inside;
    for (int i : indices)
        if (i >= 0 && i < count())
            inside << i;
    std::sort(inside.begin(), inside.end());
    inside.erase(std::unique(inside.begin(), inside.end()), inside.end());
    if (!inside.isEmpty())
        push(new Remove(*this, inside, what));
}

void OrderModel::changeRows(const QList<std::pair<int, OrderRow>>& changes, const QString& what) {
    QList<std::pair<int, OrderRow>> real;
    for (const auto& [i, row] : changes)
        if (i >= 0 && i < count() && !sameRow(m_rows[i], row))
            real.append({i, row});
    if (real.isEmpty())
        return;
    if (real.size() == 1) {
        push(new Change(*this, real.first().first, real.first().second, what, nullptr));
        return;
    }
    auto* macro = new QUndoCommand(what);
    for (const auto& [i, row] : real)
        new Change(*this, i, row, what, macro);
    push(macro);
}

void OrderModel::setFraming(const QList<int>& indices, const Framing& framing,
                            const QString& what) {
    QList<std::pair<int, OrderRow>> changes;
    for (int i : indices)
        if (i >= 0 && i < count()) {
            OrderRow row = m_rows[i];
            row.framing = framing;
            changes.append({i, row});
        }
    changeRows(changes, what);
}

void OrderModel::replaceRows(const OrderRows& rows, const QString& what) {
    const OrderRows taken = rows.mid(0, SelectionList::kMaxPhotos);
    if (sameRows(taken, m_rows) && frameCaption(static_cast<std::int16_t>(count())) == m_caption)
        return;
    push(new Replace(*this, taken, what));
}

void OrderModel::moveRows(const QList<int>& indices, int to, const QString& what) {
    QList<bool> moving(count(), false);
    for (int i : indices)
        if (i >= 0 && i < count())
            moving[i] = true;
    OrderRows moved;
    OrderRows rest;
    int at = 0; // where `to` lands among the rows that stay
    for (int i = 0; i < count(); ++i) {
        if (i == to)
            at = static_cast<int>(rest.size());
        (moving[i] ? moved : rest).append(m_rows[i]);
    }
    if (to >= count())
        at = static_cast<int>(rest.size());
    for (int k = 0; k < moved.size(); ++k)
        rest.insert(at + k, moved[k]);
    // A move is the whole order put back in another order: the rows that
    // changed place are shown again, the table of photos follows.
    if (!moved.isEmpty() && !sameRows(rest, m_rows))
        push(new Replace(*this, rest, what));
}

Qt::ItemFlags OrderModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags;
}

void OrderModel::markSaved() {
    m_undo.setClean();
    m_openedShort = false;
}

void OrderModel::markOpenedShort() {
    m_undo.resetClean();
    m_openedShort = true;
}

void OrderModel::push(QUndoCommand* command) {
    m_undo.push(command);
}

void OrderModel::insertAt(int at, const OrderRows& rows) {
    if (rows.isEmpty())
        return;
    beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
    for (qsizetype k = 0; k < rows.size(); ++k)
        m_rows.insert(at + k, rows[k]);
    endInsertRows();
}

void OrderModel::removeAt(int at, int n) {
    if (n <= 0)
        return;
    beginRemoveRows({}, at, at + n - 1);
    m_rows.remove(at, n);
    endRemoveRows();
}

void OrderModel::setRowAt(int i, const OrderRow& row) {
    m_rows[i] = row;
    emit dataChanged(index(i, 0), index(i, kColumns - 1));
}

void OrderModel::setAll(const OrderRows& rows) {
    const int common = std::min(count(), static_cast<int>(rows.size()));
    int first = 0;
    while (first < common && sameRow(m_rows[first], rows[first]))
        ++first;
    int last = common - 1;
    while (last >= first && sameRow(m_rows[last], rows[last]))
        --last;
    // The rows between that did not change are told too: one signal.
    for (int i = first; i <= last; ++i)
        m_rows[i] = rows[i];
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, kColumns - 1));
    if (rows.size() > common)
        insertAt(common, rows.mid(common));
    else
        removeAt(common, count() - common);
    keepListFrom(std::min(first, common));
}

void OrderModel::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit captionChanged(m_caption);
}

void OrderModel::followCount() {
    setCaption(frameCaption(static_cast<std::int16_t>(count())));
}

void OrderModel::keepListFrom(int from, int to) {
    // The table holds 999 photos; the order never holds more.
    const int n = std::min(count(), static_cast<int>(SelectionList::kMaxPhotos));
    for (int i = from; i < std::min(n, to); ++i) {
        const OrderRow& row = m_rows[i];
        m_list.entries[static_cast<std::size_t>(i) + 1] = {row.file, row.copies, row.size,
                                                           row.pixels};
    }
    if (m_list.count != n) {
        m_list.count = static_cast<std::int16_t>(n);
        emit countChanged(n);
    }
}
