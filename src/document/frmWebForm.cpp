#include "frmWebForm.h"

#include "Conversion.h"
#include "SettingsStore.h"
#include "document/CommandActions.h"
#include "document/DocumentGuard.h"
#include "document/DocumentLifecycle.h"
#include "output/frmProperties.h"
#include "ui/FrameWindow.h"
#include "ui/GridUndoCommand.h"
#include "ui/HelpWindow.h"
#include "ui/ItemGridView.h"
#include "ui/PreviewPage.h"
#include "ui/Prompter.h"
#include "ui/ViewState.h"
#include "ui/WaitCursor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTemporaryFile>
#include <QTimer>
#include <QUndoStack>
#include <QWebEngineView>
#include <cmath>

namespace {

// Shares of the usable grid width, in percent, for columns 0 to 7.
constexpr int ColumnShares[ItemColumnCount] = {10, 14, 18, 22, 6, 5, 7, 18};

} // namespace

frmWebForm::frmWebForm(int slot, QWidget *parent) : QWidget(parent), m_slot(slot)
{
    setObjectName(QStringLiteral("frmWebForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tabrino.svg")));
    m_flgForm = new ItemGridView(&m_grid, this);
    m_flgForm->setObjectName(QStringLiteral("flgForm"));
    m_webPreview = new QWebEngineView(this);
    m_webPreview->setObjectName(QStringLiteral("webPreview"));
    // The page belongs to the window, not the view, so it can be deleted before the view.
    m_previewPage = new PreviewPage(this);
    m_webPreview->setPage(m_previewPage);
    m_webPreview->setContextMenuPolicy(Qt::NoContextMenu);
    connect(&m_grid, &ItemGrid::aboutToLeaveCell, this, &frmWebForm::flgForm_LeaveCell);
    connect(&m_grid, &ItemGrid::enteredCell, this, &frmWebForm::flgForm_EnterCell);
    connect(m_flgForm, &ItemGridView::doubleClickedRow, this, &frmWebForm::flgForm_DblClick);
    // An activated window puts the keyboard on its grid, not on the preview's fields; a
    // freshly loaded preview page has had no keystroke yet, so it gives the focus back.
    setFocusProxy(m_flgForm);
    m_history = new QUndoStack(this);
    connect(m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { showChanged(!clean); });
    connect(m_flgForm, &ItemGridView::rowMoved, this, &frmWebForm::moveDroppedRow);
    connect(m_flgForm, &ItemGridView::rowCopied, this, &frmWebForm::copyDroppedRow);
    m_previewQuiet = new QTimer(this);
    m_previewQuiet->setSingleShot(true);
    m_previewQuiet->setInterval(PreviewQuietMs);
    connect(m_previewQuiet, &QTimer::timeout, this, &frmWebForm::FlushPreview);
    connect(m_webPreview, &QWebEngineView::loadStarted, this, [this] { m_previewLoading = true; });
    connect(m_webPreview, &QWebEngineView::loadFinished, this, [this] {
        m_previewLoading = false;
        // The window's own focus widget, also while a message box is the active window: a
        // page that loads meanwhile takes the focus the window gets back when the box closes.
        QWidget *focus = window()->focusWidget();
        if (focus && (focus == m_webPreview || m_webPreview->isAncestorOf(focus)))
            m_flgForm->setFocus(Qt::OtherFocusReason);
        if (!m_previewQuiet->isActive())
            FlushPreview(); // a refresh that waited for this page
    });
    m_guard = new DocumentGuard(this);
    m_menuBar = CommandActions::instance()->documentMenuBar();
    resize(640, 480);
}

frmWebForm::~frmWebForm()
{
    // A history going away reports its state; the window no longer listens.
    disconnect(m_history, nullptr, this, nullptr);
    if (!m_unloaded)
        Form_Unload();
    delete m_menuBar;
    delete m_previewPage;
    delete m_webPreview;
}

QMdiSubWindow *frmWebForm::subWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

void frmWebForm::setCaption(const QString &caption)
{
    m_caption = caption;
    // "[*]" is where the title shows the asterisk; one typed in a path is doubled so that it
    // shows as typed.
    setWindowTitle(QString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) +
                   QStringLiteral("[*]"));
}

void frmWebForm::setChanged(bool changed)
{
    if (m_recording)
        return;
    if (changed) {
        // Changed outside the history (a built or restored form): its steps no longer fit
        // the rows, and no undo leads back to the saved state.
        m_history->clear();
        m_history->resetClean();
    } else {
        m_history->setClean();
    }
    showChanged(changed);
}

void frmWebForm::showChanged(bool changed)
{
    info().Changed = changed;
    setWindowModified(changed);
    m_guard->documentChanged(changed);
}

