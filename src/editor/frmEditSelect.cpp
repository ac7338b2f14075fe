// The dialog of Selection items, and the choice list to and from its choice box.
#include "frmEditSelect.h"

#include "Choices.h"
#include "TextBytes.h"
#include "frmEditList.h"
#include "ui/KeyFilter.h"
#include "ui/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A choice's bytes: those it was decoded from, or those of a text added without them.
QByteArray choiceBytes(const QVariant &data, const QString &text)
{
    return data.typeId() == QMetaType::QByteArray ? data.toByteArray() : textToBytes(text);
}

} // namespace

QByteArray EncodeChoices(const QComboBox *box)
{
    QList<QByteArray> choices;
    for (int i = 0; i < box->count(); ++i)
        choices.append(choiceBytes(box->itemData(i), box->itemText(i)));
    return EncodeChoices(choices);
}

void DecodeChoices(const QByteArray &list, QComboBox *box)
{
    box->clear();
    for (const QByteArray &choice : DecodeChoices(list))
        box->addItem(bytesToText(choice), choice);
    if (box->count() > 0)
        box->setCurrentIndex(0);
}

frmEditSelect::frmEditSelect(QWidget *parent) : ModalDialog(parent, 30)
{
    setObjectName(QStringLiteral("frmEditSelect"));
    fraSettings = new QGroupBox(tr("Settings"), this);
    fraSettings->setObjectName(QStringLiteral("fraSettings"));

    txtItemName = makeTextBox("txtItemName", FilterText, fraSettings);
    txtItemLabel = makeTextBox("txtItemLabel", FilterText, fraSettings);
    txtItemRows = makeTextBox("txtItemRows", FilterNumber, fraSettings);
    txtItemRows->setFixedWidth(64);
    udItemRows = new UpDown(txtItemRows, 1, 255, 4, fraSettings);
    udItemRows->setObjectName(QStringLiteral("udItemRows"));
    cboItemSelect = new QComboBox(fraSettings);
    cboItemSelect->setObjectName(QStringLiteral("cboItemSelect"));
    cmdEditList = new QPushButton(tr("&Edit List..."), fraSettings);
    cmdEditList->setObjectName(QStringLiteral("cmdEditList"));
    chkItemMultiple = new QCheckBox(tr("Allow &multiple selections?"), fraSettings);
    chkItemMultiple->setObjectName(QStringLiteral("chkItemMultiple"));

    lblItemName = makeLabel(tr("&Name:"), "lblItemName", txtItemName, fraSettings);
    lblItemLabel = makeLabel(tr("&Label:"), "lblItemLabel", txtItemLabel, fraSettings);
    lblItemRows = makeLabel(tr("Display &rows:"), "lblItemRows", txtItemRows, fraSettings);
    lblItemSelect = makeLabel(tr("&Choices:"), "lblItemSelect", cboItemSelect, fraSettings);

    buildLayout();
    txtItemRows->installEventFilter(this);
    connect(cmdEditList, &QPushButton::clicked, this, &frmEditSelect::cmdEditList_Click);
    txtItemName->setFocus();
}

void frmEditSelect::buildLayout()
{
    auto *rows = new QHBoxLayout;
    rows->setSpacing(2);
    rows->addWidget(txtItemRows);
    rows->addWidget(udItemRows);
    rows->addStretch();

    auto *grid = new QGridLayout(fraSettings);
    grid->setColumnMinimumWidth(1, 240);
    grid->setColumnStretch(1, 1);
    grid->addWidget(lblItemName, 0, 0);
    grid->addWidget(txtItemName, 0, 1, 1, 2);
    grid->addWidget(lblItemLabel, 1, 0);
    grid->addWidget(txtItemLabel, 1, 1, 1, 2);
    grid->addWidget(lblItemRows, 2, 0);
    grid->addLayout(rows, 2, 1, 1, 2);
    grid->addWidget(lblItemSelect, 3, 0);
    grid->addWidget(cboItemSelect, 3, 1);
    grid->addWidget(cmdEditList, 3, 2);
    grid->addWidget(chkItemMultiple, 4, 1, 1, 2);

    auto *layout = new QVBoxLayout;
    layout->addWidget(fraSettings);
    layout->addWidget(createOkCancel());
    setFixedLayout(layout);
}

void frmEditSelect::cmdEditList_Click()
{
    frmEditList editor(this);
    for (int i = 0; i < cboItemSelect->count(); ++i) {
        auto *item = new QListWidgetItem(cboItemSelect->itemText(i));
        item->setData(Qt::UserRole, cboItemSelect->itemData(i));
        editor.lstChoices->addItem(item);
    }
    editor.exec();
    if (editor.Tag != QLatin1String("CANCEL")) {
        cboItemSelect->clear();
        for (int i = 0; i < editor.lstChoices->count(); ++i) {
            const QListWidgetItem *item = editor.lstChoices->item(i);
            cboItemSelect->addItem(item->text(), item->data(Qt::UserRole));
        }
        if (cboItemSelect->count() > 0)
            cboItemSelect->setCurrentIndex(0);
    }
    editor.Tag.clear();
}

void frmEditSelect::txtItemRows_LostFocus()
{
    udItemRows->clampBuddy();
}

bool frmEditSelect::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtItemRows && isLostFocus(event))
        txtItemRows_LostFocus();
    return ModalDialog::eventFilter(watched, event);
}

bool frmEditSelect::acceptOk()
{
    // Enter in the rows box closes without moving the focus; the box is left all the same.
    if (focusWidget() == txtItemRows)
        txtItemRows_LostFocus();
    return requireName(txtItemName->text(), txtItemName);
}
