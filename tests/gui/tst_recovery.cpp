// Nothing lost: recovery copies of unsaved changes, their offer at the next start, files
// changed by another program while open, and the end of a session on a signal.
#include "GuiTestSupport.h"

#include "RecoveryStore.h"
#include "TestFiles.h"
#include "WebFormFile.h"
#include "document/DocumentGuard.h"
#include "document/DocumentRecovery.h"

#include <QDialog>
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

QStringList files(const QString &pattern = QStringLiteral("*.wfm"))
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

class tst_Recovery : public FrameTest
{
    Q_OBJECT

private slots:
    void init() { startTest(false); }
    void cleanup() { closeFrame(m_frame); }

    // A changed document gets its copy a few seconds after the change; saving, closing
    // without saving and a clean exit remove it, the exit the lock as well.
    void copyGoesWithTheChanges()
    {
        m_frame = startFrame();
        const QList<frmWebForm *> forms{m_frame->activeForm(), FormWindow(NewWebForm()),
                                        FormWindow(NewWebForm())};
        for (frmWebForm *form : forms) {
            nameFirstItem(form, "typed");
            QVERIFY(form->guard().copyPending());
        }
        QCOMPARE(files().size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(files().size(), 3, DocumentGuard::CopyDelayMs + 2000);
        QCOMPARE(TestFiles::read(RecoveryStore::DefaultFolder() + '/' + files().at(0)),
                 FormatWebFormFile(forms.at(0)->info(), forms.at(0)->grid()));
        const QString saved = path(QStringLiteral("saved.wfm"));
        Prompter::queueAnswer(saved);
        QVERIFY(triggerAction(forms.at(0), QStringLiteral("mnuFileSave")));
        QCOMPARE(firstName(TestFiles::read(saved)), QByteArray("typed"));
        QCOMPARE(files().size(), 2);
        Prompter::queueAnswer(QMessageBox::No);
        QVERIFY(triggerAction(forms.at(1), QStringLiteral("mnuFileClose")));
        QCOMPARE(files().size(), 1);
        Prompter::queueAnswer(QMessageBox::No);
        QVERIFY(m_frame->close());
        QCOMPARE(Prompter::pendingAnswers(), 0);
        QCOMPARE(files(QStringLiteral("*")), QStringList());
    }

    // The end of a session writes the copy at once, asks nothing, drops the preview file
    // and leaves the copy for the next start.
    void sessionEndKeepsTheCopy()
    {
        m_frame = startFrame();
        frmWebForm *form = m_frame->activeForm();
        nameFirstItem(form, "typed");
        const QString preview = form->PreviewFile;
        QVERIFY(QFile::exists(preview));
        m_frame->EndSession(); // before the copy's timer ran out
        QVERIFY(!QFile::exists(preview));
        QCOMPARE(Prompter::shown().size(), 0);
        QCOMPARE(files().size(), 1);
        QCOMPARE(TestFiles::read(RecoveryStore::DefaultFolder() + '/' + files().at(0)),
                 FormatWebFormFile(form->info(), form->grid()));
        m_frame.reset(); // as the program does after the event loop was left
        const QList<RecoveryCopy> left = RecoveryStore(RecoveryStore::DefaultFolder()).orphans();
        QCOMPARE(left.size(), 1);
        QVERIFY(left.at(0).originalPath.isEmpty()); // untitled
    }

    // Copies left by a program that is gone are offered in one question at the next start:
    // Yes opens them as changed documents under their old names (and no wizard), No
    // deletes them; a running program's copies are never offered.
    void startupOffer_data()
    {
        QTest::addColumn<bool>("dead");    // a program that is gone left two copies
        QTest::addColumn<bool>("running"); // another program keeps a copy as well
        QTest::addColumn<int>("answer");
        QTest::newRow("restored") << true << false << int(QMessageBox::Yes);
        QTest::newRow("declined") << true << true << int(QMessageBox::No);
        QTest::newRow("only a running program's") << false << true << 0;
    }
    void startupOffer()
    {
        QFETCH(bool, dead);
        QFETCH(bool, running);
        QFETCH(int, answer);
        const bool restored = answer == QMessageBox::Yes;
        ItemGrid grid;
        WebFormInfo info;
        info.setNewDocumentProperties();
        {
            RecoveryStore gone(RecoveryStore::DefaultFolder());
            const QStringList paths{QStringLiteral("/forms/order.wfm"), QString()};
            for (int i = 0; dead && i < paths.size(); ++i) {
                grid.setText(1, ColName, "item" + QByteArray::number(i));
                QVERIFY(gone.save(i + 4, info, grid, NativePath(paths.at(i))).isEmpty());
            }
        }
        RecoveryStore other(RecoveryStore::DefaultFolder());
        if (running)
            QVERIFY(other.save(1, info, grid, NativePath()).isEmpty());
        if (answer)
            Prompter::queueAnswer(answer);
        // Restored documents stand in for the wizard, which would show a dialog.
        SettingsStore::setDisplayWizard(answer == QMessageBox::Yes);
        whenModal<QDialog>([](QDialog *dialog) { dialog->reject(); });
        m_frame = startFrame();
        QCOMPARE(discardPendingModals(), 1); // no dialog came
        QCOMPARE(Prompter::pendingAnswers(), 0);
        if (answer) {
            QCOMPARE(lastMessage(),
                     QStringLiteral("Tabrino ended without saving the changes to these forms:"
                                    "\r\n\r\n[/forms/order.wfm]\r\n[Untitled]\r\n\r\nDo you want "
                                    "to restore them? If you answer No, the changes are "
                                    "deleted."));
        }
        const QStringList captions =
            restored ? QStringList{"/forms/order.wfm", "Untitled:2"} : QStringList{"Untitled:1"};
        QCOMPARE(GuiTest::captions(*m_frame), captions);
        const QList<frmWebForm *> forms = openForms(*m_frame);
        for (int i = 0; i < forms.size(); ++i) {
            QCOMPARE(forms.at(i)->isWindowModified(), restored);
            QCOMPARE(forms.at(i)->info().Changed, restored);
            if (restored) {
                QCOMPARE(forms.at(i)->grid().text(1, ColName), "item" + QByteArray::number(i));
                QVERIFY(!forms.at(i)->guard().copyPending()); // the adopted copy is current
            }
        }
        QCOMPARE(files().size(), (restored ? 2 : 0) + (running ? 1 : 0));
        closeFrame(m_frame);
        QCOMPARE(files().size(), running ? 1 : 0);
    }

    // A file another program changed while it is open: Save asks before writing over it,
    // and a window brought forward offers to reload it, once for each state of the file.
    // A document restored from a recovery copy takes its file as read when the copy is
    // newer than it, and as changed (Save asks) when the file was written after the copy.
    void externalChange_data()
    {
        // trigger, what the other program did, whether the window has unsaved changes, the
        // answer; then the file's first name, the grid's and the changed flag afterwards.
        QTest::addColumn<QString>("steps");
        const QList<QPair<const char *, QString>> rows{
            {"save, file as read", "save none ours - : ours ours saved"},
            {"save over a changed file", "save rewrite ours yes : ours ours saved"},
            {"save refused", "save rewrite ours no : theirs ours changed"},
            {"save, file deleted", "save delete ours - : ours ours saved"},
            {"activate, reloaded", "activate rewrite ours yes : theirs theirs saved"},
            {"activate, kept", "activate rewrite ours no : theirs ours changed"},
            {"activate, unchanged window", "activate rewrite - yes : theirs theirs saved"},
            {"activate, file as read", "activate none ours - : first ours changed"},
            {"activate, file deleted", "activate delete ours - : - ours changed"},
            {"restored, file older than the copy", "restore older ours - : ours ours saved"},
            {"restored, file written after the copy", "restore newer ours yes : ours ours saved"},
            {"restored, no file", "restore delete ours - : ours ours saved"}};
        for (const auto &[name, steps] : rows)
            QTest::newRow(name) << steps;
    }
    void externalChange()
    {
        QFETCH(QString, steps);
        const QStringList w = steps.split(QLatin1Char(' '));
        const QString trigger = w.at(0);
        const QString disk = w.at(1);
        const bool ours = w.at(2) == "ours";
        const QString answer = w.at(3);
        const QString path = m_dir.filePath(QStringLiteral("form.wfm"));
        QVERIFY(TestFiles::write(path, formFile("first")));
        m_frame = trigger == "restore" ? startFrame() : startFrame({path});
        frmWebForm *form = m_frame->activeForm();
        if (disk == "rewrite")
            QVERIFY(TestFiles::write(path, formFile("theirs")));
        else if (disk == "delete")
            QVERIFY(QFile::remove(path));
        if (trigger == "restore") {
            ItemGrid grid;
            WebFormInfo info;
            info.setNewDocumentProperties();
            grid.setText(1, ColName, "ours");
            QVERIFY(
                RecoveryStore(RecoveryStore::DefaultFolder()).save(1, info, grid, path).isEmpty());
            const QList<RecoveryCopy> copies = m_frame->recoveryStore()->orphans();
            QCOMPARE(copies.size(), 1);
            const QDateTime copied = QFileInfo(copies.at(0).copyFile).lastModified();
            QFile file(path);
            if (disk != "delete")
                QVERIFY(file.open(QIODevice::ReadWrite) &&
                        file.setFileTime(copied.addSecs(disk == "newer" ? 60 : -60),
                                         QFileDevice::FileModificationTime));
            form = RestoreWebForm(copies.at(0), *m_frame->recoveryStore());
            QCOMPARE(form->Caption(), path);
        } else if (ours) {
            nameFirstItem(form, "ours");
        }
        frmWebForm *other = FormWindow(NewWebForm());
        QVERIFY(other);
        if (answer != "-")
            Prompter::queueAnswer(answer == "yes" ? QMessageBox::Yes : QMessageBox::No);
        const auto bringForward = [this, form, other] {
            m_frame->mdiArea()->setActiveSubWindow(other->subWindow());
            m_frame->mdiArea()->setActiveSubWindow(form->subWindow());
            QTest::qWait(50); // the check runs once the switch is done
        };
        if (trigger == "activate")
            bringForward();
        else
            QVERIFY(triggerAction(form, QStringLiteral("mnuFileSave")));
        QCOMPARE(Prompter::pendingAnswers(), 0);
        const QString changed =
            QStringLiteral("The file [%1] has been changed by another program").arg(path);
        QString question;
        if (answer != "-" && trigger == "activate")
            question = changed + ".\r\nDo you want to reload it" +
                       (ours ? " and lose your changes?" : "?");
        else if (answer != "-")
            question = changed + " since it was opened or saved here.\r\nDo you want to save "
                                 "over it and lose those changes?";
        QCOMPARE(lastMessage(), question);
        QCOMPARE(firstName(TestFiles::read(path)),
                 w.at(5) == "-" ? QByteArray() : w.at(5).toLatin1());
        QCOMPARE(form->grid().text(1, ColName), w.at(6).toLatin1());
        QCOMPARE(form->isWindowModified(), w.at(7) == "changed");
        // A reloaded file starts a new history: no step of ours applies to its rows.
        QCOMPARE(form->history()->canUndo(), ours && trigger != "restore" && w.at(6) == "ours");
        // The same state of the file is never asked about twice.
        Prompter::clearShown();
        bringForward();
        QCOMPARE(Prompter::shown().size(), 0);
    }
};

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
