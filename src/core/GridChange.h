// One undoable step of a document: what a command changed in the item store and the form
// properties, and nothing else.
//
// How a window uses it: before a command runs, take a snapshot; after it, build the change
// from the snapshot and the document as it now is; push it only when it is not empty.
//
//     const GridChange::Snapshot before = GridChange::snapshot(grid, info);
//     runTheCommand();
//     GridChange change(before, grid, info);
//     if (!change.isEmpty())
//         undoStack->push(new SomeUndoCommand(name, std::move(change)));
//
// The command has already run when it is pushed, so the QUndoCommand skips its first
// redo(). undo() and redo() put the rows (cells and colours) and the six properties back
// exactly and make current the cell that was current in the state they restore, which
// is the row the command worked on; they return its row. The highlight of the current
// cell is a colour in the rows, so it is taken off first and put on again afterwards,
// as a command does:
//
//     flgForm_LeaveCell();
//     change.undo(grid, info);
//     flgForm_EnterCell();
//
// The changed flag, SlotFree and the preview are the window's business.
//
// A snapshot costs a pointer copy per row (the cells are shared until the command changes
// them). A change keeps only what differs: the cells a command edited, the rows it added
// or removed, a moved row as its two places, and the colours of rows whose colours changed.
#pragma once

#include "ItemGrid.h"
#include "WebFormInfo.h"

#include <QList>
#include <memory>

class GridChange
{
public:
    struct Snapshot
    {
        QList<ItemGrid::Row> rows;
        QList<ItemGrid::Colours> colours;
        WebFormInfo info;
        int currentRow = 1;
        int currentColumn = 1;
    };

    static Snapshot snapshot(const ItemGrid &grid, const WebFormInfo &info);

    GridChange() = default;
    GridChange(const Snapshot &before, const ItemGrid &grid, const WebFormInfo &info);
    GridChange(GridChange &&) = default;
    GridChange &operator=(GridChange &&) = default;

    // Nothing changed: no step to push.
    bool isEmpty() const;
    // Back to the state before the command, and to it again; the row made current.
    int undo(ItemGrid &grid, WebFormInfo &info) const;
    int redo(ItemGrid &grid, WebFormInfo &info) const;

    // About how many bytes of memory the step keeps: its rows, cell texts and properties
    // counted as if it held the only reference, and its own size.
    qint64 bytesHeld() const;

private:
    struct StoredRow
    {
        ItemGrid::Row cells;
        ItemGrid::Colours colours;
    };
    struct CellEdit
    {
        int row; // grid row, as after the command
        int col;
        QByteArray before;
        QByteArray after;
    };
    struct ColourEdit
    {
        int row; // grid row, as after the command
        ItemGrid::Colours before;
        ItemGrid::Colours after;
    };
    struct Properties
    {
        WebFormInfo before;
        WebFormInfo after;
    };

    int apply(ItemGrid &grid, WebFormInfo &info, bool forward) const;

    int m_first = 0; // grid row of the first row removed or added
    // A moved row: the grid rows it went from and to; 0 when no row moved.
    int m_moveFrom = 0;
    int m_moveTo = 0;
    QList<StoredRow> m_removed;
    QList<StoredRow> m_added;
    QList<CellEdit> m_cells;
    QList<ColourEdit> m_colours;
    int m_currentBefore[2] = {1, 1}; // row, column
    int m_currentAfter[2] = {1, 1};
    std::unique_ptr<Properties> m_properties; // only when a property changed
};
