// Nothing lost: recovery copies of unsaved changes, their offer at the next start, and files
// changed by another program while open (a session ended by a signal: e2e_recovery).
#include "GuiTestSupport.h"

#include "TestFiles.h"
#include "WebFormFile.h"
#include "document/DocumentGuard.h"
#include "document/DocumentRecovery.h"

#include <QUndoStack>

using namespace GuiTest;

namespace {

// A Web Form File with one Text Field named `name`.
QByteArray formFile(const QByteArray &name)
{
    return TestFiles::joined({"", "", "False", DefaultMediaType, "Submit", "Reset", "Text Field",
                              name, "", "", "", "", "", "", "[EOF]"});
}

// The name of the first item in a Web Form File, "-" for no file.
QByteArray firstName(const QByteArray &wfm)
{
    return wfm.isEmpty() ? QByteArray("-") : ParseWebFormFile(wfm).rows.at(0)[ColName];
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

    // A changed document gets its copy (naming no file when untitled) a few seconds after
    // the change; saving, closing without saving and a clean exit remove it, the exit the lock too.
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
        const QString pathFile = files(QStringLiteral("*.path")).at(0);
        QCOMPARE(TestFiles::read(RecoveryStore::DefaultFolder() + '/' + pathFile), QByteArray());
        const QString saved = path(QStringLiteral("saved.wfm"));
        Prompter::queueAnswer(saved);
        QVERIFY(triggerAction(forms.at(0), QStringLiteral("mnuFileSave")));
        QCOMPARE(files().size(), 2);
        Prompter::queueAnswer(QMessageBox::No);
        QVERIFY(triggerAction(forms.at(1), QStringLiteral("mnuFileClose")));
        QCOMPARE(files().size(), 1);
        Prompter::queueAnswer(QMessageBox::No);
        QVERIFY(m_frame->close());
        QCOMPARE(Prompter::pendingAnswers(), 0);
        QCOMPARE(files(QStringLiteral("*")), QStringList());
    }

