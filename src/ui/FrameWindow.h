// What the windows below the main frame need of it: the MDI area their documents live in,
// the closing agreement, the toolbar, and the commands that belong to the frame (the wizard,
// the toolbar's visibility, the About box). The main frame
// registers itself on creation; everything below it reaches it only through this interface.
#pragma once

#include <QStringList>

class DocumentWindow;
class QMdiArea;
class QWidget;

class FrameWindow
{
public:
    // The registered main frame, or nullptr while there is none.
    static FrameWindow *instance();

    virtual QWidget *widget() = 0;
    virtual QMdiArea *mdiArea() const = 0;
    // Puts a new document window into the MDI area; the window shows itself when loaded.
    virtual void addFormWindow(DocumentWindow *form) = 0;
    // Brings a document window forward, with its menu bar.
    virtual void activateFormWindow(DocumentWindow *form) = 0;
    virtual void arrangeIcons() = 0;
    // True once the frame closes with every document's agreement: windows close unasked.
    virtual bool isClosingAgreed() const = 0;
    virtual bool isToolbarVisible() const = 0;
    virtual void mnuViewToolbar_Click() = 0;
    virtual void mnuFileWizard_Click() = 0;
    virtual void mnuHelpAbout_Click() = 0;

protected:
    FrameWindow();
    ~FrameWindow();
};