void frmWebForm::recordStep(const QString &name, const std::function<void()> &command)
{
    const GridChange::Snapshot before = GridChange::snapshot(m_grid, info());
    m_recording = true;
    command();
    m_recording = false;
    GridChange change(before, m_grid, info());
    if (!change.isEmpty())
        m_history->push(new GridUndoCommand(*this, name, std::move(change)));
    showChanged(!m_history->isClean());
}

void frmWebForm::Form_Load(bool showMaximized)
{
    flgForm_EnterCell();
    m_previewPage->showFile(QString());
    if (!ViewState::instance().InternalViewer)
        m_webPreview->hide();
    if (QMdiSubWindow *sub = subWindow()) {
        if (showMaximized)
            sub->showMaximized();
        else
            sub->show();
    }
    Form_Resize();
}

void frmWebForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmWebForm::Form_Resize()
{
    const ViewState &view = ViewState::instance();
    const int w = width();
    const int h = height();
    int gridHeight = h;
    if (view.InternalViewer) {
        gridHeight = h / 2;
        m_webPreview->setGeometry(0, gridHeight, w, h / 2);
    }
    m_flgForm->setGeometry(0, 0, w, gridHeight);
    const QMdiSubWindow *sub = subWindow();
    if ((sub && sub->isMinimized()) || !view.AutoCellSizing)
        return;
    const double unit = (w - 22) / 100.0;
    for (int col = 0; col < ItemColumnCount; ++col) {
        // Rounded to the nearest pixel, a half to the even neighbour.
        const int width = int(std::nearbyint(unit * ColumnShares[col]));
        m_flgForm->horizontalHeader()->resizeSection(col, qMax(0, width));
    }
}

void frmWebForm::UpdateForm()
{
    if (m_grid.text(1, ColType).isEmpty() && m_grid.rows() > 2) {
        m_grid.removeRow(1);
        flgForm_EnterCell();
    }
    if (m_previewQuiet->isActive()) {
        m_previewPending = true;
        m_previewQuiet->start(); // from now on
        return;
    }
    refreshPreview();
    m_previewQuiet->start();
}

void frmWebForm::FlushPreview()
{
    m_previewQuiet->stop();
    if (!m_previewPending)
        return;
    // A page still loading is finished first: the browser does not give up a layout it has
    // begun, so a new page now would only queue behind it and start the layout again.
    if (m_previewLoading)
        return;
    m_previewPending = false;
    refreshPreview();
}

void frmWebForm::refreshPreview()
{
    DeletePreviewFile();
    if (PreviewFile.isEmpty() && ViewState::instance().InternalViewer) {
        PreviewFile = MakeTempFileName();
        Outcome outcome;
        {
            WaitCursor busy;
            outcome = ConvertToHtml(m_grid, info(), PreviewFile, true);
        }
        if (outcome.ok())
            showInViewer(PreviewFile);
        else
            Prompter::show(outcome, this);
    }
}

void frmWebForm::DeletePreviewFile()
{
    if (PreviewFile.isEmpty())
        return;
    // A file that cannot be deleted keeps its name, so the next call tries again.
    if (QFile::exists(PreviewFile) && !QFile::remove(PreviewFile))
        return;
    PreviewFile.clear();
}

QString frmWebForm::MakeTempFileName()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/WFMXXXXXX.htm"));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    return file.fileName();
}

// The output file as the conversion opens it: a relative name is taken from the current
// folder, so both viewers show the very file that was written.
QString frmWebForm::outputFilePath() const
{
    return QFileInfo(QFile::decodeName(info().OutputFile)).absoluteFilePath();
}

void frmWebForm::showInViewer(const QString &file)
{
    m_previewPage->showFile(file);
}

bool frmWebForm::QueryUnload()
{
    return runDocumentCommand(DocumentCommand::Close);
}

bool frmWebForm::runDocumentCommand(DocumentCommand command)
{
    DocumentSteps steps;
    steps.askSaveChanges = [this] {
        return Prompter::message(MessageIcon::Question,
                                 tr("The form [%1] has changed.").arg(Caption()) + CrLf +
                                     tr("Do you want to save the changes?"),
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    };
    steps.askFileName = AskSaveFileName;
    steps.write = [this](const QString &filename) { return SaveWebFormFile(this, filename); };
    steps.remember = RememberFileName;
    return RunDocumentCommand(command, Caption(), info().Changed, steps);
}

void frmWebForm::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded && !FrameWindow::instance()->isClosingAgreed() && !QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

void frmWebForm::EndSession()
{
    if (m_unloaded)
        return;
    m_guard->writeCopyNow();
    m_unloaded = true;
    m_previewQuiet->stop();
    m_previewPending = false;
    DeletePreviewFile();
}

void frmWebForm::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_previewQuiet->stop();
    m_previewPending = false;
    DeletePreviewFile();
    m_guard->documentClosed();
    info().SlotFree = true;
    UpdateCommands();
}

