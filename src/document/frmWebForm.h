// The document window: the item grid in the upper part and the browser preview of the
// generated form below it. Its menu handlers are public so the shared menu commands
// (CommandActions) and the wizard can run them on a given window.
#pragma once

#include "FormSlots.h"
#include "ItemGrid.h"
#include "ui/DocumentWindow.h"

#include <QWidget>
#include <functional>

enum class DocumentCommand;

class DocumentGuard;
class ItemGridView;
class QMenuBar;
class QMdiSubWindow;
class PreviewPage;
class QTimer;
class QUndoStack;
class QWebEngineView;

class frmWebForm : public QWidget, public DocumentWindow
{
    Q_OBJECT

public:
    explicit frmWebForm(int slot, QWidget *parent = nullptr);
    ~frmWebForm() override;

    int slot() const { return m_slot; }
    QString Tag() const { return QString::number(m_slot); }
    QWidget *widget() override { return this; }
    QWidget *dialogParent() override { return window(); }
    WebFormInfo &info() const override { return Slots().FormInfo[m_slot]; }
    ItemGrid &grid() override { return m_grid; }
    ItemGridView *flgForm() const override { return m_flgForm; }
    QWebEngineView *webPreview() const { return m_webPreview; }
    QMenuBar *menuBar() const override { return m_menuBar; }
    QMdiSubWindow *subWindow() const override;
    QString PreviewFile;

    // The caption the file commands read: "Untitled:" and the slot, or the file's full path.
    // The title bar shows it exactly, with an asterisk while there are unsaved changes.
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Sets the record's Changed flag and shows it in the title bar. Outside a step of the
    // history, false marks the present state as the saved one (a save), true a change made
    // outside the history, which ends it; inside a step the step decides.
    void setChanged(bool changed) override;

    // The document's undo history, in memory only.
    QUndoStack *history() const { return m_history; }
    // Runs `command` as one step of the history named `name`: pushed when it changed the
    // items or the properties, the changed flag right afterwards either way.
    void recordStep(const QString &name, const std::function<void()> &command);
    // A row dragged within the grid, and one dropped from another document window.
    void moveDroppedRow(int from, int to);
    void copyDroppedRow(const ItemGrid::Row &cells, int to);

    // Creation: header captions, the current-cell mark, a blank preview.
    void Form_Load(bool showMaximized);
    void Form_Resize();
    // Ends every insertion and edit: drops the placeholder row once items exist and
    // writes and shows a fresh preview page. Within PreviewQuietMs of the last refresh the
    // page is written only once the edits stop coming for that long, and never while the
    // browser is still loading the last page, so that a burst of edits (typing, a key held
    // down) costs one refresh after the last one, not one each. The pause is short: a held
    // key repeats every 30 to 40 ms, and every millisecond of it is added to the wait for
    // the page after a burst.
    void UpdateForm() override;
    // Writes and shows a refresh that UpdateForm holds back, at once.
    void FlushPreview();
    static constexpr int PreviewQuietMs = 100;
    // The save-changes prompt; false when the window must stay open.
    bool QueryUnload();
    // The program ends without asking (a logout, a kill): unsaved changes stay in the
    // recovery copy, written now if it is not up to date, and the preview file goes.
    void EndSession();
    // The recovery copy and the file's disk stamp.
    DocumentGuard &guard() const { return *m_guard; }
    static QString MakeTempFileName();

    // Grid events, also called directly after the grid was changed behind the user's back.
    void flgForm_EnterCell() override;
    void flgForm_LeaveCell() override;
    void flgForm_DblClick(int row);
    void EditItem(int row);

    // File menu
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileConvert_Click();
    void mnuFileSelectPos_Click();
    void mnuFileProperties_Click();
    void mnuFileWizard_Click();
    void mnuFileExit_Click();
    void mnuRecentFile_Click(int index);
    // Edit Item menu
    void mnuEditItem_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditMoveUp_Click();
    void mnuEditMoveDown_Click();
    // Insert menu
    void mnuInsertLabel_Click();
    void mnuInsertField_Click(int itemtype);
    void mnuInsertSelect_Click();
    void mnuInsertSwitch_Click(int itemtype);
    void mnuInsertImage_Click();
    // View menu
    void mnuView_Click();
    void mnuViewToolbar_Click();
    void mnuViewResizeGrid_Click();
    void mnuViewHighlight_Click();
    void mnuViewPreview_Click();
    void mnuViewRefresh_Click();
    void mnuViewBrowser_Click();
    // Window and Help menus
    void mnuWindowCascade_Click();
    void mnuWindowTile_Click();
    void mnuWindowArrange_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    // The window lays out its grid and viewer itself, so it states its sizes here for the
    // MDI area's cascade and tile.
    QSize sizeHint() const override { return {800, 560}; }
    QSize minimumSizeHint() const override { return {240, 160}; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Save, Save As or Close with this window's questions and file; see RunDocumentCommand.
    bool runDocumentCommand(DocumentCommand command);
    void Form_Unload();
    void showChanged(bool changed);
    void DeletePreviewFile();
    void refreshPreview();
    void showInViewer(const QString &file);
    QString outputFilePath() const;

    int m_slot;
    ItemGrid m_grid;
    ItemGridView *m_flgForm = nullptr;
    QWebEngineView *m_webPreview = nullptr;
    PreviewPage *m_previewPage = nullptr;
    QMenuBar *m_menuBar = nullptr;
    bool m_unloaded = false;
    QTimer *m_previewQuiet = nullptr; // runs from a refresh until edits stop coming
    bool m_previewPending = false;    // an edit came while it ran
    bool m_previewLoading = false;    // the browser is loading the last page written
    QString m_caption;
    DocumentGuard *m_guard = nullptr;
    QUndoStack *m_history = nullptr;
    bool m_recording = false; // a step of the history is running
};
