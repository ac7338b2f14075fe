// Nothing lost: recovery copies of unsaved changes, their offer at the next start, files
// changed by another program while open, and the end of a session on a signal.
#include "GuiTestSupport.h"

#include "RecoveryStore.h"
#include "TestFiles.h"
#include "WebFormFile.h"
#include "document/DocumentGuard.h"
#include "document/DocumentRecovery.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace GuiTest;

namespace {

// A Web Form File with one Text Field named `name`.
QByteArray formFile(const QByteArray &name)
{
    return TestFiles::joined({"", "", "False", DefaultMediaType, "Submit", "Reset", "Text Field",
                              name, "", "", "", "", "", "", "[EOF]"});
}

QByteArray firstName(const QByteArray &wfm)
{
    return wfm.isEmpty() ? QByteArray() : ParseWebFormFile(wfm).rows.at(0)[ColName];
}

QStringList files(const QString &pattern)
{
    return QDir(RecoveryStore::DefaultFolder()).entryList({pattern}, QDir::Files, QDir::Name);
}

// An edit as the Edit Item command makes it: one step of the window's history.
void nameFirstItem(frmWebForm *form, const QByteArray &name)
{
    form->recordStep(QStringLiteral("Edit Item"), [form, &name] {
        if (form->grid().text(1, ColType).isEmpty())
            form->grid().setText(1, ColType, "Text Field");
        form->grid().setText(1, ColName, name);
    });
    form->UpdateForm();
}

} // namespace

class tst_Recovery : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<frmDesign> m_frame;