void frmWebForm::flgForm_EnterCell()
{
    m_grid.setCellColour(m_grid.currentRow(), m_grid.currentColumn(),
                         ViewState::instance().HighlightColour);
}

void frmWebForm::flgForm_LeaveCell()
{
    m_grid.setCellColour(m_grid.currentRow(), m_grid.currentColumn(), 0);
}

void frmWebForm::flgForm_DblClick(int row)
{
    EditItem(row);
}

// --- File menu

void frmWebForm::mnuFileNew_Click()
{
    NewWebForm();
}

void frmWebForm::mnuFileOpen_Click()
{
    OpenWebForm();
}

void frmWebForm::mnuFileClose_Click()
{
    if (QMdiSubWindow *sub = subWindow())
        sub->close();
    else
        close();
}

void frmWebForm::mnuFileSave_Click()
{
    runDocumentCommand(DocumentCommand::Save);
}

void frmWebForm::mnuFileSaveAs_Click()
{
    runDocumentCommand(DocumentCommand::SaveAs);
}

void frmWebForm::mnuFileConvert_Click()
{
    if (info().OutputFile.isEmpty()) {
        Prompter::message(MessageIcon::Exclamation, NoOutputFileMessage(), QMessageBox::Ok, this);
        return;
    }
    Outcome outcome;
    {
        WaitCursor busy;
        outcome = ConvertDocument(m_grid, info());
    }
    Prompter::show(outcome, this);
    if (outcome.ok() && ViewState::instance().InternalViewer)
        showInViewer(outputFilePath());
}

void frmWebForm::mnuFileSelectPos_Click()
{
    SelectPositionFile(QFile::decodeName(info().OutputFile), dialogParent());
}

void frmWebForm::mnuFileWizard_Click()
{
    FrameWindow::instance()->mnuFileWizard_Click();
}

void frmWebForm::mnuFileExit_Click()
{
    FrameWindow::instance()->widget()->close();
}

void frmWebForm::mnuRecentFile_Click(int index)
{
    CommandActions::instance()->openRecentFile(index);
}

// --- View menu

void frmWebForm::mnuViewToolbar_Click()
{
    FrameWindow::instance()->mnuViewToolbar_Click();
}

void frmWebForm::mnuViewResizeGrid_Click()
{
    ViewState::instance().AutoCellSizing = !ViewState::instance().AutoCellSizing;
}

void frmWebForm::mnuViewHighlight_Click()
{
    const QColor chosen = Prompter::colour(this);
    if (!chosen.isValid())
        return;
    const quint32 colour =
        quint32(chosen.red()) | (quint32(chosen.green()) << 8) | (quint32(chosen.blue()) << 16);
    ViewState::instance().HighlightColour = colour;
    SettingsStore::setHighlightColour(colour);
    flgForm_EnterCell();
}

void frmWebForm::mnuViewPreview_Click()
{
    ViewState &view = ViewState::instance();
    view.InternalViewer = !view.InternalViewer;
    m_webPreview->setVisible(view.InternalViewer);
    Form_Resize();
}

void frmWebForm::mnuViewRefresh_Click()
{
    // Asked for by the user: refreshed at once, whatever edits came just before.
    m_previewQuiet->stop();
    m_previewPending = false;
    UpdateForm();
}

void frmWebForm::mnuViewBrowser_Click()
{
    WaitCursor busy;
    PreviewPage::handToDesktop(QUrl::fromLocalFile(outputFilePath()));
}

// --- Window and Help menus

void frmWebForm::mnuWindowCascade_Click()
{
    FrameWindow::instance()->mdiArea()->cascadeSubWindows();
}

void frmWebForm::mnuWindowTile_Click()
{
    FrameWindow::instance()->mdiArea()->tileSubWindows();
}

void frmWebForm::mnuWindowArrange_Click()
{
    FrameWindow::instance()->arrangeIcons();
}

void frmWebForm::mnuHelpContents_Click()
{
    HelpWindow::ShowHelpContents();
}

void frmWebForm::mnuHelpAbout_Click()
{
    FrameWindow::instance()->mnuHelpAbout_Click();
}

void frmWebForm::mnuFileProperties_Click()
{
    recordStep(tr("Properties"), [this] {
        if (const std::optional<WebFormInfo> stored = ShowProperties(info(), dialogParent()))
            info() = *stored;
    });
}
