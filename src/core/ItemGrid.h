// The item store of one document: the rows and cells that the item grid shows and that
// every operation on items reads and writes.
#pragma once

#include "ItemTypes.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <array>

// Rows are numbered as on screen: row 0 is the header with the column captions, items
// are rows 1 to rows() - 1. A new store holds the header and one empty placeholder row.
// Cells hold raw bytes. The current cell and the per-cell background colour (0 meaning
// "no colour of its own") are part of the store, so a moved row takes its colour along.
//
// As a table model, model row r is grid row r + 1; the header row is the model's header.
class ItemGrid : public QAbstractTableModel
{
    Q_OBJECT

public:
    using Row = std::array<QByteArray, ItemColumnCount>;
    using Colours = std::array<quint32, ItemColumnCount>;
    // Model role carrying a cell's own background colour, 0x00BBGGRR (red in the low
    // byte), 0 for none; the view paints it.
    static constexpr int ColourRole = Qt::UserRole + 1;

    explicit ItemGrid(QObject *parent = nullptr);

    int rows() const { return int(m_rows.size()) + 1; }
    int cols() const { return ItemColumnCount; }

    QByteArray text(int row, int col) const;
    void setText(int row, int col, const QByteArray &text);
    Row rowCells(int row) const;

    // Adds a row at `index` (1 to rows()) whose first cell is `firstCell`.
    void addRow(int index, const QByteArray &firstCell = QByteArray());
    void removeRow(int index);
    // Moves row `from` to position `to`; both are item rows.
    void moveRow(int from, int to);
    // Back to one empty placeholder row; the current cell becomes (1, 1).
    void clearItems();
    // Replaces the `count` rows from `row` on with `cells` and their `colours` (as many
    // as `cells`), reporting changed rows as changed and only the difference in number as
    // added or removed. Undo and redo use it to put back exactly what a command changed.
    void replaceRows(int row, int count, const QList<Row> &cells, const QList<Colours> &colours);

    // All item rows and their colours, index 0 being row 1 (the placeholder when there are
    // no items). Copies are cheap: they share the cells until either side changes.
    const QList<Row> &itemRows() const { return m_rows; }
    const QList<Colours> &itemColours() const { return m_colours; }

    // True while rows are being added, removed or moved. The current cell is a plain row
    // number that such a change does not carry along, so views ignore the current-index
    // moves a change causes on their side and follow the store afterwards.
    bool changingRows() const { return m_changingRows; }

    int currentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentCol; }
    void setCurrentCell(int row, int col);

    quint32 cellColour(int row, int col) const;
    void setCellColour(int row, int col, quint32 colour);

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // A change of the current cell through setCurrentCell raises aboutToLeaveCell while
    // the old cell is still current, then enteredCell with the new one current.
    void aboutToLeaveCell(int row, int col);
    void enteredCell(int row, int col);
    // Any change of the current cell, also when a removed row moves it; views follow it.
    void currentCellChanged(int row, int col);

private:
    bool isItemRow(int row) const { return row >= 1 && row < rows(); }
    static bool isColumn(int col) { return col >= 0 && col < ItemColumnCount; }
    void clampCurrent();

    QList<Row> m_rows;
    QList<Colours> m_colours;
    bool m_changingRows = false;
    int m_currentRow = 1;
    int m_currentCol = 1;
};
