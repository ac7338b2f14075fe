// The dialog of checkboxes and radio buttons.
#include "frmEditSwitch.h"

#include "ItemGrid.h"
#include "ItemTypes.h"
#include "TextBytes.h"
#include "ui/KeyFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QVBoxLayout>

frmEditSwitch::frmEditSwitch(QWidget *parent) : ModalDialog(parent, 30)
{
    setObjectName(QStringLiteral("frmEditSwitch"));
    fraSettings = new QGroupBox(tr("Settings"), this);
    fraSettings->setObjectName(QStringLiteral("fraSettings"));

    cboItemName = new QComboBox(fraSettings);
    cboItemName->setObjectName(QStringLiteral("cboItemName"));
    cboItemName->setEditable(true);
    // A typed name is the item's name only; Enter must not add it to the list of groups.
    cboItemName->setInsertPolicy(QComboBox::NoInsert);
    // Names are compared exactly and kept as typed: no completion that would turn "s" into
    // "size", and no case-blind match that would turn "GRP" into "grp" on leaving the box.
    cboItemName->setCompleter(nullptr);
    InstallKeyFilter(cboItemName, FilterText);
    txtItemLabel = makeTextBox("txtItemLabel", FilterText, fraSettings);
    txtItemValue = makeTextBox("txtItemValue", FilterText, fraSettings);
    chkItemDefault = new QCheckBox(tr("Default &state:"), fraSettings);
    chkItemDefault->setObjectName(QStringLiteral("chkItemDefault"));
    // The caption reads as a label, so the box stands after it.
    chkItemDefault->setLayoutDirection(Qt::RightToLeft);

    lblItemName = makeLabel(tr("&Name:"), "lblItemName", cboItemName, fraSettings);
    lblItemLabel = makeLabel(tr("&Label:"), "lblItemLabel", txtItemLabel, fraSettings);
    lblItemValue = makeLabel(tr("&Value:"), "lblItemValue", txtItemValue, fraSettings);

    auto *grid = new QGridLayout(fraSettings);
    grid->setColumnMinimumWidth(1, 240);
    grid->addWidget(lblItemName, 0, 0);
    grid->addWidget(cboItemName, 0, 1);
    grid->addWidget(lblItemLabel, 1, 0);
    grid->addWidget(txtItemLabel, 1, 1);
    grid->addWidget(lblItemValue, 2, 0);
    grid->addWidget(txtItemValue, 2, 1);
    // Absolute: a right-to-left box would otherwise read "left" as "right".
    grid->addWidget(chkItemDefault, 3, 0, 1, 2, Qt::AlignAbsolute | Qt::AlignLeft);

    auto *layout = new QVBoxLayout;
    layout->addWidget(fraSettings);
    layout->addWidget(createOkCancel());
    setFixedLayout(layout);
    cboItemName->setFocus();
}

void frmEditSwitch::PrepareForm(ItemGrid *grid, int itemtype)
{
    if (itemtype == ItemCheckbox) {
        disableGroup(lblItemValue, txtItemValue);
        return;
    }
    if (itemtype != ItemRadioButton)
        return;
    // The group names in use, each once, in the order they first appear in the form; the
    // set keeps this one pass over the grid however many groups there are.
    const int current = grid->currentRow();
    QSet<QByteArray> listed;
    for (int i = 0; i < cboItemName->count(); ++i)
        listed.insert(cboItemName->itemData(i).toByteArray());
    for (int row = 1; row < grid->rows(); ++row) {
        if (ItemTypeCode(grid->text(row, ColType)) != ItemRadioButton)
            continue;
        const QByteArray name = grid->text(row, ColName);
        if (!listed.contains(name)) {
            listed.insert(name);
            cboItemName->addItem(bytesToText(name), name);
        }
    }
    // The caller picks the entry; until then the name stays empty.
    cboItemName->setCurrentIndex(-1);
    grid->setCurrentCell(current, ColName);
}

QByteArray frmEditSwitch::nameBytes(const QByteArray &original) const
{
    const QString name = cboItemName->currentText();
    const int entry = cboItemName->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    const QVariant picked = entry >= 0 ? cboItemName->itemData(entry) : QVariant();
    if (picked.typeId() == QMetaType::QByteArray && bytesToText(original) != name)
        return picked.toByteArray();
    return textToBytes(name, original);
}

bool frmEditSwitch::acceptOk()
{
    return requireName(cboItemName->currentText(), cboItemName);
}
