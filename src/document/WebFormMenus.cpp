// The menu bar of a document window and the handlers of its Edit Item and Insert menus. The
// frame shows the menu bar in place of its own while the window is active.
#include "frmWebForm.h"

#include "ItemTypes.h"
#include "editor/ItemCommands.h"
#include "editor/ItemEditing.h"
#include "ui/FrameWindow.h"
#include "ui/ViewState.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QUndoStack>

QAction *frmWebForm::menuAction(QMenu *menu, const char *name, const QString &caption,
                                const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    // The Insert keys Ctrl+F1 to Ctrl+F9 must reach the document even where the MDI
    // frame binds some of them.
    action->setShortcutContext(Qt::WindowShortcut);
    menu->addAction(action);
    return action;
}

void frmWebForm::buildMenus()
{
    m_menuBar = new QMenuBar;
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    m_menuBar->addMenu(buildFileMenu());
    m_menuBar->addMenu(buildEditMenu());
    m_menuBar->addMenu(buildInsertMenu());
    m_menuBar->addMenu(buildViewMenu());
    m_menuBar->addMenu(buildWindowMenu());
    m_menuBar->addMenu(buildHelpMenu());
}

QMenu *frmWebForm::buildFileMenu()
{
    auto *menu = new QMenu(QStringLiteral("&File"), m_menuBar);
    menu->setObjectName(QStringLiteral("mnuFile"));
    connect(menuAction(menu, "mnuFileNew", QStringLiteral("&New"),
                       QKeySequence(QStringLiteral("Ctrl+N"))),
            &QAction::triggered, this, &frmWebForm::mnuFileNew_Click);
    connect(menuAction(menu, "mnuFileOpen", QStringLiteral("&Open..."),
                       QKeySequence(QStringLiteral("Ctrl+O"))),
            &QAction::triggered, this, &frmWebForm::mnuFileOpen_Click);
    connect(menuAction(menu, "mnuFileClose", QStringLiteral("&Close")), &QAction::triggered, this,
            &frmWebForm::mnuFileClose_Click);
    connect(menuAction(menu, "mnuFileSave", QStringLiteral("&Save"),
                       QKeySequence(QStringLiteral("Ctrl+S"))),
            &QAction::triggered, this, &frmWebForm::mnuFileSave_Click);
    connect(menuAction(menu, "mnuFileSaveAs", QStringLiteral("Save &As...")), &QAction::triggered,
            this, &frmWebForm::mnuFileSaveAs_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuFileSeparator"));
    connect(menuAction(menu, "mnuFileConvert", QStringLiteral("Con&vert to HTML"),
                       QKeySequence(QStringLiteral("Ctrl+E"))),
            &QAction::triggered, this, &frmWebForm::mnuFileConvert_Click);
    connect(menuAction(menu, "mnuFileSelectPos", QStringLiteral("Select Form Position...")),
            &QAction::triggered, this, &frmWebForm::mnuFileSelectPos_Click);
    connect(menuAction(menu, "mnuFileProperties", QStringLiteral("Prop&erties..."),
                       QKeySequence(QStringLiteral("Ctrl+P"))),
            &QAction::triggered, this, &frmWebForm::mnuFileProperties_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuFileSeparator2"));
    connect(menuAction(menu, "mnuFileWizard", QStringLiteral("&Quick Start Wizard...")),
            &QAction::triggered, this, &frmWebForm::mnuFileWizard_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuFileSeparator3"));
    connect(menuAction(menu, "mnuFileExit", QStringLiteral("E&xit")), &QAction::triggered, this,
            &frmWebForm::mnuFileExit_Click);
    m_recentFiles.build(menu, this, [this](int index) { mnuRecentFile_Click(index); });
    return menu;
}

QMenu *frmWebForm::buildEditMenu()
{
    auto *menu = new QMenu(QStringLiteral("&Edit Item"), m_menuBar);
    menu->setObjectName(QStringLiteral("mnuEdit"));
    // Undo and Redo name the step they take back or make again, and are disabled when
    // there is none.
    QAction *undo = m_history->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("mnuEditUndo"));
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction *redo = m_history->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("mnuEditRedo"));
    redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    for (QAction *action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        menu->addAction(action);
    }
    menu->addSeparator()->setObjectName(QStringLiteral("mnuEditUndoSeparator"));
    connect(
        menuAction(menu, "mnuEditItem", QStringLiteral("&Properties..."), QKeySequence(Qt::Key_F4)),
        &QAction::triggered, this, &frmWebForm::mnuEditItem_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuEditSeparator"));
    connect(menuAction(menu, "mnuEditCut", QStringLiteral("Cu&t"),
                       QKeySequence(QStringLiteral("Ctrl+X"))),
            &QAction::triggered, this, &frmWebForm::mnuEditCut_Click);
    connect(menuAction(menu, "mnuEditCopy", QStringLiteral("&Copy"),
                       QKeySequence(QStringLiteral("Ctrl+C"))),
            &QAction::triggered, this, &frmWebForm::mnuEditCopy_Click);
    connect(menuAction(menu, "mnuEditPaste", QStringLiteral("&Paste"),
                       QKeySequence(QStringLiteral("Ctrl+V"))),
            &QAction::triggered, this, &frmWebForm::mnuEditPaste_Click);
    connect(
        menuAction(menu, "mnuEditDelete", QStringLiteral("De&lete"), QKeySequence(Qt::Key_Delete)),
        &QAction::triggered, this, &frmWebForm::mnuEditDelete_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuEditSeparator2"));
    connect(menuAction(menu, "mnuEditMoveUp", QStringLiteral("Move &Up"),
                       QKeySequence(Qt::ALT | Qt::Key_Up)),
            &QAction::triggered, this, &frmWebForm::mnuEditMoveUp_Click);
    connect(menuAction(menu, "mnuEditMoveDown", QStringLiteral("Move &Down"),
                       QKeySequence(Qt::ALT | Qt::Key_Down)),
            &QAction::triggered, this, &frmWebForm::mnuEditMoveDown_Click);
    return menu;
}

QMenu *frmWebForm::buildInsertMenu()
{
    auto *menu = new QMenu(QStringLiteral("&Insert"), m_menuBar);
    menu->setObjectName(QStringLiteral("mnuInsert"));
    const auto key = [](int f) { return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + f - 1)); };
    connect(menuAction(menu, "mnuInsertLabel", QStringLiteral("&Label..."), key(1)),
            &QAction::triggered, this, &frmWebForm::mnuInsertLabel_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuInsertSeparator"));
    const struct
    {
        const char *name;
        const char *caption;
        int itemtype;
    } fields[] = {{"mnuInsertField1", "&Text Field...", ItemTextField},
                  {"mnuInsertField2", "&Password Field...", ItemPasswordField},
                  {"mnuInsertField3", "&Hidden Field...", ItemHiddenField},
                  {"mnuInsertField4", "Text &Area...", ItemTextArea}};
    for (const auto &field : fields) {
        const int type = field.itemtype;
        connect(menuAction(menu, field.name, QLatin1String(field.caption), key(type + 1)),
                &QAction::triggered, this, [this, type] { mnuInsertField_Click(type); });
    }
    menu->addSeparator()->setObjectName(QStringLiteral("mnuInsertSeparator2"));
    connect(menuAction(menu, "mnuInsertSelect", QStringLiteral("&Selection..."), key(6)),
            &QAction::triggered, this, &frmWebForm::mnuInsertSelect_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuInsertSeparator3"));
    connect(menuAction(menu, "mnuInsertSwitch6", QStringLiteral("&Checkbox..."), key(7)),
            &QAction::triggered, this, [this] { mnuInsertSwitch_Click(ItemCheckbox); });
    connect(menuAction(menu, "mnuInsertSwitch7", QStringLiteral("&Radio button..."), key(8)),
            &QAction::triggered, this, [this] { mnuInsertSwitch_Click(ItemRadioButton); });
    menu->addSeparator()->setObjectName(QStringLiteral("mnuInsertSeparator4"));
    connect(menuAction(menu, "mnuInsertImage", QStringLiteral("&Image..."), key(9)),
            &QAction::triggered, this, &frmWebForm::mnuInsertImage_Click);
    return menu;
}

QMenu *frmWebForm::buildViewMenu()
{
    auto *menu = new QMenu(QStringLiteral("&View"), m_menuBar);
    menu->setObjectName(QStringLiteral("mnuView"));
    connect(menu, &QMenu::aboutToShow, this, &frmWebForm::mnuView_Click);
    QAction *toolbar = menuAction(menu, "mnuViewToolbar", QStringLiteral("&Toolbar"));
    toolbar->setCheckable(true);
    connect(toolbar, &QAction::triggered, this, &frmWebForm::mnuViewToolbar_Click);
    QAction *resize = menuAction(menu, "mnuViewResizeGrid", QStringLiteral("&Auto Cell Sizing"));
    resize->setCheckable(true);
    connect(resize, &QAction::triggered, this, &frmWebForm::mnuViewResizeGrid_Click);
    connect(menuAction(menu, "mnuViewHighlight", QStringLiteral("&Highlight Colour...")),
            &QAction::triggered, this, &frmWebForm::mnuViewHighlight_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuViewSeparator"));
    QAction *preview = menuAction(menu, "mnuViewPreview", QStringLiteral("&Internal Viewer"));
    preview->setCheckable(true);
    connect(preview, &QAction::triggered, this, &frmWebForm::mnuViewPreview_Click);
    connect(menuAction(menu, "mnuViewRefresh", QStringLiteral("&Refresh Internal Viewer"),
                       QKeySequence(Qt::Key_F5)),
            &QAction::triggered, this, &frmWebForm::mnuViewRefresh_Click);
    connect(menuAction(menu, "mnuViewBrowser", QStringLiteral("&External Viewer")),
            &QAction::triggered, this, &frmWebForm::mnuViewBrowser_Click);
    return menu;
}

void frmWebForm::mnuView_Click()
{
    const ViewState &view = ViewState::instance();
    findChild<QAction *>(QStringLiteral("mnuViewToolbar"))
        ->setChecked(FrameWindow::instance()->isToolbarVisible());
    findChild<QAction *>(QStringLiteral("mnuViewResizeGrid"))->setChecked(view.AutoCellSizing);
    findChild<QAction *>(QStringLiteral("mnuViewPreview"))->setChecked(view.InternalViewer);
    findChild<QAction *>(QStringLiteral("mnuViewRefresh"))->setEnabled(view.InternalViewer);
}

QMenu *frmWebForm::buildWindowMenu()
{
    auto *menu = new QMenu(QStringLiteral("&Window"), m_menuBar);
    menu->setObjectName(QStringLiteral("mnuWindow"));
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillWindowList(menu); });
    connect(menuAction(menu, "mnuWindowCascade", QStringLiteral("&Cascade")), &QAction::triggered,
            this, &frmWebForm::mnuWindowCascade_Click);
    connect(menuAction(menu, "mnuWindowTile", QStringLiteral("&Tile")), &QAction::triggered, this,
            &frmWebForm::mnuWindowTile_Click);
    connect(menuAction(menu, "mnuWindowArrange", QStringLiteral("&Arrange Icons")),
            &QAction::triggered, this, &frmWebForm::mnuWindowArrange_Click);
    return menu;
}

// The window list: one entry per open document window, the active one checked.
void frmWebForm::fillWindowList(QMenu *menu)
{
    const QList<QAction *> old = menu->findChildren<QAction *>(QStringLiteral("windowListEntry"));
    qDeleteAll(old);
    QMdiArea *area = FrameWindow::instance()->mdiArea();
    const QList<QMdiSubWindow *> windows = area->subWindowList();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *sub = windows.at(i);
        // The number is the entry's access key; the caption is shown exactly, "&" and all.
        const auto *form = qobject_cast<frmWebForm *>(sub->widget());
        const QString caption = form ? form->Caption() : sub->windowTitle();
        auto *entry =
            new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(literalMenuText(caption)), menu);
        entry->setObjectName(QStringLiteral("windowListEntry"));
        entry->setCheckable(true);
        entry->setChecked(sub == area->currentSubWindow());
        connect(entry, &QAction::triggered, area, [area, sub] { area->setActiveSubWindow(sub); });
        if (i == 0) {
            auto *separator = new QAction(menu);
            separator->setSeparator(true);
            separator->setObjectName(QStringLiteral("windowListEntry"));
            menu->addAction(separator);
        }
        menu->addAction(entry);
    }
}

