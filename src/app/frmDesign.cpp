#include "frmDesign.h"

#include "AppInfo.h"
#include "FormSlots.h"
#include "RecoveryStore.h"
#include "SettingsStore.h"
#include "app/frmStartup.h"
#include "document/CommandActions.h"
#include "document/DocumentGuard.h"
#include "document/DocumentLifecycle.h"
#include "document/DocumentRecovery.h"
#include "document/frmWebForm.h"
#include "ui/HelpWindow.h"
#include "ui/ItemGridView.h"
#include "ui/Prompter.h"
#include "ui/ViewState.h"
#include "wizard/frmWizard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>

namespace {
frmDesign *g_mainFrame = nullptr;
}

frmDesign::frmDesign(QWidget *parent)
    : QMainWindow(parent),
      m_recovery(std::make_unique<RecoveryStore>(RecoveryStore::DefaultFolder()))
{
    g_mainFrame = this;
    setObjectName(QStringLiteral("frmDesign"));
    setWindowTitle(AppInfo::Title);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tabrino.svg")));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    m_actions = new CommandActions(this);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &frmDesign::updateMenuBar);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, m_actions, &CommandActions::update);
    // Whatever brought a document window forward, the keyboard goes to its grid, never to
    // a field of its preview. The sub-window restores its own last focus after this signal,
    // hence once more when the events of the switch are done.
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        focusActiveGrid();
        QTimer::singleShot(0, this, &frmDesign::focusActiveGrid);
        QTimer::singleShot(0, this, &frmDesign::CheckActiveFormOnDisk);
    });
    // File dialogs open in the folder of the active document.
    Prompter::setDocumentFolderSource([] {
        const frmDesign *frame = MainFrame();
        const frmWebForm *form = frame ? frame->activeForm() : nullptr;
        return form && !IsUntitled(form) ? QFileInfo(form->Caption()).absolutePath() : QString();
    });
    buildToolbar();
    buildMenuBar();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(available.width() * 9 / 10, available.height() * 9 / 10);
        move(available.center() - rect().center());
    } else {
        resize(1024, 720);
    }
}

frmDesign::~frmDesign()
{
    if (g_mainFrame == this)
        g_mainFrame = nullptr;
}

frmDesign *frmDesign::MainFrame()
{
    return g_mainFrame;
}

void frmDesign::buildMenuBar()
{
    m_ownMenuBar = m_actions->frameMenuBar();

    // The menu bars take turns in one place: the frame's own, or the active document's.
    m_menuStack = new QStackedWidget(this);
    m_menuStack->setObjectName(QStringLiteral("menuStack"));
    m_menuStack->addWidget(m_ownMenuBar);
    setMenuWidget(m_menuStack);
}

void frmDesign::MDIForm_Load(const StartupOptions &options)
{
    auto *startup = new frmStartup;
    startup->setAttribute(Qt::WA_DeleteOnClose);
    startup->show();
    startup->repaint();
    setWindowTitle(AppInfo::Title);
    ViewState &view = ViewState::instance();
    view.AutoCellSizing = true;
    view.InternalViewer = true;
    view.HighlightColour = SettingsStore::highlightColour();
    Slots().reset();
    waitForStartupScreen(startup, options.splashMilliseconds);
    // The frame's recent-file entries are what a file is checked against before it is
    // added, so they hold the stored list before the first file is opened.
    m_actions->refreshRecentFiles();
    // Work left by a program that did not end cleanly comes first; restored documents
    // stand in for the wizard and the first new document.
    if (!m_sessionEnded)
        OfferRecoveryCopies(*m_recovery);
    const QString file = options.commandLinePath();
    if (!file.isEmpty() && !m_sessionEnded)
        LoadWebFormFile(file);
    if (!Slots().AnyFormOpen() && SettingsStore::displayWizard() && !m_sessionEnded)
        frmWizard::ShowWizard(this);
    if (!Slots().AnyFormOpen() && !m_sessionEnded)
        NewWebForm();
}

