// The form that the Quick Start Wizard generates for the FormMail script: the answers it
// is built from, where its two files go, and the filling of a document window with it.
#pragma once

#include <QString>
#include <QStringList>

class frmWebForm;
class ItemGrid;

// The wizard's answers. The member defaults are the wizard's initial answers, so the
// dialog starts from a default-constructed value and a test can build the same form.
struct WizardAnswers
{
    QString CGIFile = QStringLiteral("/cgi-bin/FormMail.pl");
    QString Recipient = QStringLiteral("webmaster@example.com");
    QString Subject = QStringLiteral("WWW Form Submission");
    bool EnvReport = false;
    // Name, e-mail address and date of birth: asked for, and then also required.
    bool Collect[3] = {true, true, false};
    bool Required[3] = {true, true, true};
    bool Error = false;
    QString ErrorURL = QStringLiteral("http://www.example.com/error.htm");
    bool Redirect = false;
    QString ReturnURL = QStringLiteral("http://www.example.com/");
    QString ReturnTitle = QStringLiteral("Back to Main Page");
    QString RedirectURL = QStringLiteral("http://www.example.com/thanks.htm");
};

namespace WizardForm {

inline const QString FormFileName = QStringLiteral("tb_wizqs.wfm");
inline const QString OutputFileName = QStringLiteral("tb_wizqs.htm");

// The folder of the wizard's files: the program's own folder, or the per-user data
// folder (created on demand) when the program's folder cannot be written to.
QString Folder();
// Tests put the files elsewhere; an empty text goes back to the program's folder. A
// folder that is not writable falls back to the per-user data folder all the same.
void setFolder(const QString &folder);
QString FormFile();   // Folder() + "/tb_wizqs.wfm"
QString OutputFile(); // Folder() + "/tb_wizqs.htm"

// The items of the form, one list of cells per row from the Type column on; cells not
// given stay empty.
QList<QStringList> Rows(const WizardAnswers &answers, const QString &formFile,
                        const QString &outputFile);

// Appends one item row to the grid, filling its cells from column 0 on.
void AddRow(ItemGrid &grid, const QStringList &cells);

// Names the new document after `formFile`, sets its properties and items, then refreshes,
// saves and converts it through the window's own commands.
void Build(frmWebForm *form, const WizardAnswers &answers, const QString &formFile,
           const QString &outputFile);

} // namespace WizardForm
