// Inserting and editing items. Each procedure serves both: `row` 0 inserts a new item
// below the current row (and holds the new row afterwards), `row` >= 1 edits that row.
#pragma once

class frmWebForm;

void EditLabelItem(frmWebForm *active_form, int &row);
void EditFieldItem(frmWebForm *active_form, int itemtype, int &row);
void EditSelectItem(frmWebForm *active_form, int &row);
void EditSwitchItem(frmWebForm *active_form, int itemtype, int &row);
void EditImageItem(frmWebForm *active_form, int &row);
