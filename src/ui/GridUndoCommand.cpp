#include "GridUndoCommand.h"

#include "ui/DocumentWindow.h"

GridUndoCommand::GridUndoCommand(DocumentWindow &form, const QString &name, GridChange change)
    : QUndoCommand(name), m_form(form), m_change(std::move(change))
{
}

void GridUndoCommand::undo()
{
    apply(false);
}

void GridUndoCommand::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    apply(true);
}

void GridUndoCommand::apply(bool forward)
{
    // The highlight is a colour in the rows: off before they are put back, on again after.
    m_form.flgForm_LeaveCell();
    if (forward)
        m_change.redo(m_form.grid(), m_form.info());
    else
        m_change.undo(m_form.grid(), m_form.info());
    m_form.flgForm_EnterCell();
    m_form.UpdateForm();
}
