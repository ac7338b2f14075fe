// The main frame. How the pieces fit: frmDesign holds the MDI area with one frmWebForm per
// open document (each in a slot of the program-wide slot table, FormSlots), the toolbar
// tbrDesign whose buttons run the active document window's public handlers, and a stack
// of menu bars: its own while no document is open, the active document window's
// otherwise. Document commands live in document/ (lifecycle, window), item editing in
// editor/, HTML placement in html/, and every question to the user goes through Prompter.
#pragma once

#include "RecentFileMenu.h"
#include "StartupOptions.h"

#include <QMainWindow>

class frmStartup;
class frmWebForm;
class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class QStackedWidget;
class QToolBar;

class frmDesign : public QMainWindow
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

    QMdiArea *mdiArea() const { return m_mdiArea; }
    QToolBar *tbrDesign() const { return m_toolbar; }
    frmWebForm *activeForm() const;
    // Puts a new document window into the MDI area; the window shows itself when loaded.
    void addFormWindow(frmWebForm *form);
    void activateFormWindow(frmWebForm *form);
    void arrangeIcons();
    bool isClosingAgreed() const { return m_closingAgreed; }

    // Toolbar buttons 3 to 26; New and Open stay enabled.
    void EnableFormButtons(bool enable);
    void tbrDesign_ButtonClick(const QString &key);
    bool isToolbarVisible() const;

    QStringList recentFileCaptions() const;
    void setRecentFiles(const QStringList &paths);

    static void ShowAboutBox();

    // Frame menu handlers
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSelectPos_Click();
    void mnuFileWizard_Click();
    void mnuFileExit_Click();
    void mnuRecentFile_Click(int index);
    void mnuView_Click();
    void mnuViewToolbar_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildToolbar();
    void buildMenuBar();
    QAction *frameAction(QMenu *menu, const char *name, const QString &caption,
                         const QKeySequence &shortcut = QKeySequence());
    void showMenuBarOf(frmWebForm *form);
    void updateMenuBar();
    void focusActiveGrid();
    void waitForStartupScreen(frmStartup *startup, int milliseconds);

    QMdiArea *m_mdiArea = nullptr;
    QToolBar *m_toolbar = nullptr;
    QStackedWidget *m_menuStack = nullptr;
    QMenuBar *m_ownMenuBar = nullptr;
    QList<QAction *> m_formButtons;
    RecentFileMenu m_recentFiles;
    QAction *m_viewToolbar = nullptr;
    bool m_closingAgreed = false;
    bool m_exiting = false;
};
