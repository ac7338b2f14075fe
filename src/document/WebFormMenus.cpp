// The handlers of a document window's Edit Item and Insert menus.
#include "frmWebForm.h"

#include "document/CommandActions.h"
#include "editor/ItemCommands.h"
#include "editor/ItemEditing.h"

void frmWebForm::mnuView_Click()
{
    CommandActions::instance()->update();
}

// --- Edit Item and Insert menus

void frmWebForm::EditItem(int row)
{
    EditGridItem(*this, row);
}

void frmWebForm::mnuEditItem_Click()
{
    EditItem(m_grid.currentRow());
}

void frmWebForm::mnuEditCut_Click()
{
    CopyItem(*this);
    DeleteItem(*this);
}

void frmWebForm::mnuEditCopy_Click()
{
    CopyItem(*this);
}

void frmWebForm::mnuEditPaste_Click()
{
    PasteItem(*this);
}

void frmWebForm::mnuEditDelete_Click()
{
    DeleteItem(*this);
}

void frmWebForm::mnuEditMoveUp_Click()
{
    MoveItemUp(*this);
}

void frmWebForm::mnuEditMoveDown_Click()
{
    MoveItemDown(*this);
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
