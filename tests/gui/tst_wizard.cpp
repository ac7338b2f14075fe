// The Quick Start Wizard: its pages and buttons, the dependencies between its controls and
// the form built from the answers, its files and warning, the start-up setting and the keys,
// and the form that Finish creates, saves and converts into a temporary folder.
#include "GuiTestSupport.h"

#include "TestFiles.h"
#include "ui/HelpWindow.h"
#include "wizard/frmWizard.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>

using namespace GuiTest;

namespace {

// The rows the wizard can make besides the label and "required", by name, as itemRows()
// shows them.
const QMap<QString, QString> WizardRows = {
    {"recipient", "Hidden Field|recipient|webmaster@example.com"},
    {"subject", "Hidden Field|subject|WWW Form Submission"},
    {"return_link_url", "Hidden Field|return_link_url|http://www.example.com/"},
    {"return_link_title", "Hidden Field|return_link_title|Back to Main Page"},
    {"redirect", "Hidden Field|redirect|http://www.example.com/thanks.htm"},
    {"missing_fields_redirect",
     "Hidden Field|missing_fields_redirect|http://www.example.com/error.htm"},
    {"env_report", "Hidden Field|env_report|REMOTE_HOST,HTTP_USER_AGENT"},
    {"realname", "Text Field|realname||Your name:|40||255"},
    {"email", "Text Field|email||Your E-mail address:|40||255"},
    {"dob", "Text Field|dob|MM/DD/YY|Your date of birth:|15||10"},
};

const QString Links = QStringLiteral("recipient subject return_link_url return_link_title ");
const QString DefaultForm = Links + QStringLiteral("realname email required=realname,email");

// The rows named in `names`; "name=value" is a hidden field.
QStringList expectedRows(const QString &names)
{
    QStringList rows;
    for (const QString &name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        rows << (name.contains(QLatin1Char('=')) ? "Hidden Field|" + QString(name).replace('=', '|')
                                                 : WizardRows.value(name));
    }
    return rows;
}

// The disabled buttons, boxes and check boxes in name order, a checked one marked "*".
QString disabledControls(const frmWizard &wizard)
{
    QStringList names;
    for (const QWidget *control : wizard.findChildren<QWidget *>()) {
        const auto *box = qobject_cast<const QCheckBox *>(control);
        if (!control->isEnabled())
            names << control->objectName() + (box && box->isChecked() ? "*" : "");
    }
    names.sort();
    return names.join(QLatin1Char(' '));
}

} // namespace

class tst_Wizard : public FrameTest
{
    Q_OBJECT

    QString formFile() const { return path(QStringLiteral("tb_wizqs.wfm")); }
    QString outputFile() const { return path(QStringLiteral("tb_wizqs.htm")); }

private slots:
    void init()
    {
        startTest(false);
        QFile::remove(formFile());
        QFile::remove(outputFile());
        WizardForm::setFolder(m_dir.path());
    }
    void cleanup()
    {
        HelpWindow::CloseHelp();
        closeFrame(m_frame);
        WizardForm::setFolder(QString());
    }

