#include "GridChange.h"

namespace {

// Cells a command did not touch still share their bytes with the snapshot, so most rows
// compare equal by their pointers without reading any text.
bool sameCell(const QByteArray &a, const QByteArray &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

bool sameCells(const ItemGrid::Row &a, const ItemGrid::Row &b)
{
    for (int col = 0; col < ItemColumnCount; ++col) {
        if (!sameCell(a[col], b[col]))
            return false;
    }
    return true;
}

void setColours(ItemGrid &grid, int row, const ItemGrid::Colours &colours)
{
    for (int col = 0; col < ItemColumnCount; ++col)
        grid.setCellColour(row, col, colours[col]);
}

qint64 bytesOf(const QByteArray &bytes)
{
    return bytes.isEmpty() ? 0 : bytes.capacity() + 16; // its text and its header
}

} // namespace

GridChange::Snapshot GridChange::snapshot(const ItemGrid &grid, const WebFormInfo &info)
{
    return {grid.itemRows(), grid.itemColours(), info, grid.currentRow(), grid.currentColumn()};
}

GridChange::GridChange(const Snapshot &before, const ItemGrid &grid, const WebFormInfo &info)
    : m_currentBefore{before.currentRow, before.currentColumn}, m_currentAfter{grid.currentRow(),
                                                                               grid.currentColumn()}
{
    if (!before.info.sameProperties(info))
        m_properties.reset(new Properties{before.info, info});

    // The cells: the same rows at the start and at the end, and what lies between.
    const QList<ItemGrid::Row> &rows = grid.itemRows();
    const int beforeCount = int(before.rows.size());
    const int afterCount = int(rows.size());
    int first = 0;
    while (first < beforeCount && first < afterCount && sameCells(before.rows[first], rows[first]))
        ++first;
    int endBefore = beforeCount;
    int endAfter = afterCount;
    while (endBefore > first && endAfter > first &&
           sameCells(before.rows[endBefore - 1], rows[endAfter - 1])) {
        --endBefore;
        --endAfter;
    }
    const int last = endBefore - 1;

    // Which row of `before` each row now stands on; -1 for an added one.
    enum Kind { Replaced, Moved, Edited } kind = endBefore == endAfter ? Edited : Replaced;
    bool down = false;
    for (const bool tryDown : {true, false}) {
        if (kind != Edited || last <= first)
            break;
        bool moved = true;
        for (int at = first; moved && at <= last; ++at) {
            const int was = tryDown ? (at == last ? first : at + 1) : (at == first ? last : at - 1);
            moved = sameCells(before.rows[was], rows[at]);
        }
        if (moved) {
            kind = Moved;
            down = tryDown;
        }
    }
    const auto wasAt = [&](int at) {
        if (at < first)
            return at;
        if (at >= endAfter)
            return at - endAfter + endBefore;
        if (kind == Replaced)
            return -1;
        if (kind == Moved)
            return down ? (at == last ? first : at + 1) : (at == first ? last : at - 1);
        return at;
    };

    m_first = first + 1;
    if (kind == Moved) {
        m_moveFrom = (down ? first : last) + 1;
        m_moveTo = (down ? last : first) + 1;
    } else if (kind == Replaced) {
        for (int at = first; at < endBefore; ++at)
            m_removed.append({before.rows[at], before.colours[at]});
        for (int at = first; at < endAfter; ++at)
            m_added.append({rows[at], grid.itemColours()[at]});
    } else {
        for (int at = first; at < endAfter; ++at) {
            for (int col = 0; col < ItemColumnCount; ++col) {
                if (!sameCell(before.rows[at][col], rows[at][col]))
                    m_cells.append({at + 1, col, before.rows[at][col], rows[at][col]});
            }
        }
    }
    // The colours, wherever they changed (the highlight of the current cell moves).
    const QList<ItemGrid::Colours> &colours = grid.itemColours();
    for (int at = 0; at < afterCount; ++at) {
        const int was = wasAt(at);
        if (was >= 0 && before.colours[was] != colours[at])
            m_colours.append({at + 1, before.colours[was], colours[at]});
    }
}

bool GridChange::isEmpty() const
{
    return m_moveFrom == 0 && m_removed.isEmpty() && m_added.isEmpty() && m_cells.isEmpty() &&
           m_colours.isEmpty() && !m_properties;
}

int GridChange::undo(ItemGrid &grid, WebFormInfo &info) const
{
    return apply(grid, info, false);
}

int GridChange::redo(ItemGrid &grid, WebFormInfo &info) const
{
    return apply(grid, info, true);
}

// Forward: the move or the rows first, then the cells and colours where they now stand;
// backward the other way round.
int GridChange::apply(ItemGrid &grid, WebFormInfo &info, bool forward) const
{
    const auto rowsOf = [](const QList<StoredRow> &stored, QList<ItemGrid::Row> &cells,
                           QList<ItemGrid::Colours> &colours) {
        for (const StoredRow &row : stored) {
            cells.append(row.cells);
            colours.append(row.colours);
        }
    };
    const auto moveRows = [&] {
        if (m_moveFrom != 0)
            forward ? grid.moveRow(m_moveFrom, m_moveTo) : grid.moveRow(m_moveTo, m_moveFrom);
        if (m_removed.isEmpty() && m_added.isEmpty())
            return;
        QList<ItemGrid::Row> cells;
        QList<ItemGrid::Colours> colours;
        rowsOf(forward ? m_added : m_removed, cells, colours);
        grid.replaceRows(m_first, int((forward ? m_removed : m_added).size()), cells, colours);
    };
    if (forward)
        moveRows();
    for (const CellEdit &edit : m_cells)
        grid.setText(edit.row, edit.col, forward ? edit.after : edit.before);
    for (const ColourEdit &edit : m_colours)
        setColours(grid, edit.row, forward ? edit.after : edit.before);
    if (!forward)
        moveRows();
    if (m_properties)
        info.setProperties(forward ? m_properties->after : m_properties->before);
    const int *current = forward ? m_currentAfter : m_currentBefore;
    grid.setCurrentCell(current[0], current[1]);
    return current[0];
}

qint64 GridChange::bytesHeld() const
{
    qint64 bytes = sizeof(GridChange) +
                   (m_removed.capacity() + m_added.capacity()) * qint64(sizeof(StoredRow)) +
                   m_cells.capacity() * qint64(sizeof(CellEdit)) +
                   m_colours.capacity() * qint64(sizeof(ColourEdit));
    for (const QList<StoredRow> *rows : {&m_removed, &m_added}) {
        for (const StoredRow &row : *rows) {
            for (const QByteArray &cell : row.cells)
                bytes += bytesOf(cell);
        }
    }
    for (const CellEdit &edit : m_cells)
        bytes += bytesOf(edit.before) + bytesOf(edit.after);
    if (m_properties) {
        bytes += sizeof(Properties);
        for (const WebFormInfo *info : {&m_properties->before, &m_properties->after}) {
            for (const QByteArray *text : {&info->OutputFile, &info->CGIFile, &info->MediaType,
                                           &info->SubmitText, &info->ResetText})
                bytes += bytesOf(*text);
        }
    }
    return bytes;
}
