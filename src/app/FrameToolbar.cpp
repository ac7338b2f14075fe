// The frame's toolbar: 19 command buttons and 7 separators. Each button has its own name,
// picture and tip and triggers a menu command, whose enabled state it follows: New and Open
// are always enabled, the others while a document is open.
#include "frmDesign.h"

#include "document/CommandActions.h"

#include <QIcon>
#include <QToolBar>

namespace {

struct ToolbarButton
{
    const char *key; // nullptr: a separator
    const char *tooltip;
    const char *picture;
    const char *command; // the menu command the button triggers
};

const ToolbarButton Buttons[] = {
    {"NEWFILE", "New file", "new", "mnuFileNew"},
    {"OPENFILE", "Open file...", "open", "mnuFileOpen"},
    {"SAVEFILE", "Save file", "save", "mnuFileSave"},
    {"CONVERTFILE", "Convert file...", "convert", "mnuFileConvert"},
    {nullptr, nullptr, nullptr, nullptr},
    {"CUTITEM", "Cut item", "cut", "mnuEditCut"},
    {"COPYITEM", "Copy item", "copy", "mnuEditCopy"},
    {"PASTEITEM", "Paste item", "paste", "mnuEditPaste"},
    {"DELETEITEM", "Delete item", "delete", "mnuEditDelete"},
    {nullptr, nullptr, nullptr, nullptr},
    {"MOVEUP", "Move item up", "moveup", "mnuEditMoveUp"},
    {"MOVEDOWN", "Move item down", "movedown", "mnuEditMoveDown"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTLABEL", "Insert label...", "label", "mnuInsertLabel"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTTEXT", "Insert text field...", "textfield", "mnuInsertField1"},
    {"INSERTPASSWORD", "Insert password field...", "password", "mnuInsertField2"},
    {"INSERTHIDDEN", "Insert hidden field...", "hidden", "mnuInsertField3"},
    {"INSERTAREA", "Insert text area...", "textarea", "mnuInsertField4"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTSELECT", "Insert selection...", "selection", "mnuInsertSelect"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTCHECK", "Insert checkbox...", "checkbox", "mnuInsertSwitch6"},
    {"INSERTRADIO", "Insert radio button...", "radio", "mnuInsertSwitch7"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTIMAGE", "Insert image...", "image", "mnuInsertImage"},
};

} // namespace

void frmDesign::buildToolbar()
{
    m_toolbar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_toolbar->setObjectName(QStringLiteral("tbrDesign"));
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setMovable(false);
    m_toolbar->toggleViewAction()->setEnabled(false); // only the View menus toggle it
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    int position = 0;
    for (const ToolbarButton &button : Buttons) {
        ++position;
        if (!button.key) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction *action = m_toolbar->addAction(
            QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(button.picture))), QString());
        action->setObjectName(QLatin1String(button.key));
        action->setToolTip(QLatin1String(button.tooltip));
        action->setData(position);
        QAction *command = m_actions->action(QLatin1String(button.command));
        connect(action, &QAction::triggered, command, &QAction::trigger);
        action->setEnabled(command->isEnabled());
        connect(command, &QAction::enabledChanged, action, &QAction::setEnabled);
    }
}

bool frmDesign::isToolbarVisible() const
{
    return !m_toolbar->isHidden();
}

void frmDesign::tbrDesign_ButtonClick(const QString &key)
{
    for (const ToolbarButton &button : Buttons) {
        if (button.key && key == QLatin1String(button.key)) {
            m_actions->action(QLatin1String(button.command))->trigger();
            return;
        }
    }
}
