#include "CommandActions.h"

#include "FormSlots.h"
#include "ItemTypes.h"
#include "RecentFiles.h"
#include "document/DocumentLifecycle.h"
#include "document/frmWebForm.h"
#include "ui/FrameWindow.h"
#include "ui/HelpWindow.h"
#include "ui/ViewState.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QUndoGroup>
#include <QUndoStack>

namespace {

CommandActions *g_commandActions = nullptr;

using Run = void (*)(frmWebForm *active);

// Runs a document window's menu handler on the active window; nothing while none is open.
template <void (frmWebForm::*handler)()> void onForm(frmWebForm *form)
{
    if (form)
        (form->*handler)();
}

template <void (frmWebForm::*handler)(int), int itemtype> void onForm(frmWebForm *form)
{
    if (form)
        (form->*handler)(itemtype);
}

FrameWindow &frame()
{
    return *FrameWindow::instance();
}

} // namespace

struct CommandActions::Entry
{
    enum Kind { Menu, Separator, RecentFiles, Command, FormCommand, History };
    Kind kind;
    const char *name;
    const char *text;
    const char *shortcut;
    Run run;
};

namespace {

using E = CommandActions::Entry;
using F = frmWebForm;

// The document window's menu bar, in order. A command needing a document is enabled only
// while one is open; the others also serve the frame's own menu bar. The captions are
// translated when the actions and menus are made.
// clang-format off
const E Entries[] = {
    {E::Menu, "mnuFile", QT_TRANSLATE_NOOP("CommandActions", "&File"), nullptr, nullptr},
    {E::Command, "mnuFileNew",
     QT_TRANSLATE_NOOP("CommandActions", "&New"), "Ctrl+N", [](frmWebForm *) { NewWebForm(); }},
    {E::Command, "mnuFileOpen",
     QT_TRANSLATE_NOOP("CommandActions", "&Open..."), "Ctrl+O",
     [](frmWebForm *) { OpenWebForm(); }},
    {E::FormCommand, "mnuFileClose",
     QT_TRANSLATE_NOOP("CommandActions", "&Close"), nullptr, onForm<&F::mnuFileClose_Click>},
    {E::FormCommand, "mnuFileSave",
     QT_TRANSLATE_NOOP("CommandActions", "&Save"), "Ctrl+S", onForm<&F::mnuFileSave_Click>},
    {E::FormCommand, "mnuFileSaveAs",
     QT_TRANSLATE_NOOP("CommandActions", "Save &As..."), nullptr, onForm<&F::mnuFileSaveAs_Click>},
    {E::Separator, "mnuFileSeparator", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuFileConvert",
     QT_TRANSLATE_NOOP("CommandActions", "Con&vert to HTML"), "Ctrl+E",
     onForm<&F::mnuFileConvert_Click>},
    {E::Command, "mnuFileSelectPos",
     QT_TRANSLATE_NOOP("CommandActions", "Select Form Position..."), nullptr,
     [](frmWebForm *form) {
         if (form)
             form->mnuFileSelectPos_Click();
         else
             SelectPositionFile(QString(), frame().widget());
     }},
    {E::FormCommand, "mnuFileProperties",
     QT_TRANSLATE_NOOP("CommandActions", "Prop&erties..."), "Ctrl+P",
     onForm<&F::mnuFileProperties_Click>},
    {E::Separator, "mnuFileSeparator2", nullptr, nullptr, nullptr},
    {E::Command, "mnuFileWizard",
     QT_TRANSLATE_NOOP("CommandActions", "&Quick Start Wizard..."), nullptr,
     [](frmWebForm *) { frame().mnuFileWizard_Click(); }},
    {E::Separator, "mnuFileSeparator3", nullptr, nullptr, nullptr},
    {E::Command, "mnuFileExit",
     QT_TRANSLATE_NOOP("CommandActions", "E&xit"), nullptr,
     [](frmWebForm *) { frame().widget()->close(); }},
    {E::RecentFiles, "mnuRecentFiles", nullptr, nullptr, nullptr},

    {E::Menu, "mnuEdit", QT_TRANSLATE_NOOP("CommandActions", "&Edit Item"), nullptr, nullptr},
    {E::History, "mnuEditUndo", QT_TRANSLATE_NOOP("CommandActions", "&Undo"), "Ctrl+Z", nullptr},
    {E::History, "mnuEditRedo", QT_TRANSLATE_NOOP("CommandActions", "&Redo"),
     "Ctrl+Shift+Z; Ctrl+Y", nullptr},
    {E::Separator, "mnuEditUndoSeparator", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuEditItem",
     QT_TRANSLATE_NOOP("CommandActions", "&Properties..."), "F4", onForm<&F::mnuEditItem_Click>},
    {E::Separator, "mnuEditSeparator", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuEditCut",
     QT_TRANSLATE_NOOP("CommandActions", "Cu&t"), "Ctrl+X", onForm<&F::mnuEditCut_Click>},
    {E::FormCommand, "mnuEditCopy",
     QT_TRANSLATE_NOOP("CommandActions", "&Copy"), "Ctrl+C", onForm<&F::mnuEditCopy_Click>},
    {E::FormCommand, "mnuEditPaste",
     QT_TRANSLATE_NOOP("CommandActions", "&Paste"), "Ctrl+V", onForm<&F::mnuEditPaste_Click>},
    {E::FormCommand, "mnuEditDelete",
     QT_TRANSLATE_NOOP("CommandActions", "De&lete"), "Del", onForm<&F::mnuEditDelete_Click>},
    {E::Separator, "mnuEditSeparator2", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuEditMoveUp",
     QT_TRANSLATE_NOOP("CommandActions", "Move &Up"), "Alt+Up", onForm<&F::mnuEditMoveUp_Click>},
    {E::FormCommand, "mnuEditMoveDown",
     QT_TRANSLATE_NOOP("CommandActions", "Move &Down"), "Alt+Down", onForm<&F::mnuEditMoveDown_Click>},

    {E::Menu, "mnuInsert", QT_TRANSLATE_NOOP("CommandActions", "&Insert"), nullptr, nullptr},
    {E::FormCommand, "mnuInsertLabel",
     QT_TRANSLATE_NOOP("CommandActions", "&Label..."), "Ctrl+F1", onForm<&F::mnuInsertLabel_Click>},
    {E::Separator, "mnuInsertSeparator", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuInsertField1",
     QT_TRANSLATE_NOOP("CommandActions", "&Text Field..."), "Ctrl+F2",
     onForm<&F::mnuInsertField_Click, ItemTextField>},
    {E::FormCommand, "mnuInsertField2",
     QT_TRANSLATE_NOOP("CommandActions", "&Password Field..."), "Ctrl+F3",
     onForm<&F::mnuInsertField_Click, ItemPasswordField>},
    {E::FormCommand, "mnuInsertField3",
     QT_TRANSLATE_NOOP("CommandActions", "&Hidden Field..."), "Ctrl+F4",
     onForm<&F::mnuInsertField_Click, ItemHiddenField>},
    {E::FormCommand, "mnuInsertField4",
     QT_TRANSLATE_NOOP("CommandActions", "Text &Area..."), "Ctrl+F5",
     onForm<&F::mnuInsertField_Click, ItemTextArea>},
    {E::Separator, "mnuInsertSeparator2", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuInsertSelect",
     QT_TRANSLATE_NOOP("CommandActions", "&Selection..."), "Ctrl+F6",
     onForm<&F::mnuInsertSelect_Click>},
    {E::Separator, "mnuInsertSeparator3", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuInsertSwitch6",
     QT_TRANSLATE_NOOP("CommandActions", "&Checkbox..."), "Ctrl+F7",
     onForm<&F::mnuInsertSwitch_Click, ItemCheckbox>},
    {E::FormCommand, "mnuInsertSwitch7",
     QT_TRANSLATE_NOOP("CommandActions", "&Radio button..."), "Ctrl+F8",
     onForm<&F::mnuInsertSwitch_Click, ItemRadioButton>},
    {E::Separator, "mnuInsertSeparator4", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuInsertImage",
     QT_TRANSLATE_NOOP("CommandActions", "&Image..."), "Ctrl+F9", onForm<&F::mnuInsertImage_Click>},

    {E::Menu, "mnuView", QT_TRANSLATE_NOOP("CommandActions", "&View"), nullptr, nullptr},
    {E::Command, "mnuViewToolbar", QT_TRANSLATE_NOOP("CommandActions", "&Toolbar"), nullptr,
     [](frmWebForm *) { frame().mnuViewToolbar_Click(); }},
    {E::FormCommand, "mnuViewResizeGrid",
     QT_TRANSLATE_NOOP("CommandActions", "&Auto Cell Sizing"), nullptr,
     onForm<&F::mnuViewResizeGrid_Click>},
    {E::FormCommand, "mnuViewHighlight",
     QT_TRANSLATE_NOOP("CommandActions", "&Highlight Colour..."), nullptr,
     onForm<&F::mnuViewHighlight_Click>},
    {E::Separator, "mnuViewSeparator", nullptr, nullptr, nullptr},
    {E::FormCommand, "mnuViewPreview",
     QT_TRANSLATE_NOOP("CommandActions", "&Internal Viewer"), nullptr,
     onForm<&F::mnuViewPreview_Click>},
    {E::FormCommand, "mnuViewRefresh",
     QT_TRANSLATE_NOOP("CommandActions", "&Refresh Internal Viewer"), "F5",
     onForm<&F::mnuViewRefresh_Click>},
    {E::FormCommand, "mnuViewBrowser",
     QT_TRANSLATE_NOOP("CommandActions", "&External Viewer"), nullptr,
     onForm<&F::mnuViewBrowser_Click>},

    {E::Menu, "mnuWindow", QT_TRANSLATE_NOOP("CommandActions", "&Window"), nullptr, nullptr},
    {E::FormCommand, "mnuWindowCascade",
     QT_TRANSLATE_NOOP("CommandActions", "&Cascade"), nullptr, onForm<&F::mnuWindowCascade_Click>},
    {E::FormCommand, "mnuWindowTile",
     QT_TRANSLATE_NOOP("CommandActions", "&Tile"), nullptr, onForm<&F::mnuWindowTile_Click>},
    {E::FormCommand, "mnuWindowArrange",
     QT_TRANSLATE_NOOP("CommandActions", "&Arrange Icons"), nullptr,
     onForm<&F::mnuWindowArrange_Click>},

    {E::Menu, "mnuHelp", QT_TRANSLATE_NOOP("CommandActions", "&Help"), nullptr, nullptr},
    {E::Command, "mnuHelpContents", QT_TRANSLATE_NOOP("CommandActions", "&Contents"), nullptr,
     [](frmWebForm *) { HelpWindow::ShowHelpContents(); }},
    {E::Separator, "mnuHelpSeparator", nullptr, nullptr, nullptr},
    {E::Command, "mnuHelpAbout", QT_TRANSLATE_NOOP("CommandActions", "&About..."), nullptr,
     [](frmWebForm *) { frame().mnuHelpAbout_Click(); }},
};

// The frame's own menu bar names Open without the dots and binds F1 to Contents: these two
// are actions of their own, running the same commands.
const E FrameEntries[] = {
    {E::Command, "mnuFileOpen",
     QT_TRANSLATE_NOOP("CommandActions", "&Open"), "Ctrl+O", [](frmWebForm *) { OpenWebForm(); }},
    {E::Command, "mnuHelpContents", QT_TRANSLATE_NOOP("CommandActions", "&Contents"), "F1",
     [](frmWebForm *) { HelpWindow::ShowHelpContents(); }},
};

// The frame's own menu bar, shown while no document is open, by entry name.
const char *const FrameLayout[] = {
    "mnuFile", "mnuFileNew", "mnuFileOpen", "mnuFileSeparator", "mnuFileSelectPos",
    "mnuFileSeparator2", "mnuFileWizard", "mnuFileSeparator3", "mnuFileExit", "mnuRecentFiles",
    "mnuView", "mnuViewToolbar",
    "mnuHelp", "mnuHelpContents", "mnuHelpSeparator", "mnuHelpAbout",
};
// clang-format on

const char *const CheckedCommands[] = {"mnuViewToolbar", "mnuViewResizeGrid", "mnuViewPreview"};

QAction *makeAction(const E &entry, QObject *owner)
{
    auto *action = new QAction(CommandActions::tr(entry.text), owner);
    action->setObjectName(QLatin1String(entry.name));
    if (entry.shortcut)
        action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
    // The Insert keys Ctrl+F1 to Ctrl+F9 must reach the document even where the MDI
    // frame binds some of them.
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, owner,
                     [run = entry.run] { run(ActiveFormWindow()); });
    return action;
}

