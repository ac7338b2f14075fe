// The frame's toolbar: 19 command buttons and 7 separators. Each button runs its command
// directly: New and Open the frame's, the others the active document window's.
#include "frmDesign.h"

#include "ItemTypes.h"
#include "document/frmWebForm.h"

#include <QIcon>
#include <QToolBar>

namespace {

// Runs a document window's menu handler on the active window; nothing while none is open.
template <void (frmWebForm::*handler)()> void onActiveForm(frmDesign &frame)
{
    if (frmWebForm *form = frame.activeForm())
        (form->*handler)();
}

template <void (frmWebForm::*handler)(int), int itemtype> void onActiveForm(frmDesign &frame)
{
    if (frmWebForm *form = frame.activeForm())
        (form->*handler)(itemtype);
}

struct ToolbarButton
{
    const char *key; // nullptr: a separator
    const char *tooltip;
    const char *picture;
    void (*run)(frmDesign &frame);
};

const ToolbarButton Buttons[] = {
    {"NEWFILE", "New file", "new", [](frmDesign &frame) { frame.mnuFileNew_Click(); }},
    {"OPENFILE", "Open file...", "open", [](frmDesign &frame) { frame.mnuFileOpen_Click(); }},
    {"SAVEFILE", "Save file", "save", onActiveForm<&frmWebForm::mnuFileSave_Click>},
    {"CONVERTFILE", "Convert file...", "convert", onActiveForm<&frmWebForm::mnuFileConvert_Click>},
    {nullptr, nullptr, nullptr, nullptr},
    {"CUTITEM", "Cut item", "cut", onActiveForm<&frmWebForm::mnuEditCut_Click>},
    {"COPYITEM", "Copy item", "copy", onActiveForm<&frmWebForm::mnuEditCopy_Click>},
    {"PASTEITEM", "Paste item", "paste", onActiveForm<&frmWebForm::mnuEditPaste_Click>},
    {"DELETEITEM", "Delete item", "delete", onActiveForm<&frmWebForm::mnuEditDelete_Click>},
    {nullptr, nullptr, nullptr, nullptr},
    {"MOVEUP", "Move item up", "moveup", onActiveForm<&frmWebForm::mnuEditMoveUp_Click>},
    {"MOVEDOWN", "Move item down", "movedown", onActiveForm<&frmWebForm::mnuEditMoveDown_Click>},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTLABEL", "Insert label...", "label", onActiveForm<&frmWebForm::mnuInsertLabel_Click>},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTTEXT", "Insert text field...", "textfield",
     onActiveForm<&frmWebForm::mnuInsertField_Click, ItemTextField>},
    {"INSERTPASSWORD", "Insert password field...", "password",
     onActiveForm<&frmWebForm::mnuInsertField_Click, ItemPasswordField>},
    {"INSERTHIDDEN", "Insert hidden field...", "hidden",
     onActiveForm<&frmWebForm::mnuInsertField_Click, ItemHiddenField>},
    {"INSERTAREA", "Insert text area...", "textarea",
     onActiveForm<&frmWebForm::mnuInsertField_Click, ItemTextArea>},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTSELECT", "Insert selection...", "selection",
     onActiveForm<&frmWebForm::mnuInsertSelect_Click>},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTCHECK", "Insert checkbox...", "checkbox",
     onActiveForm<&frmWebForm::mnuInsertSwitch_Click, ItemCheckbox>},
    {"INSERTRADIO", "Insert radio button...", "radio",
     onActiveForm<&frmWebForm::mnuInsertSwitch_Click, ItemRadioButton>},
    {nullptr, nullptr, nullptr, nullptr},
    {"INSERTIMAGE", "Insert image...", "image", onActiveForm<&frmWebForm::mnuInsertImage_Click>},
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
        connect(action, &QAction::triggered, this, [this, run = button.run] { run(*this); });
        if (position >= 3)
            m_formButtons << action;
    }
}

void frmDesign::EnableFormButtons(bool enable)
{
    for (QAction *action : std::as_const(m_formButtons))
        action->setEnabled(enable);
}

bool frmDesign::isToolbarVisible() const
{
    return !m_toolbar->isHidden();
}

void frmDesign::tbrDesign_ButtonClick(const QString &key)
{
    for (const ToolbarButton &button : Buttons) {
        if (button.key && key == QLatin1String(button.key)) {
            button.run(*this);
            return;
        }
    }
}
