// A document's life: saving through the file dialog, the save-changes prompt, Save As,
// Convert, loading, and the recent-file list across restarts.
#include "GuiTestSupport.h"

#include "Conversion.h"
#include "WebFormFile.h"
#include "app/RecentFiles.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWebEngineView>

using namespace GuiTest;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void addItem(frmWebForm *form, const QByteArray &type, const QByteArray &name)
{
    ItemGrid &grid = form->grid();
    grid.addRow(grid.rows(), type);
    grid.setText(grid.rows() - 1, ColName, name);
    form->UpdateForm();
    form->info().Changed = true;
}

QStringList visibleRecentFiles(QObject *menuOwner)
{
    QStringList captions;
    for (int i = 0; i < RecentFileCount; ++i) {
        auto *action = menuOwner->findChild<QAction *>(QStringLiteral("mnuRecentFile%1").arg(i));
        if (action && action->isVisible())
            captions << action->text();
    }
    return captions;
}

} // namespace

class tst_Lifecycle : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetSettings();
        QVERIFY(m_dir.isValid());
    }
    void cleanup() { closeFrame(m_frame); }

    void saveOfAnUntitledDocumentAsksForAName();
    void saveWritesToTheCaptionWithoutAsking();
    void failedSaveKeepsTheDocumentChanged();
    void savePromptAnswers_data();
    void savePromptAnswers();
    void saveAsChangesTheCaptionAndKeepsTheOldFile();
    void convertNeedsAnOutputFile();
    void convertShowsTheOutputFileInTheViewer();
    void truncatedFileIsLoadedWithAWarning();
    void recentFilesNewestFirstAcrossRestart();
    void recentFileDuplicateKeepsItsPlace();
    void realDialogsSaveAndPrompt();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    std::unique_ptr<frmDesign> m_frame;
};

void tst_Lifecycle::saveOfAnUntitledDocumentAsksForAName()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    addItem(form, "Label", "");
    Prompter::queueAnswer(QString()); // cancelled: nothing happens
    QVERIFY(triggerAction(form, QStringLiteral("mnuFileSave")));
    QCOMPARE(form->windowTitle(), QStringLiteral("Untitled:1"));
    QVERIFY(form->info().Changed);
    // A name typed without an extension is used as typed.
    const QString target = path(QStringLiteral("contact"));
    Prompter::queueAnswer(target);
    QVERIFY(triggerAction(form, QStringLiteral("mnuFileSave")));
    QCOMPARE(form->windowTitle(), target);
    QVERIFY(!form->info().Changed);
    QVERIFY(fileBytes(target).startsWith("\r\n\r\nFalse\r\napplication/x-www-form-urlencoded"));
    QVERIFY(!QFile::exists(target + QStringLiteral(".wfm")));
    QCOMPARE(visibleRecentFiles(m_frame.get()), QStringList{target});
    QCOMPARE(visibleRecentFiles(form), QStringList{target});
}

void tst_Lifecycle::saveWritesToTheCaptionWithoutAsking()
{
    const QString file = path(QStringLiteral("a.wfm"));
    m_frame = startFrame();
    Prompter::queueAnswer(file);
    m_frame->activeForm()->mnuFileSave_Click();
    frmWebForm *form = LoadWebFormFile(file);
    QVERIFY(form);
    addItem(form, "Hidden Field", "secret");
    form->mnuFileSave_Click();
    QCOMPARE(Prompter::pendingAnswers(), 0);
    QVERIFY(fileBytes(file).contains("Hidden Field\r\nsecret\r\n"));
    QVERIFY(!form->info().Changed);
}

void tst_Lifecycle::failedSaveKeepsTheDocumentChanged()
{
    QVERIFY(QFile(path(QStringLiteral("plain"))).open(QIODevice::WriteOnly));
    const QString target = path(QStringLiteral("plain/form.wfm")); // the parent is a file
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    addItem(form, "Label", "");
    Prompter::queueAnswer(target);
    form->mnuFileSave_Click();
    QVERIFY(lastMessage().startsWith(QStringLiteral("Unable to save the file [") + target +
                                     QStringLiteral("].\r\n")));
    QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Critical);
    QCOMPARE(form->windowTitle(), QStringLiteral("Untitled:1"));
    QVERIFY(form->info().Changed);
    // The name still goes into the recent-file list.
    QCOMPARE(StoredRecentFiles(), QStringList{target});
}