// Undo and Redo work on the active window's history and show its step's name; they are
// disabled when it has none to take back or make again.
QAction *makeHistoryAction(const E &entry, QUndoGroup *histories, QObject *owner)
{
    const QString text = CommandActions::tr(entry.text);
    QAction *action = qstrcmp(entry.name, "mnuEditUndo") == 0
                          ? histories->createUndoAction(owner, text)
                          : histories->createRedoAction(owner, text);
    action->setObjectName(QLatin1String(entry.name));
    action->setShortcuts(QKeySequence::listFromString(QLatin1String(entry.shortcut)));
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

} // namespace

CommandActions::CommandActions(QObject *parent) : QObject(parent), m_histories(new QUndoGroup(this))
{
    g_commandActions = this;
    for (const E &entry : Entries) {
        if (entry.kind == E::History)
            m_actions.insert(QLatin1String(entry.name),
                             makeHistoryAction(entry, m_histories, this));
        if (entry.kind != E::Command && entry.kind != E::FormCommand)
            continue;
        QAction *action = makeAction(entry, this);
        m_actions.insert(QLatin1String(entry.name), action);
        if (entry.kind == E::FormCommand)
            m_documentCommands << action;
    }
    for (const E &entry : FrameEntries)
        m_frameActions.insert(QLatin1String(entry.name), makeAction(entry, this));
    for (const char *name : CheckedCommands)
        action(QLatin1String(name))->setCheckable(true);
    m_recentFiles.create(this, [this](int index) { openRecentFile(index); });
}

