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
// them); a change keeps only the rows between the first and last that differ, and a row
// moved to another place as just the two places.
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
    struct Side
    {
        QList<ItemGrid::Row> rows;
        QList<ItemGrid::Colours> colours;
        int currentRow = 1;
        int currentColumn = 1;
    };
    struct Properties
    {
        WebFormInfo before;
        WebFormInfo after;
    };

    int apply(ItemGrid &grid, WebFormInfo &info, bool forward) const;

    int m_first = 0; // index of the first changed row in ItemGrid::itemRows()
    // When the command moved one row, the grid rows it went from and to (otherwise 0); the
    // sides then hold only the rows at m_patchRows (after the move) whose colours changed.
    int m_moveFrom = 0;
    int m_moveTo = 0;
    QList<int> m_patchRows;
    Side m_before;
    Side m_after;
    std::unique_ptr<Properties> m_properties; // only when a property changed
};