    // After the clicks: the page and caption, the disabled controls, and the form's rows
    // below the label that Finish would build from the answers.
    void pagesControlsAndForm_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("disabled");
        QTest::addColumn<QString>("form");
        const QString page1 = "chkRequired2* cmdBack cmdFinish txtErrorURL txtRedirectURL";
        const QString page2 = "chkRequired2* txtErrorURL txtRedirectURL";
        QTest::newRow("page 1") << "" << 1 << page1 << DefaultForm;
        QTest::newRow("page 2") << "cmdNext" << 2 << page2 << DefaultForm;
        QTest::newRow("page 4") << "cmdNext cmdNext cmdNext" << 4
                                << "chkRequired2* cmdNext txtErrorURL txtRedirectURL"
                                << DefaultForm;
        QTest::newRow("back to page 3")
            << "cmdNext cmdNext cmdNext cmdBack" << 3 << page2 << DefaultForm;
        QTest::newRow("back to page 1")
            << "cmdNext cmdNext cmdNext cmdBack cmdBack cmdBack" << 1 << page1 << DefaultForm;
        QTest::newRow("name not asked for, its Required box kept checked")
            << "chkCollect0" << 1 << "chkRequired0* " + page1 << Links + "email required=email";
        QTest::newRow("no field asked for")
            << "chkCollect0 chkCollect1" << 1 << "chkRequired0* chkRequired1* " + page1 << Links;
        QTest::newRow("only the date of birth")
            << "chkCollect0 chkCollect1 chkCollect2" << 1
            << "chkRequired0* chkRequired1* cmdBack cmdFinish txtErrorURL txtRedirectURL"
            << Links + "dob required=dob";
        QTest::newRow("error page, redirect, extended information")
            << "chkError chkRedirect chkEnvReport" << 1
            << "chkRequired2* cmdBack cmdFinish txtReturnTitle txtReturnURL"
            << "recipient subject redirect missing_fields_redirect env_report realname email "
               "required=realname,email";
        QTest::newRow("error page and redirect off again")
            << "chkError chkError chkRedirect chkRedirect" << 1 << page1 << DefaultForm;
        QTest::newRow("empty text boxes")
            << "chkError clear" << 1 << "chkRequired2* cmdBack cmdFinish txtRedirectURL"
            << "recipient= subject= return_link_url= return_link_title= missing_fields_redirect= "
               "realname email required=realname,email";
    }
    void pagesControlsAndForm()
    {
        QFETCH(QString, clicks);
        QFETCH(int, step);
        QFETCH(QString, disabled);
        QFETCH(QString, form);
        frmWizard wizard;
        doSteps(&wizard, clicks);
        QCOMPARE(wizard.picStep->currentIndex(), step - 1);
        QCOMPARE(wizard.windowTitle(),
                 QStringLiteral("Tabrino - Quick Start Wizard (step %1 of 4)").arg(step));
        QCOMPARE(disabledControls(wizard), disabled);
        QStringList rows;
        for (const QStringList &cells :
             WizardForm::Rows(wizard.answers(), formFile(), outputFile()))
            rows << cells.join(QLatin1Char('|'));
        QCOMPARE(rows.mid(1), expectedRows(form));
    }

    // The files go to the folder given, else to the per-user data folder (created, as a
    // missing folder cannot be written to even by root); the warning shows once one exists.
    void filesAndWarning()
    {
        frmWizard wizard;
        QVERIFY(!wizard.lblWarning->isVisibleTo(&wizard));
        QVERIFY(TestFiles::write(outputFile(), "x"));
        frmWizard again;
        QVERIFY(again.lblWarning->isVisibleTo(&again));
        QCOMPARE(again.lblWarning->text(),
                 "WARNING: The Quick Start Wizard has previously created a Web Form File "
                 "(tb_wizqs.wfm) and converted it to HTML.\nThese files will be overwritten if "
                 "you complete the Wizard, losing any changes you have made.");

        WizardForm::setFolder(path(QStringLiteral("missing")));
        const QString data =
            QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QDir(data).removeRecursively();
        frmWizard fallback;
        QVERIFY(QFileInfo(data).isDir());
        QCOMPARE(fallback.WizardFormFile, data + "/tb_wizqs.wfm");
        QCOMPARE(fallback.WizardOutputFile, data + "/tb_wizqs.htm");
    }

    // At start-up the wizard opens; unchecking its box stores False at once. Help and F1
    // open topic 50, which outlives the wizard. No button is the default, so Enter in a text
    // box does nothing, while Enter on a focused button presses it; a check box clicked with
    // the mouse shows its focus mark until it loses the focus. Esc cancels, creating nothing,
    // and a new document follows. At the next start no wizard opens.
    void startupHelpAndKeys()
    {
        SettingsStore::setDisplayWizard(true);
        QStringList seen;
        whenModal<frmWizard>([&seen](frmWizard *wizard) {
            const auto page = [] {
                return HelpWindow::current() ? HelpWindow::current()->currentPage() : "no help";
            };
            const auto enter = [wizard](QPushButton *button) {
                button->setFocus(Qt::MouseFocusReason);
                QTest::keyClick(button, Qt::Key_Return);
                return QString::number(wizard->CurrentStep);
            };
            for (QPushButton *button : wizard->findChildren<QPushButton *>()) {
                if (button->isDefault() || button->autoDefault())
                    seen << button->objectName() + " is a default button";
            }
            wizard->chkDisplayWizard->click();
            seen << SettingsStore::read("Settings", "Display Wizard", "");
            wizard->cmdHelp->click();
            seen << page();
            HelpWindow::CloseHelp();
            seen << (QTest::qWaitFor([] { return !HelpWindow::current(); }) ? "closed" : "open");
            wizard->activateWindow();
            seen << (QTest::qWaitForWindowActive(wizard) ? "active" : "inactive");
            seen << enter(wizard->cmdNext);
            QTest::mouseClick(wizard->chkEnvReport, Qt::LeftButton);
            const QImage focused = wizard->chkEnvReport->grab().toImage();
            wizard->cmdNext->setFocus(Qt::MouseFocusReason);
            seen << (wizard->chkEnvReport->grab().toImage() != focused ? "unmarked" : "marked");
            seen << enter(wizard->cmdNext) << enter(wizard->cmdBack);
            wizard->txtSubject->setFocus();
            QTest::keyClick(wizard->txtSubject, Qt::Key_F1);
            seen << page();
            QTest::keyClick(wizard->txtSubject, Qt::Key_Return);
            seen << QString::number(wizard->isVisible() ? wizard->CurrentStep : 0);
            QTest::keyClick(wizard->txtCGI, Qt::Key_Escape);
            seen << (wizard->isVisible() ? "open" : "cancelled");
            if (wizard->isVisible())
                wizard->cmdCancel->click();
        });
        m_frame = startFrame();
        QCOMPARE(seen, (QStringList{"False", "topic50.html", "closed", "active", "2", "unmarked",
                                    "3", "2", "topic50.html", "2", "cancelled"}));
        QVERIFY(HelpWindow::current() && HelpWindow::current()->isVisible());
        QCOMPARE(captions(*m_frame), QStringList{"Untitled:1"});
        closeFrame(m_frame);
        whenModal<frmWizard>([](frmWizard *wizard) { wizard->cmdCancel->click(); });
        m_frame = startFrame();
        QCOMPARE(discardPendingModals(), 1);
        // Checking the box stores True; Enter on Cancel cancels.
        frmWizard wizard;
        wizard.show();
        QVERIFY(!wizard.chkDisplayWizard->isChecked());
        wizard.chkDisplayWizard->click();
        QCOMPARE(SettingsStore::read("Settings", "Display Wizard", ""), QStringLiteral("True"));
        wizard.cmdCancel->setFocus();
        QTest::keyClick(wizard.cmdCancel, Qt::Key_Return);
        QVERIFY(!wizard.isVisible());
    }

    // Finish from the File menu (Enter on the focused button) opens the form, saved with its
    // properties and converted. A second run replaces only the form's block of the page;
    // with nine documents open it creates nothing.
    void finishSecondRunAndNineDocuments()
    {
        m_frame = startFrame();
        whenModal<frmWizard>([](frmWizard *wizard) {
            wizard->txtCGI->setText(QStringLiteral("/cgi/mail.pl"));
            wizard->cmdNext->click();
            wizard->cmdFinish->setFocus();
            QTest::keyClick(wizard->cmdFinish, Qt::Key_Return);
        });
        QVERIFY(triggerAction(m_frame->activeForm(), "mnuFileWizard"));
        QCOMPARE(captions(*m_frame), (QStringList{"Untitled:1", formFile()}));
        frmWebForm *form = m_frame->activeForm();
        const QStringList label = {"Label|||To edit a form item, double-click it with the mouse."
                                   "<br>Web Form File: " +
                                   formFile() +
                                   "<hr>HTML Output File (set in 'Properties' on the 'File' "
                                   "menu): " +
                                   outputFile() + "<br>"};
        QCOMPARE(itemRows(form), label + expectedRows(DefaultForm));
        QVERIFY(!form->info().Changed);
        QVERIFY(TestFiles::read(formFile())
                    .startsWith(QFile::encodeName(outputFile()) + "\r\n/cgi/mail.pl\r\n"));
        QVERIFY(TestFiles::read(outputFile()).contains("<FORM ACTION=\"/cgi/mail.pl\""));
        QCOMPARE(Prompter::shown().size(), 1);
        QCOMPARE(lastMessage(), "Form successfully written to file [" + outputFile() + "].");

        QByteArray page = TestFiles::read(outputFile());
        page.replace("<!-- FORM_START_CMD", "<P>Before the form</P>\r\n<!-- FORM_START_CMD");
        page.replace("</BODY>", "<P>After the form</P>\r\n</BODY>");
        QVERIFY(TestFiles::write(outputFile(), page));
        frmWizard second(m_frame.get());
        second.txtSubject->setText(QStringLiteral("Second run"));
        second.cmdNext->click();
        second.cmdFinish->click();
        QCOMPARE(openForms(*m_frame).size(), 3);
        page = TestFiles::read(outputFile());
        QVERIFY(page.contains("<P>Before the form</P>\r\n<!-- FORM_START_CMD"));
        QVERIFY(page.contains("<P>After the form</P>\r\n</BODY>"));
        QVERIFY(page.contains("Name=\"subject\" Value=\"Second run\""));
        QVERIFY(!page.contains("WWW Form Submission"));
        QCOMPARE(page.count("FORM_START_CMD"), 1);
        QCOMPARE(page.count("FORM_END_CMD"), 1);
        QVERIFY(TestFiles::read(formFile()).contains("subject\r\nSecond run\r\n"));

        for (int i = 0; i < 6; ++i)
            QVERIFY(NewWebForm() != -1);
        QFile::remove(formFile());
        QFile::remove(outputFile());
        Prompter::clearShown();
        frmWizard third(m_frame.get());
        third.cmdNext->click();
        third.cmdFinish->click();
        QCOMPARE(Prompter::shown().size(), 2); // the frame's refusal, then the wizard's message
        QCOMPARE(Prompter::shown().at(1).text,
                 "Unable to generate the form: close a Web Form File and then try again.");
        QCOMPARE(Prompter::shown().at(1).icon, MessageIcon::Critical);
        QCOMPARE(openForms(*m_frame).size(), 9);
        QVERIFY(!QFile::exists(formFile()) && !QFile::exists(outputFile()));
    }
};

QTEST_MAIN(tst_Wizard)
#include "tst_wizard.moc"