// The item grid on screen: a table over a document's ItemGrid that paints each cell's own
// background colour, keeps the Type column out of reach of the current cell, and follows
// the store's current cell both ways.
#pragma once

#include <QTableView>

class ItemGrid;

class ItemGridView : public QTableView
{
    Q_OBJECT

public:
    explicit ItemGridView(ItemGrid *grid, QWidget *parent = nullptr);

    // The grid row (1 = first item, 0 = header or no row) under a point of the viewport.
    int gridRowAt(const QPoint &viewportPos) const;

signals:
    // A double-click; `row` is the grid row under the pointer.
    void doubleClickedRow(int row);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void followStore(int row, int col);

    ItemGrid *m_grid;
    bool m_syncing = false;
};
