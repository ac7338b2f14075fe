// What item commands and dialogs need of a document window: its item grid and form record,
// the grid view, the refresh after an edit, the change mark, and the window itself as the
// anchor of its dialogs. The document window implements it; the layers below the document
// window know it only by this interface.
#pragma once

class ItemGrid;
class ItemGridView;
class QMdiSubWindow;
class QMenuBar;
class QWidget;
struct WebFormInfo;

class DocumentWindow
{
public:
    virtual QWidget *widget() = 0;
    // The top-level window the document sits in: the parent of the dialogs it opens.
    virtual QWidget *dialogParent() = 0;
    virtual ItemGrid &grid() = 0;
    virtual WebFormInfo &info() const = 0;
    virtual ItemGridView *flgForm() const = 0;
    virtual QMenuBar *menuBar() const = 0;
    virtual QMdiSubWindow *subWindow() const = 0;
    // Ends an insertion or edit: drops the placeholder row and refreshes the preview.
    virtual void UpdateForm() = 0;
    // Sets the record's Changed flag and shows it in the title bar.
    virtual void setChanged(bool changed) = 0;
    // The current cell's highlight, put on and taken off around changes of the grid.
    virtual void flgForm_EnterCell() = 0;
    virtual void flgForm_LeaveCell() = 0;

protected:
    ~DocumentWindow() = default;
};
