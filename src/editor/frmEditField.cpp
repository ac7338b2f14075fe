// The dialog of text fields, password fields, hidden fields and text areas.
#include "frmEditField.h"

#include "ItemTypes.h"
#include "ui/KeyFilter.h"
#include "ui/UpDown.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int NumberBoxWidth = 64;

// A numeric box with its up-down beside it, as one cell of the settings grid.
QHBoxLayout *numberCell(QLineEdit *box, UpDown *upDown)
{
    box->setFixedWidth(NumberBoxWidth);
    auto *cell = new QHBoxLayout;
    cell->setSpacing(2);
    cell->addWidget(box);
    cell->addWidget(upDown);
    cell->addStretch();
    return cell;
}

} // namespace

frmEditField::frmEditField(QWidget *parent) : ModalDialog(parent, 30)
{
    setObjectName(QStringLiteral("frmEditField"));
    fraSettings = new QGroupBox(tr("Settings"), this);
    fraSettings->setObjectName(QStringLiteral("fraSettings"));

    txtItemName = makeTextBox("txtItemName", FilterText, fraSettings);
    txtItemDefault = makeTextBox("txtItemDefault", FilterText, fraSettings);
    txtItemLabel = makeTextBox("txtItemLabel", FilterText, fraSettings);
    txtItemColumns = makeTextBox("txtItemColumns", FilterNumber, fraSettings);
    udItemColumns = new UpDown(txtItemColumns, 1, 255, 40, fraSettings);
    udItemColumns->setObjectName(QStringLiteral("udItemColumns"));
    txtItemRows = makeTextBox("txtItemRows", FilterNumber, fraSettings);
    udItemRows = new UpDown(txtItemRows, 1, 255, 4, fraSettings);
    udItemRows->setObjectName(QStringLiteral("udItemRows"));
    txtItemMaxLength = makeTextBox("txtItemMaxLength", FilterNumber, fraSettings);
    udItemMaxLength = new UpDown(txtItemMaxLength, 1, 32767, 999, fraSettings);
    udItemMaxLength->setObjectName(QStringLiteral("udItemMaxLength"));

    lblItemName = makeLabel(tr("&Name:"), "lblItemName", txtItemName, fraSettings);
    lblItemDefault =
        makeLabel(tr("Default &entry:"), "lblItemDefault", txtItemDefault, fraSettings);
    lblItemLabel = makeLabel(tr("&Label:"), "lblItemLabel", txtItemLabel, fraSettings);
    lblItemColumns =
        makeLabel(tr("Display &columns:"), "lblItemColumns", txtItemColumns, fraSettings);
    lblItemRows = makeLabel(tr("Display &rows:"), "lblItemRows", txtItemRows, fraSettings);
    lblItemMaxLength =
        makeLabel(tr("Maximum &length:"), "lblItemMaxLength", txtItemMaxLength, fraSettings);

    for (QLineEdit *box : {txtItemColumns, txtItemRows, txtItemMaxLength})
        box->installEventFilter(this);
    buildLayout();
    txtItemName->setFocus();
}

void frmEditField::buildLayout()
{
    auto *grid = new QGridLayout(fraSettings);
    grid->setColumnMinimumWidth(1, 240);
    grid->addWidget(lblItemName, 0, 0);
    grid->addWidget(txtItemName, 0, 1);
    grid->addWidget(lblItemDefault, 1, 0);
    grid->addWidget(txtItemDefault, 1, 1);
    grid->addWidget(lblItemLabel, 2, 0);
    grid->addWidget(txtItemLabel, 2, 1);
    grid->addWidget(lblItemColumns, 3, 0);
    grid->addLayout(numberCell(txtItemColumns, udItemColumns), 3, 1);
    grid->addWidget(lblItemRows, 4, 0);
    grid->addLayout(numberCell(txtItemRows, udItemRows), 4, 1);
    grid->addWidget(lblItemMaxLength, 5, 0);
    grid->addLayout(numberCell(txtItemMaxLength, udItemMaxLength), 5, 1);

    auto *layout = new QVBoxLayout;
    layout->addWidget(fraSettings);
    layout->addWidget(createOkCancel());
    setFixedLayout(layout);
}

void frmEditField::PrepareForm(int itemtype)
{
    if (itemtype == ItemHiddenField) {
        disableGroup(lblItemLabel, txtItemLabel);
        disableGroup(lblItemColumns, txtItemColumns, udItemColumns);
    }
    if (itemtype == ItemHiddenField || itemtype == ItemTextArea) {
        disableGroup(lblItemMaxLength, txtItemMaxLength, udItemMaxLength);
        if (itemtype == ItemTextArea)
            return;
    }
    disableGroup(lblItemRows, txtItemRows, udItemRows);
}

void frmEditField::txtItemColumns_LostFocus()
{
    udItemColumns->clampBuddy();
}

void frmEditField::txtItemRows_LostFocus()
{
    udItemRows->clampBuddy();
}

void frmEditField::txtItemMaxLength_LostFocus()
{
    udItemMaxLength->clampBuddy();
}

void frmEditField::leaveBox(QObject *box)
{
    if (box == txtItemColumns)
        txtItemColumns_LostFocus();
    else if (box == txtItemRows)
        txtItemRows_LostFocus();
    else if (box == txtItemMaxLength)
        txtItemMaxLength_LostFocus();
}

bool frmEditField::eventFilter(QObject *watched, QEvent *event)
{
    if (isLostFocus(event))
        leaveBox(watched);
    return ModalDialog::eventFilter(watched, event);
}

bool frmEditField::acceptOk()
{
    // Enter in a numeric box closes the dialog without moving the focus: the box is left
    // all the same, so its check runs before the caller reads it.
    leaveBox(focusWidget());
    return requireName(txtItemName->text(), txtItemName);
}
