// Screen readers see the grid as a table: its data rows, its columns with the
// header row's texts as their headers (columns that take no pixel left out),
// each cell's text, a picture cell named by what the grid says of it, the
// current cell focused and the picked rows selected.
#include "platform/controls/flexgrid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include <algorithm>

namespace {

class FlexGridAccessible;

// One cell of the table, or with row -1 the header of a column. It reads the
// grid as it is now, so it outlives nothing: a cell whose row is gone is
// no longer valid.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(FlexGrid* grid, int row, int column)
        : m_grid(grid), m_row(row), m_col(column) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_grid);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override {
        return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return std::max(0, m_row); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    FlexGridAccessible* tableOf() const;
    QPointer<FlexGrid> m_grid;
    int m_row; // table row, -1 for the header
    int m_col; // table column
};

class FlexGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit FlexGridAccessible(FlexGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~FlexGridAccessible() override {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
    }

    FlexGrid* grid() const { return static_cast<FlexGrid*>(widget()); }

    // The grid's columns that show, in order.
    QList<int> shownColumns() const {
        QList<int> columns;
        for (int col = 0; col < grid()->Cols(); ++col)
            if (grid()->cellRect(0, col).width() > 0)
                columns << col;
        return columns;
    }
    int gridColumn(int column) const {
        const QList<int> columns = shownColumns();
        return column >= 0 && column < columns.size() ? columns[column] : -1;
    }
    int gridRow(int row) const { return row + grid()->FixedRows(); }

    QAccessibleInterface* cell(int row, int column) const {
        if (row < -1 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        const int key = (row + 1) * 4096 + column;
        if (const auto found = m_cells.constFind(key); found != m_cells.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto* made = new GridCellAccessible(grid(), row, column);
        m_cells.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    // The header cells come first, then the data cells row by row.
    int childCount() const override { return (rowCount() + 1) * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = columnCount();
        if (columns == 0 || index < 0)
            return nullptr;
        return cell(index / columns - 1, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || child->parent() != this)
            return -1;
        auto* c = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        if (!c)
            return -1;
        const int row = child->role() == QAccessible::ColumnHeader ? -1 : c->rowIndex();
        return (row + 1) * columnCount() + c->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y))
                return c;
        return nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return row >= 0 ? cell(row, column) : nullptr;
    }
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (int row : selectedRows())
            for (int column = 0; column < columnCount(); ++column)
                cells << cell(row, column);
        return cells;
    }
    QString columnDescription(int column) const override {
        return grid()->TextMatrix(0, gridColumn(column));
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override { return int(shownColumns().size()); }
    int rowCount() const override { return std::max(0, grid()->Rows() - grid()->FixedRows()); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        QList<int> rows;
        for (int row : grid()->SelectedRows())
            rows << row - grid()->FixedRows();
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    // Picking is the user's, by the mouse and the keys; nothing is picked
    // from outside.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable QHash<int, QAccessible::Id> m_cells;
};

bool GridCellAccessible::isValid() const {
    const FlexGridAccessible* t = tableOf();
    return t && m_row < t->rowCount() && m_col < t->columnCount();
}

FlexGridAccessible* GridCellAccessible::tableOf() const {
    return m_grid ? static_cast<FlexGridAccessible*>(QAccessible::queryAccessibleInterface(m_grid))
                  : nullptr;
}

QString GridCellAccessible::text(QAccessible::Text t) const {
    const FlexGridAccessible* table = tableOf();
    if (!table || (t != QAccessible::Name && t != QAccessible::Description))
        return {};
    const int row = m_row < 0 ? 0 : table->gridRow(m_row);
    const int col = table->gridColumn(m_col);
    if (t == QAccessible::Description)
        return m_row < 0 ? QString() : m_grid->pictureDescription(row, col);
    const QString text = m_grid->TextMatrix(row, col);
    return text.isEmpty() && m_row >= 0 ? m_grid->pictureDescription(row, col) : text;
}

QRect GridCellAccessible::rect() const {
    const FlexGridAccessible* table = tableOf();
    if (!table)
        return {};
    const int row = m_row < 0 ? 0 : table->gridRow(m_row);
    const QRect inView = m_grid->cellRect(row, table->gridColumn(m_col));
    return QRect(m_grid->viewport()->mapToGlobal(inView.topLeft()), inView.size());
}

QAccessible::State GridCellAccessible::state() const {
    QAccessible::State s;
    const FlexGridAccessible* table = tableOf();
    if (!table || m_row < 0)
        return s;
    s.selectable = true;
    s.focusable = true;
    s.selected = isSelected();
    const int row = table->gridRow(m_row);
    const int col = table->gridColumn(m_col);
    s.active = row == m_grid->Row();
    s.focused = s.active && col == m_grid->Col() && m_grid->hasFocus();
    const QRect shown = m_grid->cellRect(row, col);
    s.invisible = !shown.intersects(m_grid->viewport()->rect());
    s.offscreen = s.invisible;
    return s;
}

bool GridCellAccessible::isSelected() const {
    const FlexGridAccessible* table = tableOf();
    return table && m_row >= 0 && table->isRowSelected(m_row);
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    const FlexGridAccessible* table = tableOf();
    if (!table || m_row < 0)
        return {};
    return {table->cell(-1, m_col)};
}

QAccessibleInterface* flexGridInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("FlexGrid"))
        if (auto* grid = qobject_cast<FlexGrid*>(object))
            return new FlexGridAccessible(grid);
    return nullptr;
}

} // namespace

void FlexGrid::announceCurrentCell() {
    if (!QAccessible::isActive())
        return;
    auto* table = static_cast<FlexGridAccessible*>(QAccessible::queryAccessibleInterface(this));
    const int column = int(table->shownColumns().indexOf(Col()));
    const int row = Row() - FixedRows();
    if (row >= 0 && column >= 0 && hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild((row + 1) * table->columnCount() + column);
        QAccessible::updateAccessibility(&focus);
    }
    QAccessibleEvent selection(this, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&selection);
}

void FlexGrid::installAccessibility() {
    static const bool installed = (QAccessible::installFactory(flexGridInterface), true);
    Q_UNUSED(installed);
}