CommandActions::~CommandActions()
{
    if (g_commandActions == this)
        g_commandActions = nullptr;
}

CommandActions *CommandActions::instance()
{
    return g_commandActions;
}

QAction *CommandActions::action(const QString &name) const
{
    return m_actions.value(name);
}

QMenuBar *CommandActions::documentMenuBar()
{
    QList<const Entry *> layout;
    for (const E &entry : Entries)
        layout << &entry;
    QMenuBar *bar = menuBar(layout, false);
    bar->setObjectName(QStringLiteral("menuBar"));
    return bar;
}

QMenuBar *CommandActions::frameMenuBar()
{
    QList<const Entry *> layout;
    for (const char *name : FrameLayout) {
        for (const E &entry : Entries) {
            if (qstrcmp(entry.name, name) == 0)
                layout << &entry;
        }
    }
    QMenuBar *bar = menuBar(layout, true);
    bar->setObjectName(QStringLiteral("frameMenuBar"));
    return bar;
}

QMenuBar *CommandActions::menuBar(const QList<const Entry *> &layout, bool frame)
{
    auto *bar = new QMenuBar;
    QMenu *menu = nullptr;
    for (const Entry *entry : layout) {
        const QString name = QLatin1String(entry->name);
        switch (entry->kind) {
        case E::Menu:
            menu = bar->addMenu(tr(entry->text));
            menu->setObjectName(name);
            if (name == QLatin1String("mnuView"))
                connect(menu, &QMenu::aboutToShow, this, &CommandActions::update);
            else if (name == QLatin1String("mnuWindow"))
                connect(menu, &QMenu::aboutToShow, this, [menu] { fillWindowList(menu); });
            break;
        case E::Separator:
            menu->addSeparator()->setObjectName(name);
            break;
        case E::RecentFiles:
            m_recentFiles.addTo(menu);
            break;
        case E::Command:
        case E::FormCommand:
        case E::History:
            menu->addAction(frame ? m_frameActions.value(name, action(name)) : action(name));
            break;
        }
    }
    return bar;
}

