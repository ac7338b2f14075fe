// The Edit Item and Insert menus of a document window: editing, the item clipboard and
// reordering of rows.
#include "frmWebForm.h"

#include "FormSlots.h"
#include "editor/ItemClipboard.h"
#include "editor/ItemEditing.h"

void frmWebForm::EditItem(int row)
{
    int itemRow = row; // the procedures may change it; the caller's value stays
    switch (ItemTypeCode(m_grid.text(row, ColType))) {
    case ItemLabel:
        EditLabelItem(this, itemRow);
        break;
    case ItemTextField:
    case ItemPasswordField:
    case ItemHiddenField:
    case ItemTextArea:
        EditFieldItem(this, ItemTypeCode(m_grid.text(row, ColType)), itemRow);
        break;
    case ItemSelection:
        EditSelectItem(this, itemRow);
        break;
    case ItemCheckbox:
    case ItemRadioButton:
        EditSwitchItem(this, ItemTypeCode(m_grid.text(row, ColType)), itemRow);
        break;
    case ItemImage:
        EditImageItem(this, itemRow);
        break;
    default:
        break; // the header, the placeholder row or an unknown type
    }
}

void frmWebForm::mnuEditItem_Click()
{
    EditItem(m_grid.currentRow());
}

void frmWebForm::mnuInsertLabel_Click()
{
    int row = 0;
    EditLabelItem(this, row);
}

void frmWebForm::mnuInsertField_Click(int itemtype)
{
    int row = 0;
    EditFieldItem(this, itemtype, row);
}

void frmWebForm::mnuInsertSelect_Click()
{
    int row = 0;
    EditSelectItem(this, row);
}

void frmWebForm::mnuInsertSwitch_Click(int itemtype)
{
    int row = 0;
    EditSwitchItem(this, itemtype, row);
}

void frmWebForm::mnuInsertImage_Click()
{
    int row = 0;
    EditImageItem(this, row);
}

void frmWebForm::CopyItem()
{
    const int row = m_grid.currentRow();
    if (m_grid.text(row, ColType).isEmpty())
        return;
    ItemClipboard() = m_grid.rowCells(row);
}

void frmWebForm::DeleteItem()
{
    setChanged(true);
    if (m_grid.rows() >= 3) {
        m_grid.removeRow(m_grid.currentRow());
    } else {
        // The last item is blanked, which turns it back into the placeholder row.
        for (int col = 0; col < m_grid.cols(); ++col)
            m_grid.setText(1, col, QByteArray());
    }
    flgForm_EnterCell();
}

void frmWebForm::mnuEditCut_Click()
{
    CopyItem();
    DeleteItem();
}

void frmWebForm::mnuEditCopy_Click()
{
    CopyItem();
}

void frmWebForm::mnuEditDelete_Click()
{
    DeleteItem();
}

void frmWebForm::mnuEditPaste_Click()
{
    const ItemGrid::Row clip = ItemClipboard();
    if (clip[ColType].isEmpty())
        return;
    setChanged(true);
    flgForm_LeaveCell();
    const int row = m_grid.currentRow();
    m_grid.addRow(row, clip[ColType]);
    flgForm_EnterCell();
    for (int col = 1; col < m_grid.cols(); ++col)
        m_grid.setText(row, col, clip[col]);
    // Pasted into an empty document: the placeholder was pushed down to row 2.
    if (m_grid.rows() > 2 && m_grid.text(2, ColType).isEmpty())
        m_grid.removeRow(2);
}

void frmWebForm::mnuEditMoveUp_Click()
{
    const int row = m_grid.currentRow();
    if (row <= 1)
        return;
    setChanged(true);
    m_grid.moveRow(row, row - 1);
    // The colour moved with the row; the current cell follows it.
    m_grid.setCurrentCell(row - 1, m_grid.currentColumn());
}

void frmWebForm::mnuEditMoveDown_Click()
{
    const int row = m_grid.currentRow();
    if (row >= m_grid.rows() - 1)
        return;
    setChanged(true);
    m_grid.moveRow(row, row + 1);
    m_grid.setCurrentCell(row + 1, m_grid.currentColumn());
}
