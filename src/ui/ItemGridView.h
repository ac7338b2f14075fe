// The item grid on screen: a table over a document's ItemGrid that paints each cell's own
// background colour, keeps the Type column out of reach of the current cell, and follows
// the store's current cell both ways. An item row can be dragged by the mouse: within its
// grid to move it, onto another document's grid to copy it there. The drag is the grid's
// own, not the platform's: rows only ever go between grids of this program.
#pragma once

#include "ItemGrid.h"

#include <QTableView>

class QMimeData;

class ItemGridView : public QTableView
{
    Q_OBJECT

public:
    explicit ItemGridView(ItemGrid *grid, QWidget *parent = nullptr);

    // The grid row (1 = first item, 0 = header or no row) under a point of the viewport.
    int gridRowAt(const QPoint &viewportPos) const;
    // The row a drop at a point of the viewport lands on: the row under it, or past the
    // last item below the rows.
    int dropRowAt(const QPoint &viewportPos) const;

    // The private type of a dragged row: its cells, the bytes the item clipboard holds.
    static const QString RowMimeType;
    static QByteArray encodeRow(const ItemGrid::Row &cells);
    static bool decodeRow(const QByteArray &bytes, ItemGrid::Row &cells);

signals:
    // A double-click; `row` is the grid row under the pointer.
    void doubleClickedRow(int row);
    // A row of this grid dropped on row `to` of it.
    void rowMoved(int from, int to);
    // A row of another grid dropped on row `to` of this one.
    void rowCopied(const ItemGrid::Row &cells, int to);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void followStore(int row, int col);
    // Row `sourceRow` of `source`, carried in `data`, let go at a point of this viewport.
    void dropRow(const QMimeData &data, const QPoint &viewportPos, const ItemGridView *source,
                 int sourceRow);

    int m_pressedRow = 0; // the item row the left button went down on, 0 for none
    QPoint m_pressPos;
    bool m_dragging = false; // the pressed row is being dragged

    ItemGrid *m_grid;
    bool m_syncing = false;
};
