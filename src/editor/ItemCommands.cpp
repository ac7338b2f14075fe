// The Edit Item commands: editing, the item clipboard and reordering of rows.
#include "ItemCommands.h"

#include "ItemGrid.h"
#include "ItemTypes.h"
#include "editor/ItemClipboard.h"
#include "editor/ItemEditing.h"
#include "ui/DocumentWindow.h"

void EditGridItem(DocumentWindow &form, int row)
{
    const ItemGrid &grid = form.grid();
    int itemRow = row; // the procedures may change it; the caller's value stays
    const int type = ItemTypeCode(grid.text(row, ColType));
    switch (type) {
    case ItemLabel:
        EditLabelItem(&form, itemRow);
        break;
    case ItemTextField:
    case ItemPasswordField:
    case ItemHiddenField:
    case ItemTextArea:
        EditFieldItem(&form, type, itemRow);
        break;
    case ItemSelection:
        EditSelectItem(&form, itemRow);
        break;
    case ItemCheckbox:
    case ItemRadioButton:
        EditSwitchItem(&form, type, itemRow);
        break;
    case ItemImage:
        EditImageItem(&form, itemRow);
        break;
    default:
        break; // the header, the placeholder row or an unknown type
    }
}

void CopyItem(DocumentWindow &form)
{
    const ItemGrid &grid = form.grid();
    const int row = grid.currentRow();
    if (grid.text(row, ColType).isEmpty())
        return;
    ItemClipboard() = grid.rowCells(row);
}

void DeleteItem(DocumentWindow &form)
{
    ItemGrid &grid = form.grid();
    form.setChanged(true);
    if (grid.rows() >= 3) {
        grid.removeRow(grid.currentRow());
    } else {
        // The last item is blanked, which turns it back into the placeholder row.
        for (int col = 0; col < grid.cols(); ++col)
            grid.setText(1, col, QByteArray());
    }
    form.flgForm_EnterCell();
}

void PasteItem(DocumentWindow &form)
{
    InsertItemAt(form, ItemClipboard(), form.grid().currentRow());
}

void InsertItemAt(DocumentWindow &form, const ItemGrid::Row &cells, int row)
{
    if (cells[ColType].isEmpty())
        return;
    ItemGrid &grid = form.grid();
    row = qBound(1, row, grid.rows());
    form.setChanged(true);
    form.flgForm_LeaveCell();
    grid.addRow(row, cells[ColType]);
    for (int col = 1; col < grid.cols(); ++col)
        grid.setText(row, col, cells[col]);
    // Inserted into an empty document: the placeholder row goes.
    const int placeholder = row == 1 ? 2 : 1;
    if (grid.rows() == 3 && grid.text(placeholder, ColType).isEmpty()) {
        grid.removeRow(placeholder);
        row = 1;
    }
    grid.setCurrentCell(row, grid.currentColumn());
    form.flgForm_EnterCell();
}

void MoveItem(DocumentWindow &form, int from, int to)
{
    ItemGrid &grid = form.grid();
    to = qBound(1, to, grid.rows() - 1);
    if (from < 1 || from >= grid.rows() || from == to || grid.text(from, ColType).isEmpty())
        return;
    form.setChanged(true);
    form.flgForm_LeaveCell();
    grid.moveRow(from, to);
    grid.setCurrentCell(to, grid.currentColumn());
    form.flgForm_EnterCell();
}

void MoveItemUp(DocumentWindow &form)
{
    ItemGrid &grid = form.grid();
    const int row = grid.currentRow();
    if (row <= 1)
        return;
    form.setChanged(true);
    grid.moveRow(row, row - 1);
    // The colour moved with the row; the current cell follows it.
    grid.setCurrentCell(row - 1, grid.currentColumn());
}

void MoveItemDown(DocumentWindow &form)
{
    ItemGrid &grid = form.grid();
    const int row = grid.currentRow();
    if (row >= grid.rows() - 1)
        return;
    form.setChanged(true);
    grid.moveRow(row, row + 1);
    grid.setCurrentCell(row + 1, grid.currentColumn());
}
