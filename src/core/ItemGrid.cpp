#include "ItemGrid.h"

#include "TextBytes.h"

#include <QScopedValueRollback>

ItemGrid::ItemGrid(QObject *parent) : QAbstractTableModel(parent)
{
    m_rows.append(Row{});
    m_colours.append(Colours{});
}

QByteArray ItemGrid::text(int row, int col) const
{
    if (!isColumn(col))
        return QByteArray();
    if (row == 0)
        return textToBytes(ItemColumnCaption(col));
    if (!isItemRow(row))
        return QByteArray();
    return m_rows.at(row - 1)[col];
}

void ItemGrid::setText(int row, int col, const QByteArray &text)
{
    if (!isItemRow(row) || !isColumn(col))
        return;
    m_rows[row - 1][col] = text;
    const QModelIndex cell = index(row - 1, col);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

ItemGrid::Row ItemGrid::rowCells(int row) const
{
    return isItemRow(row) ? m_rows.at(row - 1) : Row{};
}

void ItemGrid::addRow(int index, const QByteArray &firstCell)
{
    index = qBound(1, index, rows());
    Row row{};
    row[ColType] = firstCell;
    const QScopedValueRollback<bool> changing(m_changingRows, true);
    beginInsertRows(QModelIndex(), index - 1, index - 1);
    m_rows.insert(index - 1, row);
    m_colours.insert(index - 1, Colours{});
    endInsertRows();
}

void ItemGrid::removeRow(int index)
{
    if (!isItemRow(index))
        return;
    {
        const QScopedValueRollback<bool> changing(m_changingRows, true);
        beginRemoveRows(QModelIndex(), index - 1, index - 1);
        m_rows.removeAt(index - 1);
        m_colours.removeAt(index - 1);
        endRemoveRows();
    }
    clampCurrent();
}

void ItemGrid::moveRow(int from, int to)
{
    if (!isItemRow(from) || !isItemRow(to) || from == to)
        return;
    // Qt's move destination is the row before which the moved row lands.
    const int destination = to > from ? to : to - 1;
    const QScopedValueRollback<bool> changing(m_changingRows, true);
    beginMoveRows(QModelIndex(), from - 1, from - 1, QModelIndex(), destination);
    m_rows.move(from - 1, to - 1);
    m_colours.move(from - 1, to - 1);
    endMoveRows();
}

void ItemGrid::clearItems()
{
    {
        const QScopedValueRollback<bool> changing(m_changingRows, true);
        beginResetModel();
        m_rows = {Row{}};
        m_colours = {Colours{}};
        endResetModel();
    }
    setCurrentCell(1, 1);
}

void ItemGrid::replaceRows(int row, int count, const QList<Row> &cells,
                           const QList<Colours> &colours)
{
    Q_ASSERT(cells.size() == colours.size());
    const int first = qBound(0, row - 1, int(m_rows.size()));
    count = qBound(0, count, int(m_rows.size()) - first);
    const int kept = qMin(count, int(cells.size()));
    for (int i = 0; i < kept; ++i) {
        m_rows[first + i] = cells.at(i);
        m_colours[first + i] = colours.at(i);
    }
    if (kept > 0)
        emit dataChanged(index(first, 0), index(first + kept - 1, ItemColumnCount - 1),
                         {Qt::DisplayRole, ColourRole});
    {
        const QScopedValueRollback<bool> changing(m_changingRows, true);
        if (count > kept) {
            beginRemoveRows(QModelIndex(), first + kept, first + count - 1);
            m_rows.remove(first + kept, count - kept);
            m_colours.remove(first + kept, count - kept);
            endRemoveRows();
        } else if (cells.size() > kept) {
            const int added = int(cells.size()) - kept;
            beginInsertRows(QModelIndex(), first + kept, first + kept + added - 1);
            m_rows.insert(first + kept, added, Row{});
            m_colours.insert(first + kept, added, Colours{});
            for (int i = kept; i < cells.size(); ++i) {
                m_rows[first + i] = cells.at(i);
                m_colours[first + i] = colours.at(i);
            }
            endInsertRows();
        }
    }
    clampCurrent();
}

void ItemGrid::setCurrentCell(int row, int col)
{
    row = qBound(1, row, rows() - 1);
    col = qBound(0, col, ItemColumnCount - 1);
    if (row == m_currentRow && col == m_currentCol)
        return;
    emit aboutToLeaveCell(m_currentRow, m_currentCol);
    m_currentRow = row;
    m_currentCol = col;
    emit currentCellChanged(row, col);
    emit enteredCell(row, col);
}

void ItemGrid::clampCurrent()
{
    if (m_currentRow > rows() - 1) {
        m_currentRow = rows() - 1;
        emit currentCellChanged(m_currentRow, m_currentCol);
    }
}

quint32 ItemGrid::cellColour(int row, int col) const
{
    if (!isItemRow(row) || !isColumn(col))
        return 0;
    return m_colours.at(row - 1)[col];
}

void ItemGrid::setCellColour(int row, int col, quint32 colour)
{
    if (!isItemRow(row) || !isColumn(col))
        return;
    m_colours[row - 1][col] = colour;
    const QModelIndex cell = index(row - 1, col);
    emit dataChanged(cell, cell, {ColourRole});
}

int ItemGrid::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ItemGrid::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ItemColumnCount;
}

QVariant ItemGrid::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return bytesToText(text(row, index.column()));
    case ColourRole:
        return cellColour(row, index.column());
    default:
        return QVariant();
    }
}

QVariant ItemGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return ItemColumnCaption(section);
    return QString::number(section + 1);
}

Qt::ItemFlags ItemGrid::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The Type column is fixed: it is drawn but never becomes the current cell.
    if (index.column() == ColType)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
