// One step of a document's history: a command's change of the item grid and the form
// properties, pushed after the command ran. Undo and redo put the grid back, move the current
// cell to the row the step touched and refresh the preview.
#pragma once

#include "GridChange.h"

#include <QUndoCommand>

class DocumentWindow;

class GridUndoCommand : public QUndoCommand
{
public:
    GridUndoCommand(DocumentWindow &form, const QString &name, GridChange change);

    void undo() override;
    // The first call comes from the push, after the command already did the change.
    void redo() override;

private:
    void apply(bool forward);

    DocumentWindow &m_form;
    GridChange m_change;
    bool m_done = true;
};
