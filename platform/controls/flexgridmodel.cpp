// The grid showing a model: its data rows are the model's.
#include "platform/controls/flexgrid.h"

#include "platform/units/cellroles.h"

#include <QAbstractItemModel>
#include <QMetaMethod>

#include <algorithm>

void FlexGrid::setModel(QAbstractItemModel* model, int rowTwips) {
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    m_modelRowTwips = rowTwips;
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { modelRowsInserted(first, last); });
    connect(model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) { modelRowsRemoved(first, last); });
    connect(model, &QAbstractItemModel::modelReset, this, &FlexGrid::modelReset);
    connect(model, &QAbstractItemModel::layoutChanged, this, &FlexGrid::modelReset);
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                modelDataChanged(from.row(), to.row());
            });
    modelReset();
}

bool FlexGrid::modelRow(int row) const {
    return m_model && row >= m_fixedRows && row < m_rows;
}

QString FlexGrid::cellText(int row, int col) const {
    if (!modelRow(row))
        return cell(row, col).text;
    return m_model->index(row - m_fixedRows, col).data(Qt::DisplayRole).toString();
}

QImage FlexGrid::cellPicture(int row, int col) const {
    if (!modelRow(row))
        return cell(row, col).picture;
    return m_model->index(row - m_fixedRows, col).data(Qt::DecorationRole).value<QImage>();
}

qint16 FlexGrid::cellAlignment(int row, int col) const {
    if (!modelRow(row))
        return cell(row, col).pictureAlignment;
    return static_cast<qint16>(
        m_model->index(row - m_fixedRows, col).data(PictureAlignmentRole).toInt());
}

void FlexGrid::modelRowsInserted(int first, int last) {
    const int at = m_fixedRows + first;
    const int n = last - first + 1;
    // The rows' own drawings and heights move with them.
    m_cells.insert(at, n, QVector<Cell>(m_cols));
    m_rowHeights.insert(at, n, m_modelRowTwips);
    m_picked.insert(at, n, false);
    resizeRows(m_fixedRows + m_model->rowCount());
    dropPicks();
    tellPictures(at, at + n - 1);
}

void FlexGrid::modelRowsRemoved(int first, int last) {
    const int at = m_fixedRows + first;
    const int n = last - first + 1;
    m_cells.remove(at, n);
    m_rowHeights.remove(at, n);
    m_picked.remove(at, n);
    resizeRows(m_fixedRows + m_model->rowCount());
    dropPicks();
}

void FlexGrid::modelReset() {
    const int rows = m_fixedRows + m_model->rowCount();
    m_cells.resize(m_fixedRows);
    m_rowHeights.resize(m_fixedRows);
    m_picked.resize(m_fixedRows);
    m_cells.resize(rows);
    m_rowHeights.resize(rows, m_modelRowTwips);
    resizeRows(rows);
    dropPicks();
    modelDataChanged(0, m_model->rowCount() - 1);
}

void FlexGrid::modelDataChanged(int first, int last) {
    viewport()->update();
    tellPictures(m_fixedRows + first, m_fixedRows + last);
}

void FlexGrid::tellPictures(int first, int last) {
    // Told for every cell, pictured or not: asking the model for each
    // picture would cost more than the listener, which looks at one column.
    if (!isSignalConnected(QMetaMethod::fromSignal(&FlexGrid::cellPictureChanged)))
        return;
    for (int row = std::max(first, m_fixedRows); row <= last && row < m_rows; ++row)
        for (int col = 0; col < m_cols; ++col)
            emit cellPictureChanged(row, col);
}

void FlexGrid::dropPicks() {
    // Once rows came or went, the rows picked before are other photos.
    if (m_picked.indexOf(true) < 0)
        return;
    std::fill(m_picked.begin(), m_picked.end(), false);
    m_anchor = -1;
    viewport()->update();
    emit selectedRowsChanged();
}