void tst_Lifecycle::savePromptAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs"); // the Save dialog's answer, if it is asked
    QTest::addColumn<bool>("closes");
    QTest::newRow("yes, saved") << int(QMessageBox::Yes) << QStringLiteral("saved.wfm") << true;
    QTest::newRow("yes, save cancelled") << int(QMessageBox::Yes) << QString() << false;
    QTest::newRow("no") << int(QMessageBox::No) << QString() << true;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << QString() << false;
}

void tst_Lifecycle::savePromptAnswers()
{
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    addItem(form, "Label", "");
    Prompter::queueAnswer(answer);
    if (answer == QMessageBox::Yes)
        Prompter::queueAnswer(saveAs.isEmpty() ? QString() : path(saveAs));
    form->mnuFileClose_Click();
    QCOMPARE(Prompter::pendingAnswers(), 0);
    QCOMPARE(Prompter::shown().constFirst().text,
             QStringLiteral("The form [Untitled:1] has changed.\r\nDo you want to save the "
                            "changes?"));
    QCOMPARE(Prompter::shown().constFirst().icon, MessageIcon::Question);
    QTRY_COMPARE(openForms(*m_frame).size(), closes ? 0 : 1);
    if (!closes)
        QVERIFY(form->info().Changed);
    if (!saveAs.isEmpty())
        QVERIFY(QFile::exists(path(saveAs)));
}

void tst_Lifecycle::saveAsChangesTheCaptionAndKeepsTheOldFile()
{
    const QString first = path(QStringLiteral("first.wfm"));
    const QString second = path(QStringLiteral("second.wfm"));
    m_frame = startFrame();
    Prompter::queueAnswer(first);
    m_frame->activeForm()->mnuFileSave_Click();
    const QByteArray before = fileBytes(first);
    frmWebForm *form = LoadWebFormFile(first);
    addItem(form, "Checkbox", "agree");
    Prompter::queueAnswer(second);
    Prompter::clearShown();
    form->mnuFileSaveAs_Click();
    QCOMPARE(form->windowTitle(), second);
    QCOMPARE(fileBytes(first), before);
    QVERIFY(fileBytes(second).contains("Checkbox\r\nagree\r\n"));
    // Cancelling Save As changes nothing.
    Prompter::queueAnswer(QString());
    form->mnuFileSaveAs_Click();
    QCOMPARE(form->windowTitle(), second);
}

void tst_Lifecycle::convertNeedsAnOutputFile()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    QVERIFY(triggerAction(form, QStringLiteral("mnuFileConvert")));
    QCOMPARE(lastMessage(),
             QStringLiteral("Please specify an output file ('Properties' on the 'File' menu)."));
    QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
}

void tst_Lifecycle::convertShowsTheOutputFileInTheViewer()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    addItem(form, "Text Field", "email");
    const QString output = path(QStringLiteral("page.htm"));
    form->info().OutputFile = QFile::encodeName(output);
    form->info().Changed = false;
    form->mnuFileConvert_Click();
    QCOMPARE(lastMessage(), QStringLiteral("Form successfully written to file [") + output +
                                QStringLiteral("]."));
    QVERIFY(fileBytes(output).contains("Name=\"email\""));
    QCOMPARE(form->webPreview()->url(), QUrl::fromLocalFile(output));
    QVERIFY(!form->info().Changed); // converting is not a change
}