QMenu *frmWebForm::buildHelpMenu()
{
    auto *menu = new QMenu(QStringLiteral("&Help"), m_menuBar);
    menu->setObjectName(QStringLiteral("mnuHelp"));
    connect(menuAction(menu, "mnuHelpContents", QStringLiteral("&Contents")), &QAction::triggered,
            this, &frmWebForm::mnuHelpContents_Click);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuHelpSeparator"));
    connect(menuAction(menu, "mnuHelpAbout", QStringLiteral("&About...")), &QAction::triggered,
            this, &frmWebForm::mnuHelpAbout_Click);
    return menu;
}

// --- Edit Item and Insert menus

void frmWebForm::EditItem(int row)
{
    recordStep(QStringLiteral("Edit Item"), [this, row] { EditGridItem(*this, row); });
}

void frmWebForm::mnuEditItem_Click()
{
    EditItem(m_grid.currentRow());
}

void frmWebForm::mnuEditCut_Click()
{
    recordStep(QStringLiteral("Cut"), [this] {
        CopyItem(*this);
        DeleteItem(*this);
    });
}

void frmWebForm::mnuEditCopy_Click()
{
    CopyItem(*this);
}

void frmWebForm::mnuEditPaste_Click()
{
    recordStep(QStringLiteral("Paste"), [this] { PasteItem(*this); });
}

