#include "ItemEditing.h"

// The item dialogs arrive with the form editor; until then inserting does nothing.
void EditLabelItem(frmWebForm *, int &) {}
void EditFieldItem(frmWebForm *, int, int &) {}
void EditSelectItem(frmWebForm *, int &) {}
void EditSwitchItem(frmWebForm *, int, int &) {}
void EditImageItem(frmWebForm *, int &) {}
