// A document's life: saving through the file dialog, the save-changes prompt, Save As,
// Convert, loading, and the recent-file list across restarts.
#include "GuiTestSupport.h"

#include "RecentFiles.h"
#include "SafeFile.h"
#include "TestFiles.h"
#include "WebFormFile.h"
#include "ui/PreviewPage.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <cerrno>

using namespace GuiTest;
using TestFiles::read;

namespace {

void addItem(frmWebForm *form, const QByteArray &type, const QByteArray &name = QByteArray())
{
    ItemGrid &grid = form->grid();
    grid.addRow(grid.rows(), type);
    grid.setText(grid.rows() - 1, ColName, name);
    form->UpdateForm();
    form->setChanged(true);
}

QStringList visibleRecentFiles(QObject *menuOwner)
{
    QStringList captions;
    for (int i = 0; i < RecentFileCount; ++i) {
        auto *action = findAction(menuOwner, QStringLiteral("mnuRecentFile%1").arg(i));
        if (action && action->isVisible())
            captions << action->text();
    }
    return captions;
}

const QString SaveQuestion =
    QStringLiteral("The form [%1] has changed.\r\nDo you want to save the changes?");

} // namespace

class tst_Lifecycle : public QObject
{
    Q_OBJECT

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    std::unique_ptr<frmDesign> m_frame;
    frmWebForm *m_form = nullptr;

private slots:
    void init()
    {
        resetSettings();
        QVERIFY(m_dir.isValid());
        m_frame = startFrame();
        m_form = m_frame->activeForm();
    }

    void cleanup() { closeFrame(m_frame); }

    // Save asks for a name only while the document is untitled: cancelled, failed (the
    // name is remembered all the same), then saved; a save failing at its end keeps the old
    // file, the caption and the changed mark. Save As always asks and leaves the old file.
    // The title bar marks unsaved changes; the caption stays the path. Then closing.
    void saveAndSaveAs()
    {
        addItem(m_form, "Label");
        Prompter::queueAnswer(QString());
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileSave")));
        QVERIFY(TestFiles::write(path(QStringLiteral("plain")), QByteArray()));
        const QString failed = path(QStringLiteral("plain/form.wfm")); // below a file
        Prompter::queueAnswer(failed);
        m_form->mnuFileSave_Click();
        QCOMPARE(Prompter::shown().size(), 1);
        QVERIFY(lastMessage().startsWith("Unable to save the file [" + failed + "].\r\n"));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Critical);
        QCOMPARE(m_form->Caption(), QStringLiteral("Untitled:1"));
        QVERIFY(m_form->info().Changed);
        QCOMPARE(StoredRecentFiles(), QStringList{failed});

        QVERIFY(m_form->subWindow()->isWindowModified());
        const QString target = path(QStringLiteral("contact.wfm"));
        Prompter::queueAnswer(target);
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileSave")));
        QCOMPARE(m_form->Caption(), target);
        QCOMPARE(m_form->windowTitle(), target + QStringLiteral("[*]"));
        QVERIFY(!m_form->info().Changed);
        QVERIFY(!m_form->subWindow()->isWindowModified());
        QCOMPARE(visibleRecentFiles(m_form), (QStringList{target, failed}));
        addItem(m_form, "Hidden Field", "secret");
        m_form->mnuFileSave_Click(); // no question: the caption is the path
        const QByteArray saved = read(target);
        QVERIFY(saved.contains("Hidden Field\r\nsecret\r\n"));
        QVERIFY(!m_form->info().Changed);
        addItem(m_form, "Text Field", "lost"); // the disk fills up as the file is synced
        SafeFile::setNextFault({WriteFault::AtFlush, 0, ENOSPC});
        m_form->mnuFileSave_Click();
        QCOMPARE(lastMessage(),
                 "Unable to save the file [" + target + "].\r\nNo space left on device");
        QVERIFY(m_form->info().Changed);
        QCOMPARE(m_form->Caption(), target);
        QCOMPARE(read(target), saved);

        const QString second = path(QStringLiteral("second.wfm"));
        addItem(m_form, "Checkbox", "agree");
        Prompter::queueAnswer(second);
        m_form->mnuFileSaveAs_Click();
        QCOMPARE(m_form->Caption(), second);
        QCOMPARE(read(target), saved);
        QVERIFY(read(second).contains("Checkbox\r\nagree\r\n"));
        Prompter::queueAnswer(QString()); // cancelling Save As changes nothing
        m_form->mnuFileSaveAs_Click();
        QCOMPARE(m_form->Caption(), second);