    // Copies left by a program that is gone are offered in one question at the next start,
    // naming their files: Yes opens them as changed documents under their old names (and no
    // wizard), No deletes them.
    void startupOffer_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("restored") << true;
        QTest::newRow("declined") << false;
    }
    void startupOffer()
    {
        QFETCH(bool, restore);
        {
            RecoveryStore gone(RecoveryStore::DefaultFolder());
            ItemGrid grid;
            for (const int i : {0, 1}) {
                grid.setText(1, ColName, "item" + QByteArray::number(i));
                const NativePath file(i ? QString() : QStringLiteral("/forms/order.wfm"));
                QVERIFY(gone.save(i + 4, WebFormInfo(), grid, file).isEmpty());
            }
        }
        Prompter::queueAnswer(restore ? QMessageBox::Yes : QMessageBox::No);
        // Restored documents stand in for the wizard, which would show a dialog.
        SettingsStore::setDisplayWizard(restore);
        whenModal<QDialog>([](QDialog *dialog) { dialog->reject(); });
        m_frame = startFrame();
        QCOMPARE(discardPendingModals(), 1); // no dialog came
        QVERIFY(lastMessage().contains(QStringLiteral("\r\n[/forms/order.wfm]\r\n[Untitled]\r\n")));
        const QStringList restored{"/forms/order.wfm", "Untitled:2"};
        QCOMPARE(captions(*m_frame), restore ? restored : QStringList{"Untitled:1"});
        const QList<frmWebForm *> forms = openForms(*m_frame);
        for (int i = 0; restore && i < forms.size(); ++i) {
            QVERIFY(forms.at(i)->isWindowModified() && forms.at(i)->info().Changed);
            QCOMPARE(forms.at(i)->grid().text(1, ColName), "item" + QByteArray::number(i));
            QVERIFY(!forms.at(i)->guard().copyPending()); // the adopted copy is current
        }
        QCOMPARE(files().size(), restore ? 2 : 0);
        closeFrame(m_frame);
        QCOMPARE(files().size(), 0);
    }

    // A file another program changed while it is open: Save asks before writing over it,
    // and a window brought forward offers to reload it, once for each state of the file. A
    // restored document takes its file as read unless it was written after the copy.
    void externalChange_data()
    {
        // trigger, what the other program did, whether the window has unsaved changes, the
        // answer; then the file's first name, the grid's and the changed flag afterwards.
        QTest::addColumn<QString>("steps");
        QTest::newRow("save, file as read") << "save none ours - : ours ours saved";
        QTest::newRow("save over a changed file") << "save rewrite ours yes : ours ours saved";
        QTest::newRow("save refused") << "save rewrite ours no : theirs ours changed";
        QTest::newRow("save, file deleted") << "save delete ours - : ours ours saved";
        QTest::newRow("activate, reloaded") << "activate rewrite ours yes : theirs theirs saved";
        QTest::newRow("activate, kept") << "activate rewrite ours no : theirs ours changed";
        QTest::newRow("activate, no changes") << "activate rewrite - yes : theirs theirs saved";
        QTest::newRow("activate, file as read") << "activate none ours - : first ours changed";
        QTest::newRow("activate, file deleted") << "activate delete ours - : - ours changed";
        QTest::newRow("restored, file older") << "restore older ours - : ours ours saved";
        QTest::newRow("restored, file written later") << "restore newer ours yes : ours ours saved";
        QTest::newRow("restored, no file") << "restore delete ours - : ours ours saved";
    }
    void externalChange()
    {
        QFETCH(QString, steps);
        const QStringList w = steps.split(QLatin1Char(' '));
        const bool restore = w.at(0) == "restore";
        const bool ours = w.at(2) == "ours";
        const QString file = path(QStringLiteral("form.wfm"));
        QVERIFY(TestFiles::write(file, formFile("first")));
        m_frame = restore ? startFrame() : startFrame({file});
        frmWebForm *form = m_frame->activeForm();
        if (w.at(1) == "rewrite")
            QVERIFY(TestFiles::write(file, formFile("theirs")));
        else if (w.at(1) == "delete")
            QVERIFY(QFile::remove(file));
        if (ours)
            nameFirstItem(form, "ours");
        if (restore) { // a copy of the untitled document, made for the file
            RecoveryStore(RecoveryStore::DefaultFolder()).save(1, form->info(), form->grid(), file);
            QTest::qWait(20); // a tick of the file system's clock
            if (w.at(1) == "newer")
                QVERIFY(TestFiles::write(file, formFile("first")));
            RecoveryStore &store = *m_frame->recoveryStore();
            form = RestoreWebForm(store.orphans().value(0), store);
            QCOMPARE(form->Caption(), file);
        }
        frmWebForm *other = FormWindow(NewWebForm());
        QVERIFY(other);
        if (w.at(3) != "-")
            Prompter::queueAnswer(w.at(3) == "yes" ? QMessageBox::Yes : QMessageBox::No);
        const auto bringForward = [this, form, other] {
            m_frame->mdiArea()->setActiveSubWindow(other->subWindow());
            m_frame->mdiArea()->setActiveSubWindow(form->subWindow());
            QTest::qWait(50); // the check runs once the switch is done
        };
        if (w.at(0) == "activate")
            bringForward();
        else
            QVERIFY(triggerAction(form, QStringLiteral("mnuFileSave")));
        QCOMPARE(Prompter::pendingAnswers(), 0);
        // The question names the file; only a reload asks to lose the window's changes.
        const QString question = w.at(0) == "activate" ? DocumentGuard::ReloadQuestion(file, ours)
                                                       : DocumentGuard::OverwriteQuestion(file);
        QCOMPARE(lastMessage(), w.at(3) == "-" ? QString() : question);
        QCOMPARE(question.contains(QStringLiteral("lose your changes")),
                 w.at(0) == "activate" && ours);
        QCOMPARE(firstName(TestFiles::read(file)), w.at(5).toLatin1());
        QCOMPARE(form->grid().text(1, ColName), w.at(6).toLatin1());
        QCOMPARE(form->isWindowModified(), w.at(7) == "changed");
        // A reloaded file starts a new history: no step of ours applies to its rows.
        QCOMPARE(form->history()->canUndo(), ours && !restore && w.at(6) == "ours");
        // The same state of the file is never asked about twice.
        Prompter::clearShown();
        bringForward();
        QCOMPARE(Prompter::shown().size(), 0);
    }
};

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
