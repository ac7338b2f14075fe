// The Edit Item commands of a document: editing the item of a row in its dialog, the item
// clipboard and the reordering of rows. They work on any document window through its
// interface; the window's menu handlers call them.
#pragma once

#include "ItemGrid.h"

class DocumentWindow;

// Edits the item of `row` in the dialog of its type; the header, the placeholder row and an
// unknown type do nothing.
void EditGridItem(DocumentWindow &form, int row);
// Puts the current row's cells on the item clipboard; the placeholder row is not copied.
void CopyItem(DocumentWindow &form);
// Removes the current row; the last item is blanked into the placeholder row instead.
void DeleteItem(DocumentWindow &form);
// Inserts the clipboard's item at the current row; an empty clipboard does nothing.
void PasteItem(DocumentWindow &form);
// Inserts an item with `cells` at `row` (1 to past the last item) and makes it current; the
// placeholder row of an empty document goes. Paste and a row dropped from another window.
void InsertItemAt(DocumentWindow &form, const ItemGrid::Row &cells, int row);
// Moves the item of row `from` to row `to` (past the last item: the last row), the current
// cell with it; a row dragged within its window.
void MoveItem(DocumentWindow &form, int from, int to);
void MoveItemUp(DocumentWindow &form);
void MoveItemDown(DocumentWindow &form);
