#include "ItemGridView.h"

#include "ItemGrid.h"

#include <QApplication>
#include <QDataStream>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Paints a cell's own colour (0x00BBGGRR, 0 = none) under its text.
class CellColourDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const quint32 colour = index.data(ItemGrid::ColourRole).toUInt();
        if (colour != 0) {
            painter->fillRect(option.rect, QColor(int(colour & 0xff), int((colour >> 8) & 0xff),
                                                  int((colour >> 16) & 0xff)));
        }
        QStyleOptionViewItem plain(option);
        // The program's own mark is the cell colour; the view's selection is not drawn.
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (index.column() == 0)
            plain.font.setBold(true);
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

} // namespace

ItemGridView::ItemGridView(ItemGrid *grid, QWidget *parent) : QTableView(parent), m_grid(grid)
{
    setModel(grid);
    setItemDelegate(new CellColourDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setCornerButtonEnabled(false);
    connect(grid, &ItemGrid::currentCellChanged, this, &ItemGridView::followStore);
    // After rows come, go or move, the view's current cell is the store's again.
    const auto refollow = [this] { followStore(m_grid->currentRow(), m_grid->currentColumn()); };
    connect(grid, &QAbstractItemModel::modelReset, this, refollow);
    connect(grid, &QAbstractItemModel::rowsInserted, this, refollow);
    connect(grid, &QAbstractItemModel::rowsRemoved, this, refollow);
    connect(grid, &QAbstractItemModel::rowsMoved, this, refollow);
    followStore(grid->currentRow(), grid->currentColumn());
}

int ItemGridView::gridRowAt(const QPoint &viewportPos) const
{
    const int modelRow = rowAt(viewportPos.y());
    return modelRow < 0 ? 0 : modelRow + 1;
}

void ItemGridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // Moves of the view's current index caused by a change of rows are not the user's.
    if (m_syncing || m_grid->changingRows() || !current.isValid())
        return;
    if (current.column() == 0) {
        // The Type column is never current: land on Name instead.
        setCurrentIndex(model()->index(current.row(), 1));
        return;
    }
    m_syncing = true;
    m_grid->setCurrentCell(current.row() + 1, current.column());
    m_syncing = false;
}

void ItemGridView::followStore(int row, int col)
{
    if (m_syncing)
        return;
    m_syncing = true;
    setCurrentIndex(model()->index(row - 1, col));
    m_syncing = false;
}

void ItemGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClickedRow(gridRowAt(event->position().toPoint()));
}

const QString ItemGridView::RowMimeType = QStringLiteral("application/x-tabrino-item-row");

QByteArray ItemGridView::encodeRow(const ItemGrid::Row &cells)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    for (const QByteArray &cell : cells)
        out << cell;
    return bytes;
}

bool ItemGridView::decodeRow(const QByteArray &bytes, ItemGrid::Row &cells)
{
    QDataStream in(bytes);
    for (QByteArray &cell : cells)
        in >> cell;
    return in.status() == QDataStream::Ok && in.atEnd() && !cells[ColType].isEmpty();
}

int ItemGridView::dropRowAt(const QPoint &viewportPos) const
{
    const int row = gridRowAt(viewportPos);
    return row == 0 ? m_grid->rows() : row;
}

void ItemGridView::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    const int row = gridRowAt(event->position().toPoint());
    const bool item =
        event->button() == Qt::LeftButton && row > 0 && !m_grid->text(row, ColType).isEmpty();
    m_pressedRow = item ? row : 0;
    m_pressPos = event->position().toPoint();
    m_dragging = false;
}

void ItemGridView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressedRow > 0 && (event->buttons() & Qt::LeftButton) && !m_dragging &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >=
            QApplication::startDragDistance()) {
        m_dragging = true;
        viewport()->setCursor(Qt::DragMoveCursor);
    }
    if (!m_dragging)
        QTableView::mouseMoveEvent(event);
}

// The row goes where the button is let go: the pressed grid keeps the mouse until then,
// wherever the pointer is, so the grid under it is looked up.
void ItemGridView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    viewport()->unsetCursor();
    const QPoint global = event->globalPosition().toPoint();
    ItemGridView *target = nullptr;
    for (QWidget *w = QApplication::widgetAt(global); w && !target; w = w->parentWidget())
        target = qobject_cast<ItemGridView *>(w);
    if (!target || !target->viewport()->rect().contains(target->viewport()->mapFromGlobal(global)))
        return;
    QMimeData data;
    data.setData(RowMimeType, encodeRow(m_grid->rowCells(m_pressedRow)));
    target->dropRow(data, target->viewport()->mapFromGlobal(global), this, m_pressedRow);
    m_pressedRow = 0;
}

void ItemGridView::dropRow(const QMimeData &data, const QPoint &viewportPos,
                           const ItemGridView *source, int sourceRow)
{
    ItemGrid::Row cells;
    if (!decodeRow(data.data(RowMimeType), cells))
        return;
    const int to = dropRowAt(viewportPos);
    if (source == this)
        emit rowMoved(sourceRow, to);
    else
        emit rowCopied(cells, to);
}
