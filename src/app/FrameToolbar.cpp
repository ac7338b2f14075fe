// The frame's toolbar: 19 command buttons and 7 separators, routed by key to the active
// document window.
#include "frmDesign.h"

#include "document/frmWebForm.h"
#include "editor/ItemEditing.h"

#include <QIcon>
#include <QToolBar>

namespace {

struct ToolbarButton
{
    const char *key; // nullptr: a separator
    const char *tooltip;
    const char *picture;
};

const ToolbarButton Buttons[] = {
    {"NEWFILE", "New file", "new"},
    {"OPENFILE", "Open file...", "open"},
    {"SAVEFILE", "Save file", "save"},
    {"CONVERTFILE", "Convert file...", "convert"},
    {nullptr, nullptr, nullptr},
    {"CUTITEM", "Cut item", "cut"},
    {"COPYITEM", "Copy item", "copy"},
    {"PASTEITEM", "Paste item", "paste"},
    {"DELETEITEM", "Delete item", "delete"},
    {nullptr, nullptr, nullptr},
    {"MOVEUP", "Move item up", "moveup"},
    {"MOVEDOWN", "Move item down", "movedown"},
    {nullptr, nullptr, nullptr},
    {"INSERTLABEL", "Insert label...", "label"},
    {nullptr, nullptr, nullptr},
    {"INSERTTEXT", "Insert text field...", "textfield"},
    {"INSERTPASSWORD", "Insert password field...", "password"},
    {"INSERTHIDDEN", "Insert hidden field...", "hidden"},
    {"INSERTAREA", "Insert text area...", "textarea"},
    {nullptr, nullptr, nullptr},
    {"INSERTSELECT", "Insert selection...", "selection"},
    {nullptr, nullptr, nullptr},
    {"INSERTCHECK", "Insert checkbox...", "checkbox"},
    {"INSERTRADIO", "Insert radio button...", "radio"},
    {nullptr, nullptr, nullptr},
    {"INSERTIMAGE", "Insert image...", "image"},
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
        const QString key = QLatin1String(button.key);
        QAction *action = m_toolbar->addAction(
            QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(button.picture))), QString());
        action->setObjectName(key);
        action->setToolTip(QLatin1String(button.tooltip));
        action->setData(position);
        connect(action, &QAction::triggered, this, [this, key] { tbrDesign_ButtonClick(key); });
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
    if (key == QLatin1String("NEWFILE")) {
        mnuFileNew_Click();
        return;
    }
    if (key == QLatin1String("OPENFILE")) {
        mnuFileOpen_Click();
        return;
    }
    frmWebForm *form = activeForm();
    if (!form)
        return;
    using Handler = void (frmWebForm::*)();
    const struct
    {
        const char *key;
        Handler handler;
    } routes[] = {
        {"SAVEFILE", &frmWebForm::mnuFileSave_Click},
        {"CONVERTFILE", &frmWebForm::mnuFileConvert_Click},
        {"CUTITEM", &frmWebForm::mnuEditCut_Click},
        {"COPYITEM", &frmWebForm::mnuEditCopy_Click},
        {"PASTEITEM", &frmWebForm::mnuEditPaste_Click},
        {"DELETEITEM", &frmWebForm::mnuEditDelete_Click},
        {"MOVEUP", &frmWebForm::mnuEditMoveUp_Click},
        {"MOVEDOWN", &frmWebForm::mnuEditMoveDown_Click},
    };
    for (const auto &route : routes) {
        if (key == QLatin1String(route.key)) {
            (form->*route.handler)();
            return;
        }
    }
    int row = 0;
    if (key == QLatin1String("INSERTLABEL"))
        EditLabelItem(form, row);
    else if (key == QLatin1String("INSERTTEXT"))
        EditFieldItem(form, ItemTextField, row);
    else if (key == QLatin1String("INSERTPASSWORD"))
        EditFieldItem(form, ItemPasswordField, row);
    else if (key == QLatin1String("INSERTHIDDEN"))
        EditFieldItem(form, ItemHiddenField, row);
    else if (key == QLatin1String("INSERTAREA"))
        EditFieldItem(form, ItemTextArea, row);
    else if (key == QLatin1String("INSERTSELECT"))
        EditSelectItem(form, row);
    else if (key == QLatin1String("INSERTCHECK"))
        EditSwitchItem(form, ItemCheckbox, row);
    else if (key == QLatin1String("INSERTRADIO"))
        EditSwitchItem(form, ItemRadioButton, row);
    else if (key == QLatin1String("INSERTIMAGE"))
        EditImageItem(form, row);
}
