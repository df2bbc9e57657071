#pragma once

#include "platform/files/filekey.h"
#include "selection/order/orderrow.h"
#include "selection/order/ordersummary.h"
#include "selection/order/selectionlist.h"

#include <QAbstractTableModel>
#include <QUndoStack>

#include <optional>
#include <utility>

// The order: its rows and the caption over them. The only place a row is
// written: the grid shows this model and the table of selected photos is
// kept in step by it. Every change is a command on undoStack(), named for
// the menu ("adding 3 photos"); a change that changes nothing is no step.
//
// Row i here is grid row i + 1; the columns are the grid's (GridColumn).
class OrderModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The photo's pixel size (QSize), empty when it could not be loaded.
    static constexpr int PixelsRole = Qt::UserRole + 1;
    static constexpr int kColumns = 5;

    explicit OrderModel(SelectionList& list, QObject* parent = nullptr);
    ~OrderModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Text, the thumbnail and the "0" marker as decorations, where the
    // pictures sit, the row's print fit as its tip, the pixel size.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Rows can be dragged to another place in views that move them.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const OrderRows& rows() const { return m_rows; }
    int count() const { return static_cast<int>(m_rows.size()); }
    // Rows the order has room for still.
    int room() const;
    // The caption over the rows: the design's "0 Photos Selected" until the
    // first change, then the count's.
    const QString& caption() const { return m_caption; }
    // Row i as print fit sees it; whether its photo is there is asked now.
    FitRow fitRow(int i) const;
    QList<FitRow> fitRows() const;

    // Rows at the end; beyond the room they are left out.
    void addRows(const OrderRows& rows, const QString& what);
    // Rows by index, in any order; indices outside the order are ignored.
    void removeRowsAt(const QList<int>& indices, const QString& what);
    // Rows replaced by index. Several are one step of one command each.
    void changeRows(const QList<std::pair<int, OrderRow>>& changes, const QString& what);
    // The framing of rows by index, one step.
    void setFraming(const QList<int>& indices, const Framing& framing, const QString& what);
    // The rows at indices, in the order's order, moved to stand before row `to` of
    // the order as it is now (count() for the end); one step, none when
    // nothing moves.
    void moveRows(const QList<int>& indices, int to, const QString& what);
    // The whole order.
    void replaceRows(const OrderRows& rows, const QString& what);

    QUndoStack& undoStack() { return m_undo; }
    const QUndoStack& undoStack() const { return m_undo; }

    // Whether the order differs from the file it was last saved to or opened
    // from: the undo stack's clean state, and an open that could not take
    // the whole file.
    bool changedSinceSaved() const { return m_openedShort || !m_undo.isClean(); }
    void markSaved();
    // Opened from a file that holds more than fits: saving over it would
    // lose the rest, so it never counts as saved.
    void markOpenedShort();
    bool openedShort() const { return m_openedShort; }
    // The project file as this window last read or wrote it, so that a save
    // can tell whether another program wrote it since.
    void rememberProjectFile(const std::optional<FileKey>& file) { m_projectFile = file; }
    const std::optional<FileKey>& projectFile() const { return m_projectFile; }

signals:
    void captionChanged(const QString& caption);
    // Rows came or went (not an edit of rows in place).
    void countChanged(int count);

private:
    class Step;
    class Insert;
    class Remove;
    class Change;
    class Replace;

    void insertAt(int at, const OrderRows& rows);
    void removeAt(int at, int n);
    void setRowAt(int i, const OrderRow& row);
    // Shows rows with the fewest changes: rows that differ, then the tail.
    void setAll(const OrderRows& rows);
    void setCaption(const QString& caption);
    void followCount();
    // The table of selected photos from row `from` to row `to` - 1, and its
    // count.
    void keepListFrom(int from, int to = SelectionList::kCapacity);
    void push(QUndoCommand* command);

    SelectionList& m_list;
    OrderRows m_rows;
    QString m_caption;
    QUndoStack m_undo;
    std::optional<FileKey> m_projectFile;
    bool m_openedShort = false;
};
