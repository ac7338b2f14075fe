// The form properties dialog and the Properties command that shows it.
#include "frmProperties.h"

#include "TextBytes.h"
#include "ui/KeyFilter.h"
#include "ui/Prompter.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Only spaces are trimmed: a tab typed at either end is part of the value.
QString trimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QByteArray trimSpaces(const QByteArray &bytes)
{
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && bytes.at(first) == ' ')
        ++first;
    while (last > first && bytes.at(last - 1) == ' ')
        --last;
    return bytes.mid(first, last - first);
}

// A trimmed value keeps the stored bytes when the user left it as it was, apart from
// the spaces around it.
QByteArray storeTrimmed(const QLineEdit *box, const QByteArray &original)
{
    return textToBytes(trimSpaces(box->text()), trimSpaces(original));
}

QPushButton *sideButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

frmProperties::frmProperties(const WebFormInfo &info, QWidget *parent)
    : ModalDialog(parent, 20), m_info(info)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(tr("Web Form Properties"));
    auto *fraSettings = new QGroupBox(tr("Settings"), this);
    fraSettings->setObjectName(QStringLiteral("fraSettings"));

    txtOutputFile = makeTextBox("txtOutputFile", FilterFileName, fraSettings);
    cmdBrowse = sideButton(tr("&Browse..."), "cmdBrowse", fraSettings);
    txtCGIFile = makeTextBox("txtCGIFile", FilterFileName, fraSettings);
    optMethod[0] = new QRadioButton(tr("Get"), fraSettings);
    optMethod[0]->setObjectName(QStringLiteral("optMethod0"));
    optMethod[1] = new QRadioButton(tr("Post"), fraSettings);
    optMethod[1]->setObjectName(QStringLiteral("optMethod1"));
    txtMediaType = makeTextBox("txtMediaType", FilterText, fraSettings);
    cmdDefault = sideButton(tr("&Default"), "cmdDefault", fraSettings);
    txtSubmit = makeTextBox("txtSubmit", FilterText, fraSettings);
    txtReset = makeTextBox("txtReset", FilterText, fraSettings);
    lblAdvice = new QLabel(tr("Note: If the \"Submit text\" setting is set to blank, "
                              "you must provide an image on the form."),
                           fraSettings);
    lblAdvice->setObjectName(QStringLiteral("lblAdvice"));
    lblAdvice->setWordWrap(true);

    auto *methods = new QHBoxLayout;
    methods->addWidget(optMethod[0]);
    methods->addWidget(optMethod[1]);
    methods->addStretch();

    auto *grid = new QGridLayout(fraSettings);
    grid->setColumnMinimumWidth(1, 280);
    const auto addRow = [grid, fraSettings](int row, const QString &caption, const char *name,
                                            QLineEdit *box) {
        grid->addWidget(makeLabel(caption, name, box, fraSettings), row, 0);
        grid->addWidget(box, row, 1);
    };
    addRow(0, tr("Output &file:"), "lblOutputFile", txtOutputFile);
    grid->addWidget(cmdBrowse, 0, 2);
    addRow(1, tr("&CGI file:"), "lblCGIFile", txtCGIFile);
    grid->addLayout(methods, 2, 1);
    addRow(3, tr("Media &type:"), "lblMediaType", txtMediaType);
    grid->addWidget(cmdDefault, 3, 2);
    addRow(4, tr("&Submit text:"), "lblSubmit", txtSubmit);
    addRow(5, tr("&Reset text:"), "lblReset", txtReset);
    grid->addWidget(lblAdvice, 6, 0, 1, 3);

    auto *layout = new QVBoxLayout;
    layout->addWidget(fraSettings);
    layout->addWidget(createOkCancel());
    setFixedLayout(layout);

    txtOutputFile->setText(decodeBytes(info.OutputFile));
    txtCGIFile->setText(bytesToText(info.CGIFile));
    optMethod[info.MethodGet ? 0 : 1]->setChecked(true);
    txtMediaType->setText(bytesToText(info.MediaType));
    txtSubmit->setText(bytesToText(info.SubmitText));
    txtReset->setText(bytesToText(info.ResetText));

    connect(cmdBrowse, &QPushButton::clicked, this, &frmProperties::cmdBrowse_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &frmProperties::cmdDefault_Click);
    txtOutputFile->setFocus();
}

void frmProperties::cmdBrowse_Click()
{
    // No overwrite question: the output file is written into, not replaced.
    const QString file = Prompter::saveFile(tr("Select Output File for HTML Code"), QString(),
                                            FileFilters::Html, false, this);
    if (!file.isEmpty())
        txtOutputFile->setText(file);
}

void frmProperties::cmdDefault_Click()
{
    txtMediaType->setText(QString::fromLatin1(DefaultMediaType));
}

WebFormInfo frmProperties::StoreValues() const
{
    WebFormInfo info = m_info;
    info.Changed = true;
    info.OutputFile =
        textToFileName(trimSpaces(txtOutputFile->text()), trimSpaces(info.OutputFile));
    info.CGIFile = textToBytes(txtCGIFile->text(), info.CGIFile);
    info.MethodGet = optMethod[0]->isChecked();
    info.MediaType = textToBytes(txtMediaType->text(), info.MediaType);
    info.SubmitText = storeTrimmed(txtSubmit, info.SubmitText);
    info.ResetText = storeTrimmed(txtReset, info.ResetText);
    return info;
}

std::optional<WebFormInfo> ShowProperties(const WebFormInfo &info, QWidget *parent)
{
    frmProperties dialog(info, parent);
    dialog.exec();
    std::optional<WebFormInfo> stored;
    if (dialog.Tag == QLatin1String("OK"))
        stored = dialog.StoreValues();
    dialog.Tag.clear();
    return stored;
}
