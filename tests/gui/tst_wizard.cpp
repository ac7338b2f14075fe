// The Quick Start Wizard: its pages and buttons, the dependencies between its controls,
// the warning and the start-up setting, and the form that Finish creates, saves and
// converts into a temporary folder.
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
#include <QTemporaryDir>

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

} // namespace

class tst_Wizard : public QObject
{
    Q_OBJECT

    QString formFile() const { return m_dir.filePath(QStringLiteral("tb_wizqs.wfm")); }
    QString outputFile() const { return m_dir.filePath(QStringLiteral("tb_wizqs.htm")); }

    QTemporaryDir m_dir;
    std::unique_ptr<frmDesign> m_frame;

private slots:
    void init()
    {
        resetSettings();
        QVERIFY(m_dir.isValid());
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

    // Captions and Back, Next and Finish on pages 1 to 4; which controls depend on which;
    // the warning only once the wizard's page exists.
    void pagesButtonsAndControls()
    {
        frmWizard wizard;
        QCOMPARE(wizard.WizardFormFile, formFile());
        QCOMPARE(wizard.WizardOutputFile, outputFile());
        QVERIFY(!wizard.lblWarning->isVisibleTo(&wizard));
        const char *enabled[] = {"-N-", "BNF", "BNF", "B-F"};
        int previous = 1;
        for (int step : {1, 2, 3, 4, 3, 2, 1}) {
            if (step != previous)
                (step > previous ? wizard.cmdNext : wizard.cmdBack)->click();
            previous = step;
            QCOMPARE(wizard.picStep->currentIndex(), step - 1);
            QCOMPARE(wizard.windowTitle(),
                     QStringLiteral("Tabrino - Quick Start Wizard (step %1 of 4)").arg(step));
            const QString buttons = QString(wizard.cmdBack->isEnabled() ? "B" : "-") +
                                    (wizard.cmdNext->isEnabled() ? "N" : "-") +
                                    (wizard.cmdFinish->isEnabled() ? "F" : "-");
            QCOMPARE(buttons, QLatin1String(enabled[step - 1]));
        }
        // From the start only the name and the address are asked for, no error page, no
        // redirect; an unchecked field keeps its Required box checked but disabled.
        QVERIFY(wizard.chkRequired[1]->isEnabled() && !wizard.chkRequired[2]->isEnabled());
        QVERIFY(!wizard.txtErrorURL->isEnabled() && !wizard.txtRedirectURL->isEnabled());
        wizard.chkCollect[0]->click();
        QVERIFY(!wizard.chkRequired[0]->isEnabled() && wizard.chkRequired[0]->isChecked());
        wizard.chkCollect[2]->click();
        QVERIFY(wizard.chkRequired[2]->isEnabled() && wizard.chkRequired[2]->isChecked());
        wizard.chkError->click();
        QVERIFY(wizard.txtErrorURL->isEnabled());
        wizard.chkError->click();
        QVERIFY(!wizard.txtErrorURL->isEnabled());
        wizard.chkRedirect->click();
        QVERIFY(wizard.txtRedirectURL->isEnabled() && !wizard.txtReturnURL->isEnabled());
        QVERIFY(!wizard.txtReturnTitle->isEnabled());
        wizard.chkRedirect->click();
        QVERIFY(!wizard.txtRedirectURL->isEnabled() && wizard.txtReturnURL->isEnabled());
        QVERIFY(wizard.txtReturnTitle->isEnabled());

        QVERIFY(TestFiles::write(outputFile(), "x"));
        frmWizard again;
        QVERIFY(again.lblWarning->isVisibleTo(&again));
        QCOMPARE(again.lblWarning->text(),
                 "WARNING: The Quick Start Wizard has previously created a Web Form File "
                 "(tb_wizqs.wfm) and converted it to HTML.\nThese files will be overwritten if "
                 "you complete the Wizard, losing any changes you have made.");
    }

    // At start-up the wizard opens; unchecking the box stores the setting at once, even
    // though the wizard is then cancelled; a new document follows. Checking it stores True.
    void displayWizardSetting()
    {
        SettingsStore::setDisplayWizard(true);
        QString stored;
        whenModal<frmWizard>([&stored](frmWizard *wizard) {
            if (wizard->chkDisplayWizard->isChecked())
                wizard->chkDisplayWizard->click();
            stored = SettingsStore::read("Settings", "Display Wizard", "");
            wizard->cmdCancel->click();
        });
        m_frame = startFrame();
        QCOMPARE(stored, QStringLiteral("False"));
        QCOMPARE(captions(*m_frame), QStringList{"Untitled:1"});
        closeFrame(m_frame);
        // At the next start no wizard opens: the answer prepared for it stays unused.
        whenModal<frmWizard>([](frmWizard *wizard) { wizard->cmdCancel->click(); });
        m_frame = startFrame();
        QCOMPARE(discardPendingModals(), 1);
        frmWizard wizard;
        QVERIFY(!wizard.chkDisplayWizard->isChecked());
        wizard.chkDisplayWizard->click();
        QCOMPARE(SettingsStore::read("Settings", "Display Wizard", ""), QStringLiteral("True"));
    }

    // The Help button and F1 anywhere open topic 50. There is no default button: Enter in a
    // text box neither finishes nor cancels. Esc cancels, and creates nothing.
    void helpAndKeys()
    {
        m_frame = startFrame();
        QStringList seen;
        whenModal<frmWizard>([&seen](frmWizard *wizard) {
            const auto page = [] {
                return HelpWindow::current() ? HelpWindow::current()->currentPage() : "no help";
            };
            for (QPushButton *button : wizard->findChildren<QPushButton *>()) {
                if (button->isDefault() || button->autoDefault())
                    seen << button->objectName() + " is a default button";
            }
            wizard->cmdHelp->click();
            seen << page();
            HelpWindow::CloseHelp();
            seen << (QTest::qWaitFor([] { return !HelpWindow::current(); }) ? "closed" : "open");
            wizard->cmdNext->click();
            wizard->activateWindow();
            seen << (QTest::qWaitForWindowActive(wizard) ? "active" : "inactive");
            QTest::keyClick(wizard->txtSubject, Qt::Key_F1);
            seen << page();
            QTest::keyClick(wizard->txtSubject, Qt::Key_Return);
            seen << QString::number(wizard->isVisible() ? wizard->CurrentStep : 0);
            QTest::keyClick(wizard->txtCGI, Qt::Key_Escape);
            seen << (wizard->isVisible() ? "open" : "cancelled");
            if (wizard->isVisible())
                wizard->cmdCancel->click();
        });
        QVERIFY(triggerAction(m_frame->activeForm(), "mnuFileWizard"));
        QCOMPARE(seen, (QStringList{"topic50.html", "closed", "active", "topic50.html", "2",
                                    "cancelled"}));
        QVERIFY(HelpWindow::current() && HelpWindow::current()->isVisible()); // outlives the wizard
        QCOMPARE(captions(*m_frame), QStringList{"Untitled:1"});
        QVERIFY(!QFile::exists(formFile()) && !QFile::exists(outputFile()));
    }

    // On page 2 a check box clicked with the mouse shows its focus mark, which it loses with
    // the focus; Enter on a focused button presses it.
    void enterAndFocusMark_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("after");
        const char *rows[][2] = {{"cmdNext", "step 3"},
                                 {"cmdBack", "step 1"},
                                 {"cmdCancel", "cancelled"},
                                 {"cmdFinish", "finished"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]);
    }
    void enterAndFocusMark()
    {
        QFETCH(QString, button);
        QFETCH(QString, after);
        m_frame = startFrame();
        frmWizard wizard(m_frame.get());
        wizard.show();
        wizard.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&wizard));
        wizard.cmdNext->click();
        QTest::mouseClick(wizard.chkEnvReport, Qt::LeftButton);
        const QImage focused = wizard.chkEnvReport->grab().toImage();
        wizard.findChild<QPushButton *>(button)->setFocus(Qt::MouseFocusReason);
        QVERIFY(wizard.chkEnvReport->grab().toImage() != focused);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const QString state = wizard.isVisible() ? QStringLiteral("step %1").arg(wizard.CurrentStep)
                              : wizard.result() == QDialog::Accepted ? QStringLiteral("finished")
                                                                     : QStringLiteral("cancelled");
        QCOMPARE(state, after);
        QCOMPARE(QFile::exists(outputFile()), after == QLatin1String("finished"));
    }

    void finishWithAnswers_data()
    {
        // 0-2 chkCollect, 10-12 chkRequired, 20-22 redirect, error page, extended information;
        // 30 clears every text box.
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("required");
        const QStringList head = {"recipient", "subject"};
        const QStringList links = {"return_link_url", "return_link_title"};
        QTest::newRow("defaults") << QList<int>{} << head + links + QStringList{"realname", "email"}
                                  << "realname,email";
        QTest::newRow("no field collected") << QList<int>{0, 1} << head + links << QString();
        QTest::newRow("only the date of birth, required")
            << QList<int>{0, 1, 2} << head + links + QStringList{"dob"} << "dob";
        QTest::newRow("required left checked, not collected")
            << QList<int>{0} << head + links + QStringList{"email"} << "email";
        QTest::newRow("redirect, error page, extended information")
            << QList<int>{20, 21, 22}
            << head + QStringList{"redirect", "missing_fields_redirect", "env_report", "realname",
                                  "email"}
            << "realname,email";
        QTest::newRow("empty text boxes")
            << QList<int>{21, 30}
            << head + links + QStringList{"missing_fields_redirect", "realname", "email"}
            << "realname,email";
    }
    void finishWithAnswers()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, names);
        QFETCH(QString, required);
        m_frame = startFrame();
        // The real path: the form window's File menu, the wizard shown modally.
        whenModal<frmWizard>([clicks](frmWizard *wizard) {
            QCheckBox *others[] = {wizard->chkRedirect, wizard->chkError, wizard->chkEnvReport};
            for (int click : clicks) {
                if (click == 30) {
                    for (QLineEdit *box : wizard->findChildren<QLineEdit *>())
                        box->clear();
                } else {
                    (click < 10   ? wizard->chkCollect[click]
                     : click < 20 ? wizard->chkRequired[click - 10]
                                  : others[click - 20])
                        ->click();
                }
            }
            wizard->cmdNext->click();
            wizard->cmdFinish->click();
        });
        QVERIFY(triggerAction(m_frame->activeForm(), "mnuFileWizard"));
        QCOMPARE(captions(*m_frame), (QStringList{"Untitled:1", formFile()}));
        frmWebForm *form = m_frame->activeForm();
        const bool emptied = clicks.contains(30);
        QStringList expected = {"Label|||To edit a form item, double-click it with the mouse.<br>"
                                "Web Form File: " +
                                formFile() +
                                "<hr>HTML Output File (set in 'Properties' on the 'File' menu): " +
                                outputFile() + "<br>"};
        for (const QString &name : names) {
            const QString row = WizardRows.value(name);
            // Emptied boxes leave the hidden fields without a value, but for the fixed one.
            const bool cleared = emptied && row.startsWith("Hidden") && name != "env_report";
            expected << (cleared ? row.section('|', 0, 1) : row);
        }
        if (!required.isEmpty())
            expected << "Hidden Field|required|" + required;
        QCOMPARE(itemRows(form), expected);
        // Saved with its properties, and converted.
        QVERIFY(!form->info().Changed);
        const QByteArray cgi = emptied ? "" : "/cgi-bin/FormMail.pl";
        QVERIFY(
            TestFiles::read(formFile()).startsWith(QFile::encodeName(outputFile()) + "\r\n" + cgi));
        QVERIFY(TestFiles::read(outputFile())
                    .contains("<FORM ACTION=\"" + cgi + "\" METHOD=\"POST\">"));
        QCOMPARE(Prompter::shown().size(), 1);
        QCOMPARE(lastMessage(), "Form successfully written to file [" + outputFile() + "].");
    }

    // A second run replaces only the form's block of the page; with nine documents open it
    // creates nothing.
    void secondRunAndNineDocuments()
    {
        m_frame = startFrame();
        frmWizard first(m_frame.get());
        first.cmdNext->click();
        first.cmdFinish->click();
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

    // A folder that does not exist cannot be written to, even by root.
    void unwritableFolderFallsBack()
    {
        WizardForm::setFolder(m_dir.filePath(QStringLiteral("missing")));
        const QString data =
            QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QDir(data).removeRecursively();
        frmWizard wizard;
        QVERIFY(QFileInfo(data).isDir());
        QCOMPARE(wizard.WizardFormFile, data + "/tb_wizqs.wfm");
        QCOMPARE(wizard.WizardOutputFile, data + "/tb_wizqs.htm");
    }
};

QTEST_MAIN(tst_Wizard)
#include "tst_wizard.moc"
