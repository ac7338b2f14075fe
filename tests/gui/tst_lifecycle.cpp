// A document's life: Save, Save As and closing, the file dialogs' start folder, Convert,
// loading, and the recent-file list across restarts.
#include "GuiTestSupport.h"

#include "RecentFiles.h"
#include "TestFiles.h"
#include "WebFormFile.h"
#include "ui/PreviewPage.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QWebEngineView>

using namespace GuiTest;
using TestFiles::read;

namespace {

// Adds the item of `cells` (as setRow() takes them), a change of the document.
void addItem(frmWebForm *form, const QString &cells)
{
    setRow(form, form->grid().rows(), cells);
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

} // namespace

class tst_Lifecycle : public FrameTest
{
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { closeFrame(m_frame); }

    // Save, Save As and Close as decisions. `script`: each step taken, with its answer after
    // "=": the save-changes question (yes/no/cancel), the file dialog with its suggestion (a
    // name; none cancels), the write (ok/fail), the name handed to the recent-file list.
    void documentCommands_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("done"); // saved, or the window may close
        const int save = int(DocumentCommand::Save);
        const int saveAs = int(DocumentCommand::SaveAs);
        const int close = int(DocumentCommand::Close);
        const QString untitled = QStringLiteral("Untitled:1");
        const QString toB = QStringLiteral("=/b write(/b)=ok remember(/b)");
        QTest::newRow("save untitled")
            << save << untitled << true << "file(untitled.wfm)" + toB << true;
        QTest::newRow("cancelled") << save << untitled << true << "file(untitled.wfm)=" << false;
        QTest::newRow("write fails")
            << save << "/a" << true << "write(/a)=fail remember(/a)" << false;
        QTest::newRow("save as") << saveAs << "/a" << false << "file(/a)" + toB << true;
        QTest::newRow("save as untitled")
            << saveAs << untitled << true << "file(untitled.wfm)" + toB << true;
        QTest::newRow("close unchanged") << close << "/a" << false << "" << true;
        QTest::newRow("close, cancel") << close << "/a" << true << "ask=cancel" << false;
        QTest::newRow("close, no") << close << "/a" << true << "ask=no" << true;
        QTest::newRow("close, yes, write fails")
            << close << "/a" << true << "ask=yes write(/a)=fail remember(/a)" << false;
        QTest::newRow("close untitled, cancelled")
            << close << untitled << true << "ask=yes file(untitled.wfm)=" << false;
        QTest::newRow("close untitled, saved")
            << close << untitled << true << "ask=yes file(untitled.wfm)" + toB << true;
    }
    void documentCommands()
    {
        QFETCH(int, command);
        QFETCH(QString, caption);
        QFETCH(bool, changed);
        QFETCH(QString, script);
        const QStringList expected = script.split(' ', Qt::SkipEmptyParts);
        QStringList taken; // each step as "name(argument)", without the answer
        const auto step = [&](const QString &name) {
            taken << name;
            return expected.value(taken.size() - 1).section('=', 1);
        };
        DocumentSteps steps;
        steps.askSaveChanges = [&] {
            const QString button = step(QStringLiteral("ask"));
            return button == "yes"  ? QMessageBox::Yes
                   : button == "no" ? QMessageBox::No
                                    : QMessageBox::Cancel;
        };
        steps.askFileName = [&](const QString &name) { return step("file(" + name + ')'); };
        steps.write = [&](const QString &name) { return step("write(" + name + ')') == "ok"; };
        steps.remember = [&](const QString &name) { step("remember(" + name + ')'); };
        QTEST(RunDocumentCommand(DocumentCommand(command), caption, changed, steps), "done");
        QCOMPARE(taken, QStringList(expected).replaceInStrings(QRegularExpression("=.*"), ""));
    }