void CommandActions::update()
{
    const bool documentOpen = Slots().AnyFormOpen();
    frmWebForm *active = ActiveFormWindow();
    if (active)
        m_histories->addStack(active->history());
    m_histories->setActiveStack(active ? active->history() : nullptr);
    for (QAction *command : std::as_const(m_documentCommands))
        command->setEnabled(documentOpen);
    const ViewState &view = ViewState::instance();
    if (const FrameWindow *frame = FrameWindow::instance())
        action(QStringLiteral("mnuViewToolbar"))->setChecked(frame->isToolbarVisible());
    action(QStringLiteral("mnuViewResizeGrid"))->setChecked(view.AutoCellSizing);
    action(QStringLiteral("mnuViewPreview"))->setChecked(view.InternalViewer);
    action(QStringLiteral("mnuViewRefresh"))->setEnabled(documentOpen && view.InternalViewer);
}

void CommandActions::refreshRecentFiles()
{
    if (HasRecentFiles())
        m_recentFiles.setPaths(StoredRecentFiles());
}

void CommandActions::openRecentFile(int index)
{
    const QString path = m_recentFiles.caption(index);
    if (!path.isEmpty())
        LoadWebFormFile(path);
}

// The window list: one entry per open document window, the active one checked.
void CommandActions::fillWindowList(QMenu *menu)
{
    const QList<QAction *> old = menu->findChildren<QAction *>(QStringLiteral("windowListEntry"));
    qDeleteAll(old);
    QMdiArea *area = frame().mdiArea();
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
