// The Quick Start Wizard: pages, controls and the form built from the answers, the start-up
// setting and keys, and the form that Finish creates, saves and converts; files and warning.
#include "GuiTestSupport.h"

#include "TestFiles.h"
#include "wizard/frmWizard.h"

#include <QCheckBox>
#include <QLabel>
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
    for (const QString &name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        rows << (name.contains(QLatin1Char('=')) ? "Hidden Field|" + QString(name).replace('=', '|')
                                                 : WizardRows.value(name));
    return rows;
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
        QTest::newRow("page 1") << "" << 1 << page1 << DefaultForm;
        QTest::newRow("page 4, name not asked for: its Required box kept checked")
            << "chkCollect0 cmdNext cmdNext cmdNext" << 4
            << "chkRequired0* chkRequired2* cmdNext txtErrorURL txtRedirectURL"
            << Links + "email required=email";
        QTest::newRow("back to page 3, no field asked for")
            << "chkCollect0 chkCollect1 cmdNext cmdNext cmdNext cmdBack" << 3
            << "chkRequired0* chkRequired1* chkRequired2* txtErrorURL txtRedirectURL" << Links;
        QTest::newRow("back to page 1, only the date of birth, error page off again")
            << "chkCollect0 chkCollect1 chkCollect2 chkError chkError cmdNext cmdBack" << 1
            << "chkRequired0* chkRequired1* cmdBack cmdFinish txtErrorURL txtRedirectURL"
            << Links + "dob required=dob";
        QTest::newRow("error page, redirect, extended information")
            << "chkError chkRedirect chkEnvReport" << 1
            << "chkRequired2* cmdBack cmdFinish txtReturnTitle txtReturnURL"
            << "recipient subject redirect missing_fields_redirect env_report realname email "
               "required=realname,email";
        QTest::newRow("redirect off again, text boxes emptied")
            << "chkRedirect chkRedirect chkError clear" << 1
            << "chkRequired2* cmdBack cmdFinish txtRedirectURL"
            << "recipient= subject= return_link_url= return_link_title= missing_fields_redirect= "
               "realname email required=realname,email";
    }
    void pagesControlsAndForm()
    {
        QFETCH(QString, clicks);
        QFETCH(int, step);
        QFETCH(QString, disabled);
        QFETCH(QString, form);
        frmWizard wizard; // no files yet, so no warning; the setting is off
        QVERIFY(!wizard.lblWarning->isVisibleTo(&wizard) && !wizard.chkDisplayWizard->isChecked());
        doSteps(&wizard, clicks);
        QCOMPARE(wizard.picStep->currentIndex(), step - 1);
        QVERIFY(wizard.windowTitle().endsWith(QStringLiteral("(step %1 of 4)").arg(step)));
        QStringList off; // the disabled controls, a checked box marked "*"
        for (const QWidget *control : wizard.findChildren<QWidget *>()) {
            const auto *box = qobject_cast<const QCheckBox *>(control);
            if (!control->isEnabled())
                off << control->objectName() + (box && box->isChecked() ? "*" : "");
        }
        off.sort();
        QCOMPARE(off.join(QLatin1Char(' ')), disabled);
        QStringList rows;
        for (const QStringList &cells : WizardForm::Rows(wizard.answers(), {}, {}))
            rows << cells.join(QLatin1Char('|'));
        QCOMPARE(rows.mid(1), expectedRows(form));
    }

    // At start-up the wizard opens while the setting says so; its box stores False or True
    // at once. Enter off a button does nothing, as no button is the default; Esc cancels,
    // creating nothing, and a new document follows. Finish from the File menu (Enter on the
    // focused button) opens the form, saved with its properties and converted; either file
    // left from a run shows the warning. A second run replaces only the form's block of the
    // page; with nine documents open it creates nothing.
    void startupFinishSecondRunAndNineDocuments()
    {
        SettingsStore::setDisplayWizard(true);
        QStringList seen;
        whenModal<frmWizard>([&seen](frmWizard *wizard) {
            for (int i = 0; i < 3; ++i) {
                wizard->chkDisplayWizard->click();
                seen << SettingsStore::read("Settings", "Display Wizard", "");
            }
            wizard->chkDisplayWizard->setFocus();
            QTest::keyClick(wizard->chkDisplayWizard, Qt::Key_Return);
            QTest::keyClick(wizard->chkDisplayWizard, Qt::Key_Escape);
            seen << QString::number(wizard->CurrentStep) << (wizard->isVisible() ? "open" : "");
            wizard->reject(); // changes nothing once Esc has cancelled
        });
        m_frame = startFrame();
        QCOMPARE(seen, (QStringList{"False", "True", "False", "1", ""}));

        whenModal<frmWizard>([](frmWizard *wizard) {
            doSteps(wizard, "txtCGI=/cgi/mail.pl cmdNext");
            wizard->cmdFinish->setFocus();
            QTest::keyClick(wizard->cmdFinish, Qt::Key_Return);
        });
        QVERIFY(triggerAction(m_frame->activeForm(), "mnuFileWizard"));
        QCOMPARE(captions(*m_frame), (QStringList{"Untitled:1", formFile()}));
        const QString label =
            QStringLiteral("Label|||To edit a form item, double-click it with the mouse.<br>Web "
                           "Form File: %1<hr>HTML Output File (set in 'Properties' on the 'File' "
                           "menu): %2<br>")
                .arg(formFile(), outputFile());
        QCOMPARE(itemRows(m_frame->activeForm()), QStringList{label} + expectedRows(DefaultForm));
        QVERIFY(!m_frame->activeForm()->info().Changed);
        QVERIFY(TestFiles::read(formFile())
                    .startsWith(QFile::encodeName(outputFile()) + "\r\n/cgi/mail.pl\r\n"));
        QVERIFY(TestFiles::read(outputFile()).contains("<FORM ACTION=\"/cgi/mail.pl\""));
        QCOMPARE(lastMessage(), "Form successfully written to file [" + outputFile() + "].");

        QByteArray page = TestFiles::read(outputFile());
        page.replace("<!-- FORM_START_CMD", "<P>Before the form</P>\r\n<!-- FORM_START_CMD");
        page.replace("</BODY>", "<P>After the form</P>\r\n</BODY>");
        QVERIFY(TestFiles::write(outputFile(), page));
        frmWizard second(m_frame.get());
        doSteps(&second, "txtCGI=/cgi/mail.pl txtSubject=Second.run cmdNext cmdFinish");
        page.replace("WWW Form Submission", "Second.run");
        QCOMPARE(TestFiles::read(outputFile()), page);
        QVERIFY(TestFiles::read(formFile()).contains("subject\r\nSecond.run\r\n"));

        for (int i = 0; i < 6; ++i)
            QVERIFY(NewWebForm() != -1);
        QFile::remove(formFile());
        frmWizard third(m_frame.get());
        QVERIFY(third.lblWarning->isVisibleTo(&third));
        doSteps(&third, "cmdNext cmdFinish");
        QCOMPARE(Prompter::shown().size(), 4); // the runs' two messages, then two refusals
        QVERIFY(lastMessage().startsWith("Unable to generate the form"));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Critical);
        QCOMPARE(openForms(*m_frame).size(), 9);
        QVERIFY(!QFile::exists(formFile()));
        QCOMPARE(TestFiles::read(outputFile()), page);
    }

    // A folder that cannot be written to gives way to the per-user data folder, created.
    void dataFolderFallback()
    {
        WizardForm::setFolder(path(QStringLiteral("missing")));
        const QString data =
            QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QDir(data).removeRecursively();
        QCOMPARE(WizardForm::FormFile(), data + "/tb_wizqs.wfm");
        QCOMPARE(WizardForm::OutputFile(), data + "/tb_wizqs.htm");
        QVERIFY(QFileInfo(data).isDir());
    }
};

QTEST_MAIN(tst_Wizard)
#include "tst_wizard.moc"
