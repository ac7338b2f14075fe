// Inserting and editing items. Each procedure serves both: `row` 0 inserts a new item
// below the current row (and holds the new row afterwards), `row` >= 1 edits that row.
// An accepted dialog ends with UpdateForm and marks the document changed; Cancel changes
// nothing.
#pragma once

#include <QByteArray>

class DocumentWindow;

void EditLabelItem(DocumentWindow *active_form, int &row);
void EditFieldItem(DocumentWindow *active_form, int itemtype, int &row);
void EditSelectItem(DocumentWindow *active_form, int &row);
void EditSwitchItem(DocumentWindow *active_form, int itemtype, int &row);
void EditImageItem(DocumentWindow *active_form, int &row);

// A radio button of `row` is being renamed to `newName`: asks whether every radio button
// of the old group follows (Yes) or only this one (No, left to the caller's write-back).
void RenameRadioGroup(DocumentWindow *active_form, int row, const QByteArray &newName);