        // Closing a changed document asks: Cancel keeps it, Yes saves and closes it; on an
        // untitled one Yes with the Save dialog cancelled keeps it, No closes it.
        addItem(m_form, "Password Field", "pin");
        Prompter::queueAnswer(int(QMessageBox::Cancel));
        m_form->mnuFileClose_Click();
        QCOMPARE(lastMessage(), SaveQuestion.arg(second));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Question);
        QVERIFY(m_form->info().Changed);
        Prompter::queueAnswer(int(QMessageBox::Yes));
        m_form->mnuFileClose_Click();
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QVERIFY(read(second).contains("Password Field\r\npin\r\n"));
        NewWebForm();
        m_form = m_frame->activeForm();
        addItem(m_form, "Label");
        Prompter::queueAnswer(int(QMessageBox::Yes));
        Prompter::queueAnswer(QString());
        m_form->mnuFileClose_Click();
        QVERIFY(m_form->info().Changed);
        Prompter::queueAnswer(int(QMessageBox::No));
        m_form->mnuFileClose_Click();
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QCOMPARE(Prompter::pendingAnswers(), 0);
    }

    // Without an output file only a warning; with one the page is written and shown (its
    // message and contents are proven by the wizard's Finish).
    void convert()
    {
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileConvert")));
        QCOMPARE(
            lastMessage(),
            QStringLiteral("Please specify an output file ('Properties' on the 'File' menu)."));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
        const QString output = path(QStringLiteral("page.htm"));
        m_form->info().OutputFile = QFile::encodeName(output);
        m_form->mnuFileConvert_Click();
        QCOMPARE(m_form->webPreview()->url(), QUrl::fromLocalFile(output));

        // A relative output file is the one in the current folder, in both viewers too.
        const QString before = QDir::currentPath();
        QDir::setCurrent(QFileInfo(output).path());
        m_form->info().OutputFile = "rel.htm";
        m_form->mnuFileConvert_Click();
        QList<QUrl> handedOver;
        PreviewPage::setUrlOpener([&handedOver](const QUrl &url) { handedOver << url; });
        m_form->mnuViewBrowser_Click();
        PreviewPage::setUrlOpener({});
        QDir::setCurrent(before);
        const QUrl written = QUrl::fromLocalFile(path(QStringLiteral("rel.htm")));
        QVERIFY(QFile::exists(written.toLocalFile()));
        QCOMPARE(m_form->webPreview()->url(), written);
        QCOMPARE(handedOver, QList<QUrl>{written});
    }

    void truncatedFileIsLoadedWithAWarning()
    {
        const QString file = path(QStringLiteral("cut.wfm"));
        QVERIFY(TestFiles::write(file, "o.htm\ncgi\nTrue\nmt\nS\nR\nLabel\n\n\nFirst\n\n\n\n\n"
                                       "Text Field\nname"));
        frmWebForm *form = LoadWebFormFile(file);
        QVERIFY(form);
        QCOMPARE(Prompter::shown().size(), 1);
        QCOMPARE(Prompter::shown().constFirst().icon, MessageIcon::Exclamation);
        QVERIFY(lastMessage().contains(file));
        QCOMPARE(itemRows(form), (QStringList{"Label|||First", "Text Field|name"}));
        QVERIFY(form->info().MethodGet);
    }

    // Newest first, four at most, in the frame's and every window's menu, each shown as
    // its exact path ("&" included); a file listed already (also from the command line)
    // keeps its one place; a name in other letter case is another file.
    void recentFilesAcrossRestarts()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("R&D")));
        QStringList files;
        for (int i = 1; i <= 5; ++i) {
            files << path(QStringLiteral("R&D/f%1.wfm").arg(i));
            QVERIFY(WriteWebFormFile(files.last(), m_form->info(), m_form->grid()).isEmpty());
        }
        QVERIFY(visibleRecentFiles(m_frame.get()).isEmpty()); // empty store: hidden
        for (const QString &file : files)
            QVERIFY(LoadWebFormFile(file));
        const QStringList expected = {files[4], files[3], files[2], files[1]};
        // A menu shows "&&" as one "&" and takes no access key from it.
        const QStringList shown = QStringList(expected).replaceInStrings("&", "&&");
        QCOMPARE(visibleRecentFiles(m_frame.get()), shown);
        for (frmWebForm *form : openForms(*m_frame))
            QCOMPARE(visibleRecentFiles(form), shown);
        RememberFileName(files[3]);
        QCOMPARE(StoredRecentFiles(), expected);
        closeFrame(m_frame);

        m_frame = startFrame();
        QCOMPARE(visibleRecentFiles(m_frame->activeForm()), shown);
        m_frame->activeForm()->mnuRecentFile_Click(3);
        QCOMPARE(m_frame->activeForm()->Caption(), files[1]);
        QCOMPARE(StoredRecentFiles(), expected);
        closeFrame(m_frame);

        m_frame = startFrame({files[2]});
        QCOMPARE(m_frame->activeForm()->Caption(), files[2]);
        QCOMPARE(StoredRecentFiles(), expected);
        const QString upper = path(QStringLiteral("R&D/F2.wfm"));
        RememberFileName(upper);
        QCOMPARE(StoredRecentFiles(), (QStringList{upper, files[4], files[3], files[2]}));
    }

    // A file dialog opens in the active document's folder, else the last folder used, else
    // the home folder.
    void fileDialogsStartFolder_data()
    {
        // Where the document is saved (empty: untitled), the last folder used, the expected.
        QTest::addColumn<QStringList>("folders");
        QTest::newRow("home") << QStringList{"", "", QDir::homePath()};
        QTest::newRow("last folder") << QStringList{"", "last", "last"};
        QTest::newRow("last folder gone") << QStringList{"", "gone", QDir::homePath()};
        QTest::newRow("document's folder") << QStringList{"doc", "last", "doc"};
    }
    void fileDialogsStartFolder()
    {
        QFETCH(QStringList, folders);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("last")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("doc")));
        if (!folders[0].isEmpty())
            QVERIFY(SaveWebFormFile(m_form, path(folders[0] + QStringLiteral("/form.wfm"))));
        if (!folders[1].isEmpty())
            SettingsStore::write(SettingsStore::SettingsSection, QStringLiteral("Last Folder"),
                                 path(folders[1]));
        QCOMPARE(Prompter::startFolder(),
                 QDir::isAbsolutePath(folders[2]) ? folders[2] : path(folders[2]));
    }

    // The real Save and Open dialogs open in the start folder; Save adds ".wfm" to a name typed
    // without an extension and keeps its folder as the last one used; the real save-changes
    // question.
    void realDialogsSaveAndPrompt()
    {
        addItem(m_form, "Label");
        Prompter::setScripted(false); // the real dialogs this time
        const QString target = path(QStringLiteral("typed.wfm"));
        whenModal<QFileDialog>([this](QFileDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Web Form File to Save"));
            QCOMPARE(dialog->directory().absolutePath(), QDir::homePath());
            QVERIFY(dialog->nameFilters().constFirst().startsWith(QStringLiteral("Web form")));
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QCOMPARE(name->text(), QStringLiteral("untitled.wfm"));
            name->setText(path(QStringLiteral("typed")));
            QTest::keyClick(name, Qt::Key_Return);
        });
        m_form->mnuFileSave_Click();
        QCOMPARE(m_form->Caption(), target);
        QVERIFY(QFile::exists(target));
        QCOMPARE(SettingsStore::read(SettingsStore::SettingsSection, "Last Folder", QString()),
                 m_dir.path());

        m_form->info().Changed = true;
        QString shown; // title and text
        whenModal<QMessageBox>([&shown](QMessageBox *box) {
            shown = box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(QMessageBox::No)->click();
        });
        m_form->mnuFileClose_Click();
        QCOMPARE(shown,
                 QStringLiteral("Tabrino|") + SaveQuestion.arg(target).replace("\r\n", "\n"));
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QString opened; // the Open dialog: in the last folder used, with no document open
        whenModal<QFileDialog>([&opened](QFileDialog *dialog) {
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
        OpenWebForm();
        QCOMPARE(opened, m_dir.path());
    }
};

QTEST_MAIN(tst_Lifecycle)
#include "tst_lifecycle.moc"