private slots:
    void init() { resetSettings(); }
    void cleanup() { closeFrame(m_frame); }

    // A changed document gets its copy a few seconds after the change (or at once when the
    // session ends); saving, closing without saving and a clean exit remove it, the end of
    // a session keeps it (and drops the preview file) for the next start.
    void copyLifecycle_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("copiesAfter");
        QTest::newRow("saved") << "save" << 0;
        QTest::newRow("closed without saving") << "close" << 0;
        QTest::newRow("clean exit") << "exit" << 0;
        QTest::newRow("session ended") << "session" << 1;
    }
    void copyLifecycle()
    {
        QFETCH(QString, ending);
        QFETCH(int, copiesAfter);
        const QString path = m_dir.filePath(QStringLiteral("saved.wfm"));
        m_frame = startFrame();
        frmWebForm *form = m_frame->activeForm();
        nameFirstItem(form, "typed");
        QVERIFY(form->guard().copyPending());
        QCOMPARE(files(QStringLiteral("*.wfm")).size(), 0);
        if (ending == QLatin1String("session")) {
            const QString preview = form->PreviewFile;
            QVERIFY(QFile::exists(preview));
            m_frame->EndSession(); // before the copy's timer ran out
            QVERIFY(!QFile::exists(preview));
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(files(QStringLiteral("*.wfm")).size(), 1,
                                      DocumentGuard::CopyDelayMs + 2000);
        }
        const QStringList copy = files(QStringLiteral("*.wfm"));
        QCOMPARE(copy.size(), 1);
        QCOMPARE(TestFiles::read(RecoveryStore::DefaultFolder() + '/' + copy.at(0)),
                 FormatWebFormFile(form->info(), form->grid()));
        if (ending == QLatin1String("save")) {
            Prompter::queueAnswer(path);
            QVERIFY(triggerAction(form, QStringLiteral("mnuFileSave")));
            QCOMPARE(firstName(TestFiles::read(path)), QByteArray("typed"));
        } else if (ending == QLatin1String("close")) {
            Prompter::queueAnswer(QMessageBox::No);
            QVERIFY(triggerAction(form, QStringLiteral("mnuFileClose")));
        } else if (ending == QLatin1String("exit")) {
            Prompter::queueAnswer(QMessageBox::No);
            QVERIFY(m_frame->close());
            QCOMPARE(files(QStringLiteral("*")), QStringList()); // the lock went too
        } else {
            QCOMPARE(Prompter::shown().size(), 0); // no question at all
            m_frame.reset(); // as the program does after the event loop was left
        }
        QCOMPARE(Prompter::pendingAnswers(), 0);
        QCOMPARE(files(QStringLiteral("*.wfm")).size(), copiesAfter);
        if (copiesAfter) {
            RecoveryStore next(RecoveryStore::DefaultFolder());
            const QList<RecoveryCopy> orphans = next.orphans();
            QCOMPARE(orphans.size(), 1);
            QVERIFY(orphans.at(0).originalPath.isEmpty());
            QCOMPARE(orphans.at(0).contents.rows.at(0)[ColName], QByteArray("typed"));
        }
    }

    // Copies left by a program that is gone are offered in one question at the next start:
    // Yes opens them as changed documents under their old names (and no wizard), No
    // deletes them; a running program's copies are never offered.
    void startupOffer_data()
    {
        QTest::addColumn<QStringList>("paths"); // of the dead program's copies; "" untitled
        QTest::addColumn<bool>("running");      // another program keeps a copy as well
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("copiesLeft");
        const QStringList two{QStringLiteral("/forms/order.wfm"), QString()};
        QTest::newRow("restored") << two << false << int(QMessageBox::Yes)
                                  << QStringList{"/forms/order.wfm", "Untitled:2"} << true << 2;
        QTest::newRow("declined") << two << true << int(QMessageBox::No)
                                  << QStringList{"Untitled:1"} << false << 1;
        QTest::newRow("only a running program's")
            << QStringList() << true << 0 << QStringList{"Untitled:1"} << false << 1;
        QTest::newRow("none") << QStringList() << false << 0 << QStringList{"Untitled:1"} << false
                              << 0;
    }
    void startupOffer()
    {
        QFETCH(QStringList, paths);
        QFETCH(bool, running);
        QFETCH(int, answer);
        QFETCH(QStringList, captions);
        QFETCH(bool, changed);
        QFETCH(int, copiesLeft);
        ItemGrid grid;
        WebFormInfo info;
        info.setNewDocumentProperties();
        {
            RecoveryStore dead(RecoveryStore::DefaultFolder());
            for (int i = 0; i < paths.size(); ++i) {
                grid.setText(1, ColName, "item" + QByteArray::number(i));
                QVERIFY(dead.save(i + 4, info, grid, NativePath(paths.at(i))).isEmpty());
            }
        }
        RecoveryStore other(RecoveryStore::DefaultFolder());
        if (running)
            QVERIFY(other.save(1, info, grid, NativePath()).isEmpty());
        if (answer)
            Prompter::queueAnswer(answer);
        // Restored documents stand in for the wizard, which would show a dialog.
        SettingsStore::setDisplayWizard(answer == QMessageBox::Yes);
        bool wizardShown = false;
        whenModal<QDialog>([&wizardShown](QDialog *dialog) {
            wizardShown = true;
            dialog->reject();
        });
        m_frame = startFrame();
        discardPendingModals();
        QVERIFY(!wizardShown);
        QCOMPARE(Prompter::pendingAnswers(), 0);
        if (answer) {
            QCOMPARE(lastMessage(),
                     QStringLiteral("Tabrino ended without saving the changes to these forms:"
                                    "\r\n\r\n[/forms/order.wfm]\r\n[Untitled]\r\n\r\nDo you want "
                                    "to restore them? If you answer No, the changes are "
                                    "deleted."));
        }
        QCOMPARE(GuiTest::captions(*m_frame), captions);
        const QList<frmWebForm *> forms = openForms(*m_frame);
        for (int i = 0; i < forms.size(); ++i) {
            QCOMPARE(forms.at(i)->isWindowModified(), changed);
            QCOMPARE(forms.at(i)->info().Changed, changed);
            if (changed) {
                QCOMPARE(forms.at(i)->grid().text(1, ColName), "item" + QByteArray::number(i));
                QVERIFY(!forms.at(i)->guard().copyPending()); // the adopted copy is current
            }
        }
        QCOMPARE(files(QStringLiteral("*.wfm")).size(), copiesLeft);
        closeFrame(m_frame);
        QCOMPARE(files(QStringLiteral("*.wfm")).size(), running ? 1 : 0);
    }

    // A restored document's file counts as read when the copy is newer than it, and as
    // changed by another program (Save asks) when it was written after the copy.
    void restoredFile_data()
    {
        QTest::addColumn<int>("fileAge"); // seconds after the copy; 0: there is no file
        QTest::addColumn<bool>("asks");
        QTest::newRow("older than the copy") << -60 << false;
        QTest::newRow("written after the copy") << 60 << true;
        QTest::newRow("no file") << 0 << false;
    }
    void restoredFile()
    {
        QFETCH(int, fileAge);
        QFETCH(bool, asks);
        const QString path = m_dir.filePath(QStringLiteral("restored.wfm"));
        QFile::remove(path);
        m_frame = startFrame();
        ItemGrid grid;
        WebFormInfo info;
        info.setNewDocumentProperties();
        grid.setText(1, ColName, "ours");
        QVERIFY(RecoveryStore(RecoveryStore::DefaultFolder()).save(1, info, grid, path).isEmpty());
        const QList<RecoveryCopy> copies = m_frame->recoveryStore()->orphans();
        QCOMPARE(copies.size(), 1);
        if (fileAge) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(formFile("theirs")) > 0 &&
                    file.flush());
            QVERIFY(
                file.setFileTime(QFileInfo(copies.at(0).copyFile).lastModified().addSecs(fileAge),
                                 QFileDevice::FileModificationTime));
        }
        frmWebForm *form = RestoreWebForm(copies.at(0), *m_frame->recoveryStore());
        QCOMPARE(form->Caption(), path);
        if (asks)
            Prompter::queueAnswer(QMessageBox::Yes);
        QVERIFY(triggerAction(form, QStringLiteral("mnuFileSave")));
        QCOMPARE(Prompter::pendingAnswers(), 0);
        QCOMPARE(firstName(TestFiles::read(path)), QByteArray("ours"));
    }

    // A file another program changed while it is open: Save asks before writing over it,
    // and a window brought forward offers to reload it, once for each state of the file.
    void externalChange_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("disk"); // what the other program did
        QTest::addColumn<bool>("ours");    // the window has unsaved changes
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QByteArray>("fileAfter");
        QTest::addColumn<QByteArray>("gridAfter");
        QTest::addColumn<bool>("changedAfter");
        const QString overwrite = QStringLiteral(
            "The file [%1] has been changed by another program since it was opened or saved "
            "here.\r\nDo you want to save over it and lose those changes?");
        const QString reload = QStringLiteral(
            "The file [%1] has been changed by another program.\r\nDo you want to reload it");
        const int yes = QMessageBox::Yes;
        const int no = QMessageBox::No;
        QTest::newRow("save, file as read") << "save"
                                            << "none" << true << 0 << QString()
                                            << QByteArray("ours") << QByteArray("ours") << false;
        QTest::newRow("save over a changed file")
            << "save"
            << "rewrite" << true << yes << overwrite << QByteArray("ours") << QByteArray("ours")
            << false;
        QTest::newRow("save refused") << "save"
                                      << "rewrite" << true << no << overwrite
                                      << QByteArray("theirs") << QByteArray("ours") << true;
        QTest::newRow("save, file deleted") << "save"
                                            << "delete" << true << 0 << QString()
                                            << QByteArray("ours") << QByteArray("ours") << false;
        QTest::newRow("activate, reloaded")
            << "activate"
            << "rewrite" << true << yes << reload + " and lose your changes?"
            << QByteArray("theirs") << QByteArray("theirs") << false;
        QTest::newRow("activate, kept")
            << "activate"
            << "rewrite" << true << no << reload + " and lose your changes?" << QByteArray("theirs")
            << QByteArray("ours") << true;
        QTest::newRow("activate, unchanged window")
            << "activate"
            << "rewrite" << false << yes << reload + "?" << QByteArray("theirs")
            << QByteArray("theirs") << false;
        QTest::newRow("activate, file as read")
            << "activate"
            << "none" << true << 0 << QString() << QByteArray("first") << QByteArray("ours")
            << true;
        QTest::newRow("activate, file deleted")
            << "activate"
            << "delete" << true << 0 << QString() << QByteArray() << QByteArray("ours") << true;
    }
    void externalChange()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, disk);
        QFETCH(bool, ours);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(QByteArray, fileAfter);
        QFETCH(QByteArray, gridAfter);
        QFETCH(bool, changedAfter);
        const QString path = m_dir.filePath(QStringLiteral("form.wfm"));
        QVERIFY(TestFiles::write(path, formFile("first")));
        m_frame = startFrame({path});
        frmWebForm *form = m_frame->activeForm();
        frmWebForm *other = FormWindow(NewWebForm());
        QVERIFY(other);
        if (ours)
            nameFirstItem(form, "ours");
        if (disk == QLatin1String("rewrite"))
            QVERIFY(TestFiles::write(path, formFile("theirs")));
        else if (disk == QLatin1String("delete"))
            QVERIFY(QFile::remove(path));
        if (answer)
            Prompter::queueAnswer(answer);
        const auto bringForward = [this, form, other] {
            m_frame->mdiArea()->setActiveSubWindow(other->subWindow());
            m_frame->mdiArea()->setActiveSubWindow(form->subWindow());
            QTest::qWait(50); // the check runs once the switch is done
        };
        if (trigger == QLatin1String("save"))
            QVERIFY(triggerAction(form, QStringLiteral("mnuFileSave")));
        else
            bringForward();
        QCOMPARE(Prompter::pendingAnswers(), 0);
        QCOMPARE(lastMessage(), question.isEmpty() ? QString() : question.arg(path));
        QCOMPARE(firstName(TestFiles::read(path)), fileAfter);
        QCOMPARE(form->grid().text(1, ColName), gridAfter);
        QCOMPARE(form->isWindowModified(), changedAfter);
        // A reloaded file starts a new history: no step of ours applies to its rows.
        QCOMPARE(form->history()->canUndo(), ours && gridAfter == "ours");
        // The same state of the file is never asked about twice.
        Prompter::clearShown();
        bringForward();
        QCOMPARE(Prompter::shown().size(), 0);
    }
};

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
