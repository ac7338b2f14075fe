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
    const char *key;     // nullptr: a separator
    const char *tooltip; // translated when the button is made
    const char *picture;
    const char *command; // the menu command the button triggers
};

const ToolbarButton Buttons[] = {
    {"NEWFILE", QT_TRANSLATE_NOOP("frmDesign", "New file"), "new", "mnuFileNew"},
    {"OPENFILE", QT_TRANSLATE_NOOP("frmDesign", "Open file..."), "open", "mnuFileOpen"},
    {"SAVEFILE", QT_TRANSLATE_NOOP("frmDesign", "Save file"), "save", "mnuFileSave"},
    {"CONVERTFILE", QT_TRANSLATE_NOOP("frmDesign", "Convert file..."), "convert", "mnuFileConvert"},
    {nullptr, nullptr, nullptr, nullptr},
    {"CUTITEM", QT_TRANSLATE_NOOP("frmDesign", "Cut item"), "cut", "mnuEditCut"},
    {"COPYITEM", QT_TRANSLATE_NOOP("frmDesign", "Copy item"), "copy", "mnuEditCopy"},
    {"PASTEITEM", QT_TRANSLATE_NOOP("frmDesign", "Paste item"), "paste", "mnuEditPaste"},
    {"DELETEITEM", QT_TRANSLATE_NOOP("frmDesign", "Delete item"), "delete", "mnuEditDelete"},
    {nullptr, nullptr, nullptr, nullptr},
    {"MOVEUP", QT_TRANSLATE_NOOP("frmDesign", "Move item up"), "moveup", "mnuEditMoveUp"},
    {"MOVEDOWN", QT_TRANSLATE_NOOP("frmDesign", "Move item down"), "movedown", "mnuEditMoveDown"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTLABEL", QT_TRANSLATE_NOOP("frmDesign", "Insert label..."), "label", "mnuInsertLabel"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTTEXT", QT_TRANSLATE_NOOP("frmDesign", "Insert text field..."), "textfield",
     "mnuInsertField1"},
    {"INSERTPASSWORD", QT_TRANSLATE_NOOP("frmDesign", "Insert password field..."), "password",
     "mnuInsertField2"},
    {"INSERTHIDDEN", QT_TRANSLATE_NOOP("frmDesign", "Insert hidden field..."), "hidden",
     "mnuInsertField3"},
    {"INSERTAREA", QT_TRANSLATE_NOOP("frmDesign", "Insert text area..."), "textarea",
     "mnuInsertField4"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTSELECT", QT_TRANSLATE_NOOP("frmDesign", "Insert selection..."), "selection",
     "mnuInsertSelect"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTCHECK", QT_TRANSLATE_NOOP("frmDesign", "Insert checkbox..."), "checkbox",
     "mnuInsertSwitch6"},
    {"INSERTRADIO", QT_TRANSLATE_NOOP("frmDesign", "Insert radio button..."), "radio",
     "mnuInsertSwitch7"},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTIMAGE", QT_TRANSLATE_NOOP("frmDesign", "Insert image..."), "image", "mnuInsertImage"},
};

} // namespace

void frmDesign::buildToolbar()
{
    m_toolbar = new QToolBar(tr("Toolbar"), this);
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
        action->setToolTip(tr(button.tooltip));
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