    // The window runs them with its own questions and file, mostly the real dialogs: the
    // Save dialog opens in the start folder and adds ".wfm" to a name typed without one; the
    // title bar marks unsaved changes; a failed write says why and keeps the caption and the
    // changed mark; names go to the recent-file list; closing asks; Open opens in the last
    // folder used.
    void saveAndClose()
    {
        addItem(m_form, "Label");
        QVERIFY(m_form->subWindow()->isWindowModified());
        Prompter::setScripted(false); // the real dialogs, but for the failed save and Cancel
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
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileSave")));
        QCOMPARE(m_form->windowTitle(), target + QStringLiteral("[*]"));
        QVERIFY(!m_form->subWindow()->isWindowModified());
        QCOMPARE(SettingsStore::read(SettingsStore::SettingsSection, "Last Folder", QString()),
                 m_dir.path());

        addItem(m_form, "Hidden Field|secret");
        Prompter::setScripted(true);
        const QString failed = path(QStringLiteral("sub/folder")); // a folder: no file there
        QVERIFY(QDir().mkpath(failed));
        Prompter::queueAnswer(failed);
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileSaveAs")));
        QVERIFY(lastMessage().startsWith("Unable to save the file [" + failed + "].\r\n"));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Critical);
        QCOMPARE(m_form->Caption(), target);
        QVERIFY(m_form->info().Changed);
        QCOMPARE(visibleRecentFiles(m_form), (QStringList{failed, target}));
        QCOMPARE(Prompter::startFolder(), m_dir.path()); // the document's before the last used
        m_form->mnuFileSave_Click();                     // no question: the caption is the path
        QVERIFY(read(target).contains("Hidden Field\r\nsecret\r\n"));

        addItem(m_form, "Password Field|pin");
        Prompter::queueAnswer(int(QMessageBox::Cancel));
        m_form->mnuFileClose_Click();
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Question);
        QCOMPARE(openForms(*m_frame).size(), 1);
        Prompter::setScripted(false);
        QString shown; // title and text
        whenModal<QMessageBox>([&shown](QMessageBox *box) {
            shown = box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(QMessageBox::Yes)->click();
        });
        m_form->mnuFileClose_Click();
        QCOMPARE(shown, "Tabrino|The form [" + target +
                            "] has changed.\nDo you want to save the changes?");
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QVERIFY(read(target).contains("Password Field\r\npin\r\n"));
        QString opened; // with no document open
        whenModal<QFileDialog>([&opened](QFileDialog *dialog) {
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
        OpenWebForm();
        QCOMPARE(opened, path(QStringLiteral("sub")));
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

    // Newest first, four at most, in the frame's and every window's menu, each shown as
    // its exact path ("&" included); a file listed already (also from the command line)
    // keeps its one place; a name in other letter case is another file. The first file
    // ends early: it loads what it has, with a warning.
    void recentFilesAcrossRestarts()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("R&D")));
        QStringList files;
        for (int i = 1; i <= 5; ++i) {
            files << path(QStringLiteral("R&D/f%1.wfm").arg(i));
            QVERIFY(WriteWebFormFile(files.last(), m_form->info(), m_form->grid()).isEmpty());
        }
        QVERIFY(TestFiles::write(files[0], "o.htm\ncgi\nTrue\nmt\nS\nR\nLabel\n\n\nFirst\n\n\n\n\n"
                                           "Text Field\nname"));
        QVERIFY(visibleRecentFiles(m_frame.get()).isEmpty()); // empty store: hidden
        for (const QString &file : files)
            QVERIFY(LoadWebFormFile(file));
        QCOMPARE(Prompter::shown().size(), 1);
        QCOMPARE(Prompter::shown().constFirst().icon, MessageIcon::Exclamation);
        QVERIFY(lastMessage().contains(files[0]));
        // Slot 1 holds the untitled document the program starts with.
        QCOMPARE(itemRows(FormWindow(2)), (QStringList{"Label|||First", "Text Field|name"}));
        QVERIFY(FormWindow(2)->info().MethodGet);
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
    // the home folder; a folder that is gone is passed over.
    void startFolder()
    {
        const QString document = m_dir.path();
        const QString last = QDir::tempPath();
        const QString gone = path(QStringLiteral("gone"));
        QCOMPARE(Prompter::startFolder(document, last), document);
        QCOMPARE(Prompter::startFolder(QString(), last), last);
        QCOMPARE(Prompter::startFolder(gone, last), last);
        QCOMPARE(Prompter::startFolder(gone, gone), QDir::homePath());
        QCOMPARE(Prompter::startFolder(QString(), QString()), QDir::homePath());
    }
};

QTEST_MAIN(tst_Lifecycle)
#include "tst_lifecycle.moc"
