// The Quick Start Wizard's behaviour: loading, navigation between the pages, the
// dependencies between its controls, help, Cancel and Finish. Its controls and layout are
// in WizardPages.cpp, the form that Finish generates in WizardForm.cpp.
#include "frmWizard.h"

#include "AppInfo.h"
#include "Outcome.h"
#include "SettingsStore.h"
#include "document/DocumentLifecycle.h"
#include "ui/HelpWindow.h"
#include "ui/Prompter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QWindow>

namespace {

constexpr int HelpTopic = 50;
constexpr int StepCount = 4;

QString wizardName()
{
    return QCoreApplication::translate("frmWizard", "Quick Start Wizard");
}

// Texts carry CR LF between lines, as messages do; a label wants LF.
QString labelText(QString text)
{
    return text.replace(CrLf, QStringLiteral("\n"));
}

bool isChecked(const QCheckBox *box)
{
    return box->checkState() == Qt::Checked;
}

} // namespace

void frmWizard::ShowWizard(QWidget *parent)
{
    frmWizard wizard(parent);
    wizard.exec();
}

void frmWizard::Form_Load()
{
    lblWizardInfo->setText(labelText(
        tr("The %1 will help you get on the road quickly by creating a form for use with the "
           "FormMail script.")
            .arg(wizardName()) +
        CrLf + CrLf + tr("You must know the location of the CGI script on your web server.")));
    chkDisplayWizard->setText(tr("Show the %1 when %2 starts.").arg(wizardName(), AppInfo::Title));
    // Connected before the setting is applied: unchecking here stores False again, which
    // changes nothing.
    connect(chkDisplayWizard, &QCheckBox::toggled, this, &frmWizard::chkDisplayWizard_Click);
    if (!SettingsStore::displayWizard())
        chkDisplayWizard->setChecked(false);

    CurrentStep = 0;
    ShowStep(+1);

    WizardFormFile = WizardForm::FormFile();
    WizardOutputFile = WizardForm::OutputFile();
    if (QFile::exists(WizardFormFile) || QFile::exists(WizardOutputFile)) {
        lblWarning->setText(labelText(
            tr("WARNING: The %1 has previously created a Web Form File (tb_wizqs.wfm) and "
               "converted it to HTML.")
                .arg(wizardName()) +
            CrLf +
            tr("These files will be overwritten if you complete the Wizard, losing any changes "
               "you have made.")));
        lblWarning->setVisible(true);
    }
}

void frmWizard::ShowStep(int delta)
{
    CurrentStep += delta;
    picStep->setCurrentIndex(CurrentStep - 1);
    setWindowTitle(tr("%1 - %2 (step %3 of %4)")
                       .arg(AppInfo::Title, wizardName(), QString::number(CurrentStep),
                            QString::number(StepCount)));
    cmdBack->setEnabled(CurrentStep > 1);
    cmdFinish->setEnabled(CurrentStep > 1);
    cmdNext->setEnabled(CurrentStep < StepCount);
}

WizardAnswers frmWizard::answers() const
{
    WizardAnswers answers;
    answers.CGIFile = txtCGI->text();
    answers.Recipient = txtRecipient->text();
    answers.Subject = txtSubject->text();
    answers.EnvReport = isChecked(chkEnvReport);
    for (int i = 0; i < 3; ++i) {
        answers.Collect[i] = isChecked(chkCollect[i]);
        answers.Required[i] = isChecked(chkRequired[i]);
    }
    answers.Error = isChecked(chkError);
    answers.ErrorURL = txtErrorURL->text();
    answers.Redirect = isChecked(chkRedirect);
    answers.ReturnURL = txtReturnURL->text();
    answers.ReturnTitle = txtReturnTitle->text();
    answers.RedirectURL = txtRedirectURL->text();
    return answers;
}

void frmWizard::keyPressEvent(QKeyEvent *event)
{
    // Return, or Enter on the keypad, without Shift, Ctrl or Alt.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    if (enter && modifiers == Qt::NoModifier && button && button->isEnabled()) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmWizard::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void frmWizard::cmdHelp_Click()
{
    HelpWindow::ShowHelpTopic(HelpTopic);
    // The wizard is modal and would block the help window too; as the wizard's transient
    // window the help can be read and scrolled while the wizard stays open.
    HelpWindow *help = HelpWindow::current();
    if (help && help->windowHandle() && windowHandle())
        help->windowHandle()->setTransientParent(windowHandle());
}

void frmWizard::cmdBack_Click()
{
    ShowStep(-1);
}

void frmWizard::cmdNext_Click()
{
    ShowStep(+1);
}

void frmWizard::cmdCancel_Click()
{
    reject();
}

void frmWizard::cmdFinish_Click()
{
    // Hidden first: the new document and the messages of its save and conversion come up
    // without the wizard in front of them.
    hide();
    const int slot = NewWebForm();
    if (slot == -1) {
        Prompter::message(MessageIcon::Critical,
                          tr("Unable to generate the form: close a Web Form File and then try "
                             "again."));
    } else {
        BuildWizardForm(slot);
    }
    done(Accepted);
}

void frmWizard::BuildWizardForm(int slot)
{
    WizardForm::Build(FormWindow(slot), answers(), WizardFormFile, WizardOutputFile);
}

void frmWizard::chkDisplayWizard_Click()
{
    SettingsStore::setDisplayWizard(isChecked(chkDisplayWizard));
}

void frmWizard::chkCollect_Click(int index)
{
    chkRequired[index]->setEnabled(isChecked(chkCollect[index]));
}

void frmWizard::chkError_Click()
{
    txtErrorURL->setEnabled(isChecked(chkError));
}

void frmWizard::chkRedirect_Click()
{
    const bool redirect = isChecked(chkRedirect);
    txtRedirectURL->setEnabled(redirect);
    txtReturnURL->setEnabled(!redirect);
    txtReturnTitle->setEnabled(!redirect);
}
