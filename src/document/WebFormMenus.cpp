// The handlers of a document window's Edit Item and Insert menus.
#include "frmWebForm.h"

#include "document/CommandActions.h"
#include "editor/ItemCommands.h"
#include "editor/ItemEditing.h"
#include "ui/FrameWindow.h"

#include <QUndoStack>

void frmWebForm::mnuView_Click()
{
    CommandActions::instance()->update();
}

// --- Edit Item and Insert menus

void frmWebForm::EditItem(int row)
{
    recordStep(tr("Edit Item"), [this, row] { EditGridItem(*this, row); });
}

void frmWebForm::mnuEditItem_Click()
{
    EditItem(m_grid.currentRow());
}

void frmWebForm::mnuEditCut_Click()
{
    recordStep(tr("Cut"), [this] {
        CopyItem(*this);
        DeleteItem(*this);
    });
}

void frmWebForm::mnuEditCopy_Click()
{
    CopyItem(*this);
}

void frmWebForm::mnuEditPaste_Click()
{
    recordStep(tr("Paste"), [this] { PasteItem(*this); });
}

void frmWebForm::mnuEditDelete_Click()
{
    recordStep(tr("Delete"), [this] { DeleteItem(*this); });
}

void frmWebForm::mnuEditMoveUp_Click()
{
    recordStep(tr("Move Up"), [this] { MoveItemUp(*this); });
}

void frmWebForm::mnuEditMoveDown_Click()
{
    recordStep(tr("Move Down"), [this] { MoveItemDown(*this); });
}

void frmWebForm::moveDroppedRow(int from, int to)
{
    recordStep(tr("Move"), [this, from, to] { MoveItem(*this, from, to); });
}

void frmWebForm::copyDroppedRow(const ItemGrid::Row &cells, int to)
{
    recordStep(tr("Paste"), [this, &cells, to] { InsertItemAt(*this, cells, to); });
    FrameWindow::instance()->activateFormWindow(this);
}

// Each insertion is one step named after its item type.
void frmWebForm::mnuInsertLabel_Click()
{
    recordStep(tr("Insert %1").arg(ItemTypeName(ItemLabel)), [this] {
        int row = 0;
        EditLabelItem(this, row);
    });
}

void frmWebForm::mnuInsertField_Click(int itemtype)
{
    recordStep(tr("Insert %1").arg(ItemTypeName(itemtype)), [this, itemtype] {
        int row = 0;
        EditFieldItem(this, itemtype, row);
    });
}

void frmWebForm::mnuInsertSelect_Click()
{
    recordStep(tr("Insert %1").arg(ItemTypeName(ItemSelection)), [this] {
        int row = 0;
        EditSelectItem(this, row);
    });
}

void frmWebForm::mnuInsertSwitch_Click(int itemtype)
{
    recordStep(tr("Insert %1").arg(ItemTypeName(itemtype)), [this, itemtype] {
        int row = 0;
        EditSwitchItem(this, itemtype, row);
    });
}

void frmWebForm::mnuInsertImage_Click()
{
    recordStep(tr("Insert %1").arg(ItemTypeName(ItemImage)), [this] {
        int row = 0;
        EditImageItem(this, row);
    });
}
