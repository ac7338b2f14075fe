// The dialog of image items.
#include "frmEditImage.h"

#include "ui/KeyFilter.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmEditImage::frmEditImage(QWidget *parent) : ModalDialog(parent, 30)
{
    setObjectName(QStringLiteral("frmEditImage"));
    fraSettings = new QGroupBox(tr("Settings"), this);
    fraSettings->setObjectName(QStringLiteral("fraSettings"));

    txtItemName = makeTextBox("txtItemName", FilterText, fraSettings);
    txtItemFile = makeTextBox("txtItemFile", FilterFileName, fraSettings);
    cmdBrowse = new QPushButton(tr("&Browse..."), fraSettings);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    txtItemLabel = makeTextBox("txtItemLabel", FilterText, fraSettings);
    cboItemAlign = new QComboBox(fraSettings);
    cboItemAlign->setObjectName(QStringLiteral("cboItemAlign"));
    cboItemAlign->addItems(
        {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom")});
    cboItemAlign->setCurrentIndex(0);

    lblItemName = makeLabel(tr("&Name:"), "lblItemName", txtItemName, fraSettings);
    lblItemFile = makeLabel(tr("Source &file:"), "lblItemFile", txtItemFile, fraSettings);
    lblItemLabel = makeLabel(tr("&Label:"), "lblItemLabel", txtItemLabel, fraSettings);
    lblItemAlign = makeLabel(tr("&Alignment:"), "lblItemAlign", cboItemAlign, fraSettings);

    auto *grid = new QGridLayout(fraSettings);
    grid->setColumnMinimumWidth(1, 240);
    grid->addWidget(lblItemName, 0, 0);
    grid->addWidget(txtItemName, 0, 1, 1, 2);
    grid->addWidget(lblItemFile, 1, 0);
    grid->addWidget(txtItemFile, 1, 1);
    grid->addWidget(cmdBrowse, 1, 2);
    grid->addWidget(lblItemLabel, 2, 0);
    grid->addWidget(txtItemLabel, 2, 1, 1, 2);
    grid->addWidget(lblItemAlign, 3, 0);
    grid->addWidget(cboItemAlign, 3, 1, Qt::AlignLeft);

    auto *layout = new QVBoxLayout;
    layout->addWidget(fraSettings);
    layout->addWidget(createOkCancel());
    setFixedLayout(layout);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmEditImage::cmdBrowse_Click);
    txtItemName->setFocus();
}

void frmEditImage::cmdBrowse_Click()
{
    const QString file =
        Prompter::openFile(tr("Select Image File"), QString(), FileFilters::Images, this);
    if (!file.isEmpty())
        txtItemFile->setText(file);
}

bool frmEditImage::acceptOk()
{
    return requireName(txtItemName->text(), txtItemName);
}