void frmDesign::waitForStartupScreen(frmStartup *startup, int milliseconds)
{
    // The screen closes itself by its timer; events are dispatched meanwhile.
    QEventLoop wait;
    connect(startup, &QObject::destroyed, &wait, &QEventLoop::quit);
    startup->startTimer(milliseconds);
    wait.exec();
}

frmWebForm *frmDesign::activeForm() const
{
    return ActiveFormWindow();
}

void frmDesign::addFormWindow(DocumentWindow *form)
{
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(form->widget());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The window's system menu binds Ctrl+F4 and Ctrl+F6, which the Insert menu needs.
    for (QAction *action : sub->systemMenu()->actions())
        action->setShortcut(QKeySequence());
    m_menuStack->addWidget(form->menuBar());
}

void frmDesign::activateFormWindow(DocumentWindow *form)
{
    if (QMdiSubWindow *sub = form->subWindow())
        m_mdiArea->setActiveSubWindow(sub);
    form->widget()->setFocus();
    showMenuBarOf(form);
}

void frmDesign::focusActiveGrid()
{
    if (frmWebForm *form = activeForm())
        form->flgForm()->setFocus(Qt::ActiveWindowFocusReason);
}

void frmDesign::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Back from a dialog or another program: the active document's grid has the keyboard.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        QTimer::singleShot(0, this, &frmDesign::focusActiveGrid);
        QTimer::singleShot(0, this, &frmDesign::CheckActiveFormOnDisk);
    }
}

void frmDesign::CheckActiveFormOnDisk()
{
    // Over a dialog the question would interrupt it; the frame is activated again, and
    // asks, when the dialog closes.
    if (m_sessionEnded || m_closingAgreed || QApplication::activeModalWidget())
        return;
    if (frmWebForm *form = activeForm())
        form->guard().offerReload();
}

void frmDesign::updateMenuBar()
{
    showMenuBarOf(activeForm());
}

void frmDesign::showMenuBarOf(const DocumentWindow *form)
{
    if (form && form->menuBar() && m_menuStack->indexOf(form->menuBar()) >= 0)
        m_menuStack->setCurrentWidget(form->menuBar());
    else
        m_menuStack->setCurrentWidget(m_ownMenuBar);
}

void frmDesign::arrangeIcons()
{
    // Minimised windows line up along the bottom edge of the MDI area, left to right.
    int x = 0;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > m_mdiArea->viewport()->width())
            x = 0;
        sub->move(x, m_mdiArea->viewport()->height() - size.height());
        x += size.width();
    }
}

void frmDesign::closeEvent(QCloseEvent *event)
{
    // Every changed document is asked first; one refusal keeps everything open.
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
    for (QMdiSubWindow *sub : windows) {
        auto *form = qobject_cast<frmWebForm *>(sub->widget());
        if (form && !form->QueryUnload()) {
            event->ignore();
            return;
        }
    }
    m_closingAgreed = true;
    m_mdiArea->closeAllSubWindows();
    HelpWindow::CloseHelp();
    // A clean exit leaves no work behind to recover.
    if (!m_sessionEnded)
        m_recovery->removeAll();
    event->accept();
}

void frmDesign::EndSession()
{
    if (m_sessionEnded)
        return;
    m_sessionEnded = true;
    m_closingAgreed = true;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList()) {
        if (auto *form = qobject_cast<frmWebForm *>(sub->widget()))
            form->EndSession();
    }
    HelpWindow::CloseHelp();
}

void frmDesign::ShowAboutBox()
{
    Prompter::message(MessageIcon::Information,
                      tr("%1 version %2").arg(AppInfo::Title, AppInfo::versionText()) + CrLf +
                          CrLf +
                          tr("A designer for HTML forms: build a form item by item, preview it, "
                             "and write it into a web page."),
                      QMessageBox::Ok, nullptr,
                      tr("About %1 version %2").arg(AppInfo::Title, AppInfo::versionText()));
}

void frmDesign::mnuFileWizard_Click()
{
    frmWizard::ShowWizard(this);
}

void frmDesign::mnuViewToolbar_Click()
{
    m_toolbar->setVisible(!isToolbarVisible());
}

void frmDesign::mnuHelpAbout_Click()
{
    ShowAboutBox();
}
