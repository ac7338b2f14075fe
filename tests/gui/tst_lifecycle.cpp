// A document's life: Save, Save As and closing, the file dialogs' start folder, Convert,
// loading, the recent-file list across restarts, and the form position command: the page's
// lines offered for choosing, the short markers put after the chosen line and the removal of
// an earlier block.
#include "GuiTestSupport.h"

#include "PositionMarkers.h"
#include "RecentFiles.h"
#include "TestFiles.h"
#include "output/frmFileViewer.h"
#include "ui/PreviewPage.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QWebEngineView>

using namespace GuiTest;

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
        const QString named = "file(untitled.wfm)" + toB; // an untitled document saved as /b
        const QString fails = QStringLiteral("write(/a)=fail remember(/a)");
        const QString cancelled = QStringLiteral("file(untitled.wfm)=");
        QTest::newRow("save untitled") << save << untitled << true << named << true;
        QTest::newRow("cancelled") << save << untitled << true << cancelled << false;
        QTest::newRow("write fails") << save << "/a" << true << fails << false;
        QTest::newRow("save as") << saveAs << "/a" << false << "file(/a)" + toB << true;
        QTest::newRow("save as untitled") << saveAs << untitled << true << named << true;
        QTest::newRow("close unchanged") << close << "/a" << false << "" << true;
        QTest::newRow("close, cancel") << close << "/a" << true << "ask=cancel" << false;
        QTest::newRow("close, no") << close << "/a" << true << "ask=no" << true;
        QTest::newRow("close, yes, fails") << close << "/a" << true << "ask=yes " + fails << false;
        QTest::newRow("close new, cancelled")
            << close << untitled << true << "ask=yes " + cancelled << false;
        QTest::newRow("close new, saved")
            << close << untitled << true << "ask=yes " + named << true;
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
        const QHash<QString, QMessageBox::StandardButton> buttons{
            {"yes", QMessageBox::Yes}, {"no", QMessageBox::No}, {"cancel", QMessageBox::Cancel}};
        steps.askSaveChanges = [&] { return buttons.value(step(QStringLiteral("ask"))); };
        steps.askFileName = [&](const QString &name) { return step("file(" + name + ')'); };
        steps.write = [&](const QString &name) { return step("write(" + name + ')') == "ok"; };
        steps.remember = [&](const QString &name) { step("remember(" + name + ')'); };
        QTEST(RunDocumentCommand(DocumentCommand(command), caption, changed, steps), "done");
        QCOMPARE(taken, QStringList(expected).replaceInStrings(QRegularExpression("=.*"), ""));
    }

    // The window runs them with its own questions and file, mostly the real dialogs: a
    // failed write names the file and keeps the caption and the changed mark; the Save dialog
    // adds ".wfm" to a name typed without one; the title bar marks unsaved changes; closing
    // asks; names go to the recent-file list, whose entries open them; the file dialogs
    // start in the document's folder, else the last used, else home. A file that ends early
    // loads what it has, with a warning.
    void saveAndClose()
    {
        setRow(m_form, 1, QStringLiteral("Label"));
        m_form->setChanged(true);
        const QString failed = path(QStringLiteral("sub/folder")); // a folder: no file there
        QVERIFY(QDir().mkpath(failed));
        Prompter::queueAnswer(failed);
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileSaveAs")));
        QVERIFY(lastMessage().startsWith("Unable to save the file [" + failed + "].\r\n"));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Critical);
        QCOMPARE(m_form->Caption(), QStringLiteral("Untitled:1"));
        QVERIFY(m_form->info().Changed);

        Prompter::setScripted(false); // the real dialogs, but for Cancel and Open
        const QString target = path(QStringLiteral("typed.wfm"));
        whenModal<QFileDialog>([this](QFileDialog *dialog) {
            QCOMPARE(dialog->directory().absolutePath(), path(QStringLiteral("sub")));
            QVERIFY(dialog->nameFilters().constFirst().endsWith(QStringLiteral("(*.wfm)")));
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QCOMPARE(name->text(), QStringLiteral("untitled.wfm"));
            name->setText(path(QStringLiteral("typed")));
            QTest::keyClick(name, Qt::Key_Return);
        });
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileSave")));
        QCOMPARE(m_form->windowTitle(), target + QStringLiteral("[*]"));
        QVERIFY(!m_form->subWindow()->isWindowModified());

        setRow(m_form, 1, QStringLiteral("Hidden Field|secret"));
        m_form->setChanged(true);
        Prompter::setScripted(true);
        Prompter::queueAnswer(int(QMessageBox::Cancel));
        m_form->mnuFileClose_Click();
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Question);
        Prompter::setScripted(false);
        QString shown; // the real box's text
        whenModal<QMessageBox>([&shown](QMessageBox *box) {
            shown = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        m_form->mnuFileClose_Click(); // saved as it is captioned, without a file dialog
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QVERIFY(shown.startsWith("The form [" + target + "] has changed.\n"));
        QVERIFY(TestFiles::read(target).contains("Hidden Field\r\nsecret\r\n"));
        Prompter::setScripted(true);
        QCOMPARE(SettingsStore::read(SettingsStore::SettingsSection, "Last Folder", QString()),
                 m_dir.path()); // the real dialog's folder is stored as the last used

        const QString cut = path(QStringLiteral("sub/cut.wfm"));
        QVERIFY(TestFiles::write(cut, "o.htm\ncgi\nTrue\nmt\nS\nR\nLabel\n\n\nFirst"));
        Prompter::queueAnswer(cut);
        OpenWebForm();
        QVERIFY(lastMessage().contains(cut));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
        QCOMPARE(itemRows(ActiveFormWindow()), QStringList{"Label|||First"});
        QCOMPARE(StoredRecentFiles(), (QStringList{cut, target, failed}));
        QVERIFY(triggerAction(m_frame.get(), QStringLiteral("mnuRecentFile1")));
        QCOMPARE(ActiveFormWindow()->Caption(), target);
        QCOMPARE(Prompter::startFolder(), m_dir.path());   // the document's before the last used
        const QString gone = path(QStringLiteral("gone")); // a folder that is gone is passed over
        QCOMPARE(Prompter::startFolder(gone, gone), QDir::homePath());
    }

    // Without an output file only a warning; with one the page is written and shown (its
    // message and contents are proven by the wizard's Finish).
    void convert()
    {
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileConvert")));
        QVERIFY(lastMessage().startsWith(QStringLiteral("Please specify an output file")));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
        // A relative output file is the one in the current folder, in both viewers.
        const QString before = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
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
        m_form->info().OutputFile = QFile::encodeName(written.toLocalFile()); // an absolute one
        m_form->mnuFileConvert_Click();
        QCOMPARE(m_form->webPreview()->url(), written);
    }

    // The recent-file list: hidden while empty; newest first, four at most; a name listed
    // already keeps its place, one in other letter case is another file. After a restart
    // the menus show the entries as their exact paths, "&" included.
    void recentFiles()
    {
        QVERIFY(!findAction(m_frame.get(), QStringLiteral("mnuRecentFile0"))->isVisible());
        for (const char *name : {"a", "b", "c", "d", "e", "c", "C"})
            RememberFileName(QStringLiteral("/R&D/") + QLatin1String(name));
        closeFrame(m_frame);
        m_frame = startFrame();
        const QStringList expected{"/R&D/C", "/R&D/e", "/R&D/d", "/R&D/c"};
        QCOMPARE(StoredRecentFiles(), expected);
        // A menu shows "&&" as one "&" and takes no access key from it.
        const QAction *last = findAction(m_frame.get(), QStringLiteral("mnuRecentFile3"));
        QVERIFY(last->isVisible());
        QCOMPARE(last->text(), QStringLiteral("/R&&D/c"));
    }

    // The command from a document's File menu, or ("frame") from the frame's with no document
    // open; "-" cancels its file question. A block written earlier is removed only when the
    // user agrees ("yes"/"no"), and its lines are not offered; a start marker on line 1 does
    // not count as such a block. The other steps answer the dialog, which a refused OK keeps
    // open. A null page stands for a folder; a message is its icon's letter and its text.
    void markersFollowTheChosenLine_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<int>("listed"); // 0: no dialog expected
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("shown");
        const auto lines = [](int from, int to) {
            const QByteArrayList all{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
            return TestFiles::joined(all.mid(from - 1, to - from + 1));
        };
        const QByteArray markers = OrderForm::ShortStart + "\r\n" + OrderForm::ShortEnd + "\r\n";
        const QByteArray block = TestFiles::joined(
            {OrderForm::Block.constFirst(), "<FORM>", "</FORM>", OrderForm::Block.constLast()});
        const QString set = QStringLiteral("I Form position set in file [%1].");
        const QString remove = "Q " + RemoveBlockQuestion();
        const QString refusal = "E Please select the line after which the form is to go.";
        const QString unreadable = QStringLiteral("C Unable to read the file [%1].\r\nLOAD: ");
        const QByteArray page = lines(1, 10), earlier = lines(1, 2) + block + lines(3, 4);
        QTest::newRow("no selection is refused")
            << page << "cmdOK 4 cmdOK" << 10 << lines(1, 4) + markers + lines(5, 10)
            << QStringList{refusal, set};
        QTest::newRow("from the frame, start marker on line 1, last line")
            << block + page << "frame 14 cmdOK" << 14 << block + page + markers << QStringList{set};
        QTest::newRow("file question cancelled") << page << "-" << 0 << page << QStringList();
        QTest::newRow("earlier block kept")
            << earlier << "no" << 0 << earlier << QStringList{remove};
        QTest::newRow("earlier block removed, OK refused, cancelled")
            << earlier << "yes cmdOK 2 cmdCancel" << 4 << earlier << QStringList{remove, refusal};
        QTest::newRow("earlier block removed")
            << earlier << "yes 3 cmdOK" << 4 << lines(1, 3) + markers + lines(4, 4)
            << QStringList{remove, set};
        QTest::newRow("empty page")
            << QByteArray("") << "" << 0 << QByteArray()
            << QStringList{unreadable + "File does not exist or is zero bytes"};
        QTest::newRow("folder") << QByteArray() << "" << 0 << QByteArray()
                                << QStringList{unreadable + "Is a directory"};
    }
    void markersFollowTheChosenLine()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, answers);
        QFETCH(int, listed);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, shown);
        const QString file = page.isNull() ? m_dir.path() : path("page.htm");
        QVERIFY(page.isNull() || TestFiles::write(file, page));
        QStringList steps = answers.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const bool fromFrame = steps.removeAll(QStringLiteral("frame")) > 0;
        if (fromFrame) {
            m_form->mnuFileClose_Click();
            QTRY_COMPARE(openForms(*m_frame).size(), 0);
        }
        Prompter::queueAnswer(steps.removeAll(QStringLiteral("-")) > 0 ? QString() : file);
        if (steps.value(0) == "yes" || steps.value(0) == "no")
            Prompter::queueAnswer(steps.takeFirst() == "yes" ? QMessageBox::Yes : QMessageBox::No);
        if (!steps.isEmpty())
            whenModal<frmFileViewer>([steps, listed](frmFileViewer *viewer) {
                QCOMPARE(viewer->lstViewer->count(), listed);
                for (const QString &step : steps) {
                    QVERIFY(viewer->isVisible()); // a refused OK left it open
                    doSteps(viewer, step);
                }
            });
        QObject *menus = fromFrame ? static_cast<QObject *>(m_frame.get()) : m_form;
        QVERIFY(triggerAction(menus, QStringLiteral("mnuFileSelectPos")));
        QCOMPARE(Prompter::pendingAnswers(), 0);
        QCOMPARE(page.isNull() ? QByteArray() : TestFiles::read(file), expected);
        QStringList messages;
        for (const Prompter::Shown &message : Prompter::shown())
            messages << QChar::fromLatin1("-CEQI"[int(message.icon)]) + (' ' + message.text);
        QCOMPARE(messages, shown.replaceInStrings(QStringLiteral("%1"), file));
    }
};

QTEST_MAIN(tst_Lifecycle)
#include "tst_lifecycle.moc"