void frmWebForm::mnuEditDelete_Click()
{
    recordStep(QStringLiteral("Delete"), [this] { DeleteItem(*this); });
}

void frmWebForm::mnuEditMoveUp_Click()
{
    recordStep(QStringLiteral("Move Up"), [this] { MoveItemUp(*this); });
}

void frmWebForm::mnuEditMoveDown_Click()
{
    recordStep(QStringLiteral("Move Down"), [this] { MoveItemDown(*this); });
}

void frmWebForm::moveDroppedRow(int from, int to)
{
    recordStep(QStringLiteral("Move"), [this, from, to] { MoveItem(*this, from, to); });
}

void frmWebForm::copyDroppedRow(const ItemGrid::Row &cells, int to)
{
    recordStep(QStringLiteral("Paste"), [this, &cells, to] { InsertItemAt(*this, cells, to); });
    FrameWindow::instance()->activateFormWindow(this);
}

// Each insertion is one step named after its item type.
void frmWebForm::mnuInsertLabel_Click()
{
    recordStep(QStringLiteral("Insert ") + ItemTypeName(ItemLabel), [this] {
        int row = 0;
        EditLabelItem(this, row);
    });
}

void frmWebForm::mnuInsertField_Click(int itemtype)
{
    recordStep(QStringLiteral("Insert ") + ItemTypeName(itemtype), [this, itemtype] {
        int row = 0;
        EditFieldItem(this, itemtype, row);
    });
}

void frmWebForm::mnuInsertSelect_Click()
{
    recordStep(QStringLiteral("Insert ") + ItemTypeName(ItemSelection), [this] {
        int row = 0;
        EditSelectItem(this, row);
    });
}

void frmWebForm::mnuInsertSwitch_Click(int itemtype)
{
    recordStep(QStringLiteral("Insert ") + ItemTypeName(itemtype), [this, itemtype] {
        int row = 0;
        EditSwitchItem(this, itemtype, row);
    });
}

void frmWebForm::mnuInsertImage_Click()
{
    recordStep(QStringLiteral("Insert ") + ItemTypeName(ItemImage), [this] {
        int row = 0;
        EditImageItem(this, row);
    });
}