void tst_Lifecycle::truncatedFileIsLoadedWithAWarning()
{
    const QString file = path(QStringLiteral("cut.wfm"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("o.htm\ncgi\nTrue\nmt\nS\nR\nLabel\n\n\nFirst\n\n\n\n\nText Field\nname");
    out.close();
    m_frame = startFrame();
    frmWebForm *form = LoadWebFormFile(file);
    QVERIFY(form);
    QCOMPARE(Prompter::shown().size(), 1);
    QCOMPARE(Prompter::shown().constFirst().icon, MessageIcon::Exclamation);
    QVERIFY(lastMessage().contains(file));
    QCOMPARE(form->grid().rows(), 3);
    QCOMPARE(form->grid().text(1, ColLabel), QByteArray("First"));
    QCOMPARE(form->grid().text(2, ColName), QByteArray("name"));
    QVERIFY(form->info().MethodGet);
}

void tst_Lifecycle::recentFilesNewestFirstAcrossRestart()
{
    m_frame = startFrame();
    QStringList files;
    for (int i = 1; i <= 5; ++i) {
        files << path(QStringLiteral("f%1.wfm").arg(i));
        QVERIFY(WriteWebFormFile(files.last(), m_frame->activeForm()->info(),
                                 m_frame->activeForm()->grid())
                    .isEmpty());
    }
    QVERIFY(visibleRecentFiles(m_frame.get()).isEmpty()); // empty store: hidden
    for (const QString &file : files)
        QVERIFY(LoadWebFormFile(file));
    const QStringList expected = {files[4], files[3], files[2], files[1]};
    QCOMPARE(visibleRecentFiles(m_frame.get()), expected);
    for (frmWebForm *form : openForms(*m_frame))
        QCOMPARE(visibleRecentFiles(form), expected);
    closeFrame(m_frame);

    m_frame = startFrame();
    QCOMPARE(visibleRecentFiles(m_frame->activeForm()), expected);
    m_frame->activeForm()->mnuRecentFile_Click(3);
    QCOMPARE(m_frame->activeForm()->windowTitle(), files[1]);
    QCOMPARE(StoredRecentFiles(), expected); // already listed: its place is kept
    closeFrame(m_frame);

    // A file named on the command line that is listed already keeps its single entry.
    m_frame = startFrame({files[2]});
    QCOMPARE(m_frame->activeForm()->windowTitle(), files[2]);
    QCOMPARE(StoredRecentFiles(), expected);
}

void tst_Lifecycle::recentFileDuplicateKeepsItsPlace()
{
    m_frame = startFrame();
    const QString a = path(QStringLiteral("Alpha.wfm"));
    const QString b = path(QStringLiteral("beta.wfm"));
    for (const QString &file : {a, b}) {
        Prompter::queueAnswer(file);
        m_frame->activeForm()->mnuFileSaveAs_Click();
    }
    QCOMPARE(StoredRecentFiles(), (QStringList{b, a}));
    // The same path in other letter case is taken for the listed one.
    RememberFileName(a.toUpper());
    QCOMPARE(StoredRecentFiles(), (QStringList{b, a}));
    QCOMPARE(visibleRecentFiles(m_frame.get()), (QStringList{b, a}));
}

void tst_Lifecycle::realDialogsSaveAndPrompt()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    addItem(form, "Label", "");
    Prompter::setScripted(false); // the real dialogs this time
    const QString target = path(QStringLiteral("typed.wfm"));
    whenModal<QFileDialog>([target](QFileDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Web Form File to Save"));
        QVERIFY(dialog->nameFilters().constFirst().startsWith(QStringLiteral("Web form")));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        QCOMPARE(name->text(), QStringLiteral("untitled.wfm"));
        name->setText(target);
        QTest::keyClick(name, Qt::Key_Return);
    });
    form->mnuFileSave_Click();
    QCOMPARE(form->windowTitle(), target);
    QVERIFY(QFile::exists(target));

    form->info().Changed = true;
    QString boxText;
    QString boxTitle;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        boxText = box->text();
        boxTitle = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });
    form->mnuFileClose_Click();
    QCOMPARE(boxTitle, QStringLiteral("Tabrino"));
    QCOMPARE(boxText, QStringLiteral("The form [") + target +
                          QStringLiteral("] has changed.\nDo you want to save the changes?"));
    QTRY_COMPARE(openForms(*m_frame).size(), 0);
}

QTEST_MAIN(tst_Lifecycle)
#include "tst_lifecycle.moc"
