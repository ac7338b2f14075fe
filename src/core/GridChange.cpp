#include "GridChange.h"

namespace {

// Cells a command did not touch still share their bytes with the snapshot, so most rows
// compare equal by their pointers without reading any text.
bool sameCell(const QByteArray &a, const QByteArray &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

bool sameRow(const QList<ItemGrid::Row> &rowsA, const QList<ItemGrid::Colours> &coloursA, int a,
             const QList<ItemGrid::Row> &rowsB, const QList<ItemGrid::Colours> &coloursB, int b,
             bool withColours = true)
{
    if (withColours && coloursA.at(a) != coloursB.at(b))
        return false;
    const ItemGrid::Row &x = rowsA.at(a);
    const ItemGrid::Row &y = rowsB.at(b);
    for (int col = 0; col < ItemColumnCount; ++col) {
        if (!sameCell(x[col], y[col]))
            return false;
    }
    return true;
}

bool sameProperties(const WebFormInfo &a, const WebFormInfo &b)
{
    return a.OutputFile == b.OutputFile && a.CGIFile == b.CGIFile && a.MethodGet == b.MethodGet &&
           a.MediaType == b.MediaType && a.SubmitText == b.SubmitText && a.ResetText == b.ResetText;
}

void setProperties(WebFormInfo &info, const WebFormInfo &from)
{
    info.OutputFile = from.OutputFile;
    info.CGIFile = from.CGIFile;
    info.MethodGet = from.MethodGet;
    info.MediaType = from.MediaType;
    info.SubmitText = from.SubmitText;
    info.ResetText = from.ResetText;
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
{
    const QList<ItemGrid::Row> &rows = grid.itemRows();
    const QList<ItemGrid::Colours> &colours = grid.itemColours();
    const int beforeCount = int(before.rows.size());
    const int afterCount = int(rows.size());
    int first = 0;
    while (first < beforeCount && first < afterCount &&
           sameRow(before.rows, before.colours, first, rows, colours, first))
        ++first;
    int endBefore = beforeCount;
    int endAfter = afterCount;
    while (endBefore > first && endAfter > first &&
           sameRow(before.rows, before.colours, endBefore - 1, rows, colours, endAfter - 1)) {
        --endBefore;
        --endAfter;
    }
    m_first = first;
    m_before.currentRow = before.currentRow;
    m_before.currentColumn = before.currentColumn;
    m_after.currentRow = grid.currentRow();
    m_after.currentColumn = grid.currentColumn();
    if (!sameProperties(before.info, info))
        m_properties.reset(new Properties{before.info, info});

    // One row taken out and put in elsewhere, the rows between moved by one place: kept as
    // the two places, and the few rows whose colours changed besides (the current cell's
    // highlight).
    const int last = endBefore - 1;
    if (last > first && endAfter == endBefore) {
        for (const bool down : {true, false}) {
            // The row of `before` that the move alone would have put at `at`.
            const auto movedTo = [&](int at) {
                if (down)
                    return at == last ? first : at + 1;
                return at == first ? last : at - 1;
            };
            bool moved = true;
            for (int at = first; moved && at <= last; ++at)
                moved = sameRow(before.rows, before.colours, movedTo(at), rows, colours, at, false);
            if (!moved)
                continue;
            for (int at = first; at <= last; ++at) {
                const int was = movedTo(at);
                if (sameRow(before.rows, before.colours, was, rows, colours, at))
                    continue;
                m_patchRows.append(at + 1);
                m_before.rows.append(before.rows.at(was));
                m_before.colours.append(before.colours.at(was));
                m_after.rows.append(rows.at(at));
                m_after.colours.append(colours.at(at));
            }
            m_moveFrom = (down ? first : last) + 1;
            m_moveTo = (down ? last : first) + 1;
            return;
        }
    }
    m_before.rows = before.rows.mid(first, endBefore - first);
    m_before.colours = before.colours.mid(first, endBefore - first);
    m_after.rows = rows.mid(first, endAfter - first);
    m_after.colours = colours.mid(first, endAfter - first);
}

bool GridChange::isEmpty() const
{
    return m_moveFrom == 0 && m_before.rows.isEmpty() && m_after.rows.isEmpty() && !m_properties;
}

int GridChange::undo(ItemGrid &grid, WebFormInfo &info) const
{
    return apply(grid, info, false);
}

int GridChange::redo(ItemGrid &grid, WebFormInfo &info) const
{
    return apply(grid, info, true);
}

int GridChange::apply(ItemGrid &grid, WebFormInfo &info, bool forward) const
{
    const Side &from = forward ? m_before : m_after;
    const Side &to = forward ? m_after : m_before;
    if (m_moveFrom != 0) {
        if (forward)
            grid.moveRow(m_moveFrom, m_moveTo);
        for (int i = 0; i < m_patchRows.size(); ++i)
            grid.replaceRows(m_patchRows.at(i), 1, to.rows.mid(i, 1), to.colours.mid(i, 1));
        if (!forward)
            grid.moveRow(m_moveTo, m_moveFrom);
    } else if (!from.rows.isEmpty() || !to.rows.isEmpty()) {
        grid.replaceRows(m_first + 1, int(from.rows.size()), to.rows, to.colours);
    }
    if (m_properties)
        setProperties(info, forward ? m_properties->after : m_properties->before);
    grid.setCurrentCell(to.currentRow, to.currentColumn);
    return to.currentRow;
}

qint64 GridChange::bytesHeld() const
{
    qint64 bytes = sizeof(GridChange) + m_patchRows.capacity() * qint64(sizeof(int));
    for (const Side *side : {&m_before, &m_after}) {
        bytes += side->rows.capacity() * qint64(sizeof(ItemGrid::Row)) +
                 side->colours.capacity() * qint64(sizeof(ItemGrid::Colours));
        for (const ItemGrid::Row &row : side->rows) {
            for (const QByteArray &cell : row)
                bytes += bytesOf(cell);
        }
    }
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
