// The FormMail form of the Quick Start Wizard: its items, its files and its generation.
#include "WizardForm.h"

#include "ItemGrid.h"
#include "ItemTypes.h"
#include "TextBytes.h"
#include "document/frmWebForm.h"
#include "ui/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString g_folder; // set by tests; empty for the program's folder

// The visible fields a visitor may be asked for, in the order of the form.
struct VisitorField
{
    const char *name;
    const char *defaultValue;
    const char *label;
    const char *cols;
    const char *maxLength;
};

const VisitorField VisitorFields[3] = {
    {"realname", "", "Your name:", "40", "255"},
    {"email", "", "Your E-mail address:", "40", "255"},
    {"dob", "MM/DD/YY", "Your date of birth:", "15", "10"},
};

QStringList hiddenField(const QString &name, const QString &value)
{
    return {ItemTypeName(ItemHiddenField), name, value};
}

} // namespace

QString WizardForm::Folder()
{
    const QString folder = g_folder.isEmpty() ? AppPaths::programFolder() : g_folder;
    const QFileInfo info(folder);
    if (info.isDir() && info.isWritable())
        return QDir::cleanPath(info.absoluteFilePath());
    // An installed program usually lives in a folder its users cannot write to.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return QDir::cleanPath(data);
}

void WizardForm::setFolder(const QString &folder)
{
    g_folder = folder;
}

QString WizardForm::FormFile()
{
    return Folder() + QLatin1Char('/') + FormFileName;
}

QString WizardForm::OutputFile()
{
    return Folder() + QLatin1Char('/') + OutputFileName;
}

QList<QStringList> WizardForm::Rows(const WizardAnswers &answers, const QString &formFile,
                                    const QString &outputFile)
{
    QList<QStringList> rows;
    // The instruction label; its HTML passes into the page as it stands.
    rows.append({ItemTypeName(ItemLabel), QString(), QString(),
                 QStringLiteral("To edit a form item, double-click it with the mouse.<br>"
                                "Web Form File: ") +
                     formFile +
                     QStringLiteral("<hr>HTML Output File (set in 'Properties' on the 'File' "
                                    "menu): ") +
                     outputFile + QStringLiteral("<br>")});
    rows.append(hiddenField(QStringLiteral("recipient"), answers.Recipient));
    rows.append(hiddenField(QStringLiteral("subject"), answers.Subject));
    // FormMail either redirects to a page of the user's own or shows its own thank-you
    // page with a link back: never both.
    if (answers.Redirect) {
        rows.append(hiddenField(QStringLiteral("redirect"), answers.RedirectURL));
    } else {
        rows.append(hiddenField(QStringLiteral("return_link_url"), answers.ReturnURL));
        rows.append(hiddenField(QStringLiteral("return_link_title"), answers.ReturnTitle));
    }
    if (answers.Error)
        rows.append(hiddenField(QStringLiteral("missing_fields_redirect"), answers.ErrorURL));
    if (answers.EnvReport)
        rows.append(hiddenField(QStringLiteral("env_report"),
                                QStringLiteral("REMOTE_HOST,HTTP_USER_AGENT")));

    // A field can only be required when it is asked for at all.
    QString required;
    for (int i = 0; i < 3; ++i) {
        if (!answers.Collect[i])
            continue;
        const VisitorField &field = VisitorFields[i];
        rows.append({ItemTypeName(ItemTextField), QLatin1String(field.name),
                     QLatin1String(field.defaultValue), QLatin1String(field.label),
                     QLatin1String(field.cols), QString(), QLatin1String(field.maxLength)});
        if (answers.Required[i])
            required += QLatin1String(field.name) + QLatin1Char(',');
    }
    if (!required.isEmpty())
        rows.append(hiddenField(QStringLiteral("required"), required.chopped(1)));
    return rows;
}

void WizardForm::AddRow(ItemGrid &grid, const QStringList &cells)
{
    const int row = grid.rows();
    grid.addRow(row);
    for (int col = 0; col < cells.size() && col < ItemColumnCount; ++col)
        grid.setText(row, col, textToBytes(cells.at(col)));
}

void WizardForm::Build(frmWebForm *form, const WizardAnswers &answers, const QString &formFile,
                       const QString &outputFile)
{
    // A caption that is not "Untitled…" is the document's file name: Save writes there
    // without asking.
    form->setCaption(formFile);
    form->setChanged(true);
    WebFormInfo &info = form->info();
    info.OutputFile = QFile::encodeName(outputFile);
    info.CGIFile = textToBytes(answers.CGIFile);
    for (const QStringList &cells : Rows(answers, formFile, outputFile))
        AddRow(form->grid(), cells);
    form->UpdateForm();
    form->mnuFileSave_Click();
    form->mnuFileConvert_Click();
}
