// The Quick Start Wizard: four pages of questions about a form for the FormMail script,
// then a ready-made document with its .wfm file and HTML page. The dialog's behaviour is in
// frmWizard.cpp, its controls and layout in WizardPages.cpp, the form in WizardForm.h.
#pragma once

#include "WizardForm.h"

#include <QDialog>

class QCheckBox;
class QKeyEvent;
class QShowEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

class frmWizard : public QDialog
{
    Q_OBJECT

public:
    // Shows a fresh wizard modally; it may create a document.
    static void ShowWizard(QWidget *parent);

    explicit frmWizard(QWidget *parent = nullptr);

    int CurrentStep = 0; // the page shown, 1 to 4
    QString WizardFormFile;
    QString WizardOutputFile;

    // The answers as the controls hold them now.
    WizardAnswers answers() const;

    void cmdHelp_Click();
    void cmdBack_Click();
    void cmdNext_Click();
    void cmdFinish_Click();
    void cmdCancel_Click();

    QStackedWidget *picStep = nullptr; // pages picStep1 to picStep4
    QLabel *imgSplash = nullptr;
    QPushButton *cmdHelp = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdFinish = nullptr;
    QPushButton *cmdCancel = nullptr;
    // Page 1
    QLabel *lblWizardInfo = nullptr;
    QLabel *lblWarning = nullptr;
    QCheckBox *chkDisplayWizard = nullptr;
    // Page 2
    QLineEdit *txtCGI = nullptr;
    QLineEdit *txtRecipient = nullptr;
    QLineEdit *txtSubject = nullptr;
    QCheckBox *chkEnvReport = nullptr;
    // Page 3
    QCheckBox *chkCollect[3] = {};
    QCheckBox *chkRequired[3] = {};
    QCheckBox *chkError = nullptr;
    QLineEdit *txtErrorURL = nullptr;
    // Page 4
    QCheckBox *chkRedirect = nullptr;
    QLineEdit *txtReturnURL = nullptr;
    QLineEdit *txtReturnTitle = nullptr;
    QLineEdit *txtRedirectURL = nullptr;
    QLabel *lblFinished = nullptr;

protected:
    // Enter on a focused button presses it, as on the original platform. There is no
    // default button, so Enter anywhere else does nothing.
    void keyPressEvent(QKeyEvent *event) override;
    // The focused control always shows its focus mark, not only after the first Tab: the
    // keyboard works every button and check box here. Showing a window clears the mark.
    void showEvent(QShowEvent *event) override;

private:
    QWidget *createPage1();
    QWidget *createPage2(const WizardAnswers &defaults);
    QWidget *createPage3(const WizardAnswers &defaults);
    QWidget *createPage4(const WizardAnswers &defaults);
    QWidget *createButtons();
    QPushButton *createButton(const char *name, const QString &caption);
    QLineEdit *createTextBox(const char *name, const QString &text, int filterMode, QWidget *page);

    void Form_Load();
    void ShowStep(int delta);
    void chkDisplayWizard_Click();
    void chkCollect_Click(int index);
    void chkError_Click();
    void chkRedirect_Click();
    void BuildWizardForm(int slot);
};
