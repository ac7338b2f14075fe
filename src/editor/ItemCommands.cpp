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
    switch (ItemTypeCode(grid.text(row, ColType))) {
    case ItemLabel:
        EditLabelItem(&form, itemRow);
        break;
    case ItemTextField:
    case ItemPasswordField:
    case ItemHiddenField:
    case ItemTextArea:
        EditFieldItem(&form, ItemTypeCode(grid.text(row, ColType)), itemRow);
        break;
    case ItemSelection:
        EditSelectItem(&form, itemRow);
        break;
    case ItemCheckbox:
    case ItemRadioButton:
        EditSwitchItem(&form, ItemTypeCode(grid.text(row, ColType)), itemRow);
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
    const ItemGrid::Row clip = ItemClipboard();
    if (clip[ColType].isEmpty())
        return;
    ItemGrid &grid = form.grid();
    form.setChanged(true);
    form.flgForm_LeaveCell();
    const int row = grid.currentRow();
    grid.addRow(row, clip[ColType]);
    form.flgForm_EnterCell();
    for (int col = 1; col < grid.cols(); ++col)
        grid.setText(row, col, clip[col]);
    // Pasted into an empty document: the placeholder was pushed down to row 2.
    if (grid.rows() > 2 && grid.text(2, ColType).isEmpty())
        grid.removeRow(2);
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
