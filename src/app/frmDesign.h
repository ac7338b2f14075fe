// The main frame. How the pieces fit: frmDesign holds the MDI area with one frmWebForm per open
// document (each in a slot of the program-wide slot table, FormSlots), the commands
// (CommandActions: each menu command's action, made once and shared by every menu bar and run on
// the active document window), the toolbar tbrDesign whose buttons trigger those commands, and a
// stack of menu bars: its own while no document is open, the active document window's otherwise.
// The folders are layers, each using only those below it: core/ (file format, generator, settings,
// QtCore only), ui/ (what every window uses: the question seam Prompter, the dialog base, the grid
// view, the preview page, and the two interfaces DocumentWindow and FrameWindow), editor/ (item
// dialogs and commands) and output/ (properties, form position, file viewer) side by side,
// document/ (the document window and its lifecycle), wizard/, and app/ (this frame, start-up,
// main()). Windows below the frame reach it only through FrameWindow, which it implements.
#pragma once

#include "StartupOptions.h"
#include "ui/FrameWindow.h"

#include <QMainWindow>

class CommandActions;
class frmStartup;
class frmWebForm;
class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class QStackedWidget;
class QToolBar;

class frmDesign : public QMainWindow, public FrameWindow
{
    Q_OBJECT

public:
    explicit frmDesign(QWidget *parent = nullptr);
    ~frmDesign() override;

    // The one main frame of the program.
    static frmDesign *MainFrame();

    // The start-up sequence: start-up screen, settings, slot table, the file named on the
    // command line, the wizard, a new document.
    void MDIForm_Load(const StartupOptions &options);

    QWidget *widget() override { return this; }
    QMdiArea *mdiArea() const override { return m_mdiArea; }
    QToolBar *tbrDesign() const { return m_toolbar; }
    frmWebForm *activeForm() const;
    void addFormWindow(DocumentWindow *form) override;
    void activateFormWindow(DocumentWindow *form) override;
    void arrangeIcons() override;
    bool isClosingAgreed() const override { return m_closingAgreed; }

    // Runs the command of the toolbar button named `key` as a click does; an unknown name
    // does nothing.
    void tbrDesign_ButtonClick(const QString &key);
    bool isToolbarVisible() const override;

    static void ShowAboutBox();

    // The commands that belong to the frame; its menus show the shared commands.
    void mnuFileWizard_Click() override;
    void mnuViewToolbar_Click() override;
    void mnuHelpAbout_Click() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildToolbar();
    void buildMenuBar();
    void showMenuBarOf(const DocumentWindow *form);
    void updateMenuBar();
    void focusActiveGrid();
    void waitForStartupScreen(frmStartup *startup, int milliseconds);

    QMdiArea *m_mdiArea = nullptr;
    QToolBar *m_toolbar = nullptr;
    QStackedWidget *m_menuStack = nullptr;
    QMenuBar *m_ownMenuBar = nullptr;
    CommandActions *m_actions = nullptr;
    bool m_closingAgreed = false;
};
