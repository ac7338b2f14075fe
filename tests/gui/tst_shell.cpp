// The main frame: start-up, the menu bars and the toolbar with their keys and enabling, the
// slot limit, the window list, the keyboard after a switch and shutdown.
#include "GuiTestSupport.h"

#include "TestFiles.h"
#include "document/CommandActions.h"
#include "ui/ItemGridView.h"

#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QToolBar>
#include <QWebEngineView>

using namespace GuiTest;

namespace {

// A menu bar as "File: New=Ctrl+N Open=Ctrl+O Close ...", each menu as it opens: its entries
// by name less "mnu" and the menu's name (window list entries by text), with their keys, "*"
// when checked and in lower case when disabled; "-" a separator.
QString entriesOf(QWidget *menuBar)
{
    QStringList entries;
    for (QAction *menu : menuBar->actions()) {
        const QString prefix = menu->menu()->objectName();
        emit menu->menu()->aboutToShow();
        entries << prefix.mid(3) + ':';
        for (QAction *entry : menu->menu()->actions()) {
            QString name = entry->objectName().remove(prefix).remove("mnu");
            if (name == QLatin1String("windowListEntry"))
                name = entry->text();
            const QString keys = QKeySequence::listToString(entry->shortcuts()).replace("; ", ",");
            entries << (entry->isSeparator() ? QStringLiteral("-")
                                             : (entry->isEnabled() ? name : name.toLower()) +
                                                   (keys.isEmpty() ? "" : '=' + keys) +
                                                   (entry->isChecked() ? "*" : ""));
        }
    }
    return entries.join(QLatin1Char(' '));
}

// How many of the toolbar's buttons are enabled.
int enabledButtons(const frmDesign &frame)
{
    const QList<QAction *> actions = frame.tbrDesign()->actions();
    return int(std::count_if(actions.begin(), actions.end(), [](const QAction *action) {
        return action->isEnabled() && !action->isSeparator();
    }));
}

} // namespace

class tst_Shell : public FrameTest
{
    Q_OBJECT

private slots:
    void init() { startTest(false); }
    void cleanup() { closeFrame(m_frame); }

    // The command line names the file to open: unquoted arguments with spaces are joined by
    // one space. A file that cannot be read is named in a message; a new document opens.
    void startUp()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("my forms")));
        QVERIFY(TestFiles::write(path("my forms/order form.wfm"), OrderForm::wfm("o.htm")));
        SettingsStore::setDisplayWizard(true); // not shown once a file is open
        m_frame = startFrame({"my", "forms/order", "form.wfm"}, m_dir.path());
        QCOMPARE(captions(*m_frame), QStringList{path("my forms/order form.wfm")});
        QCOMPARE(m_frame->activeForm()->grid().rows(), 3); // its two items
        QCOMPARE(m_frame->activeForm()->info().SubmitText, "Send");
        QVERIFY(!m_frame->activeForm()->info().Changed);
        closeFrame(m_frame);
        SettingsStore::setDisplayWizard(false);
        m_frame = startFrame({"\"missing.wfm\""}, m_dir.path());
        QCOMPARE(captions(*m_frame), QStringList{"Untitled:1"});
        QCOMPARE(m_frame->activeForm()->grid().rows(), 2); // the placeholder
        QCOMPARE(Prompter::shown().size(), 1);
        QCOMPARE(lastMessage().section(QStringLiteral("\r\n"), 0, 0), "Unable to open the file.");
    }

    // The menu bars' entries, keys, check marks and enabling, and the toolbar's. The frame
    // shows the active window's menu bar, or its own with none open, when only the commands
    // that need no document and the toolbar's New and Open are enabled. Every View menu
    // shows whether the toolbar is on.
    void menusAndToolbar()
    {
        m_frame = startFrame();
        QCOMPARE(
            entriesOf(m_frame->activeForm()->menuBar()),
            "File: New=Ctrl+N Open=Ctrl+O Close Save=Ctrl+S SaveAs - Convert=Ctrl+E "
            "SelectPos Properties=Ctrl+P - Wizard - Exit - recentfile0 recentfile1 recentfile2 "
            "recentfile3 Edit: undo=Ctrl+Z redo=Ctrl+Shift+Z,Ctrl+Y - Item=F4 - "
            "Cut=Ctrl+X Copy=Ctrl+C Paste=Ctrl+V Delete=Del - MoveUp=Alt+Up MoveDown=Alt+Down "
            "Insert: Label=Ctrl+F1 - Field1=Ctrl+F2 Field2=Ctrl+F3 Field3=Ctrl+F4 "
            "Field4=Ctrl+F5 - Select=Ctrl+F6 - Switch6=Ctrl+F7 Switch7=Ctrl+F8 - "
            "Image=Ctrl+F9 View: Toolbar* ResizeGrid* Highlight - Preview* Refresh=F5 "
            "Browser Window: Cascade Tile Arrange - &1 Untitled:1* Help: Contents - About");
        auto *stack = qobject_cast<QStackedWidget *>(m_frame->menuWidget());
        auto *own = m_frame->findChild<QMenuBar *>(QStringLiteral("frameMenuBar"));
        QVERIFY(triggerAction(m_frame->activeForm(), QStringLiteral("mnuFileClose")));
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QCOMPARE(stack->currentWidget(), own);
        const QString ownEntries = "File: New=Ctrl+N Open=Ctrl+O - SelectPos - Wizard - Exit - "
                                   "recentfile0 recentfile1 recentfile2 recentfile3 View: Toolbar* "
                                   "Help: Contents=F1 - About";
        QCOMPARE(entriesOf(own), ownEntries);
        const std::unique_ptr<QMenuBar> shared(CommandActions::instance()->documentMenuBar());
        QCOMPARE(
            entriesOf(shared.get()).split(' ').filter(QRegularExpression("^[A-Z]")),
            QString(
                "File: New=Ctrl+N Open=Ctrl+O SelectPos Wizard Exit Edit: Insert: View: Toolbar* "
                "Window: Help: Contents About")
                .split(' '));
        QCOMPARE(enabledButtons(*m_frame), 2); // New and Open

        QVERIFY(triggerAction(m_frame->tbrDesign(), QStringLiteral("NEWFILE")));
        QCOMPARE(enabledButtons(*m_frame), 19);
        QVERIFY(triggerAction(m_frame->activeForm(), QStringLiteral("mnuViewToolbar")));
        QVERIFY(!m_frame->isToolbarVisible());
        QCOMPARE(entriesOf(own), QString(ownEntries).replace("Toolbar*", "Toolbar"));
    }

    // A closed window's slot and caption go to the next new document; nine at most are open.
    // The window list shows each caption exactly: "&" is no access key. However a window
    // comes forward, from the window list or back from a dialog, the keyboard is on its grid,
    // also when it was on the preview before: otherwise Del, Ctrl+C and Ctrl+V act on the web
    // page. Exit asks about each changed document and stops at the first refusal; answered
    // No for each, the program ends.
    void windowsSlotsAndExit()
    {
        m_frame = startFrame();
        frmWebForm *first = m_frame->activeForm();
        NewWebForm();
        first->mnuWindowCascade_Click();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        for (const bool fromDialog : {false, true}) {
            m_frame->activateFormWindow(first);
            // As after a click into the preview; again until no late page load takes it back.
            QTRY_VERIFY((first->webPreview()->setFocus(),
                         first->webPreview()->isAncestorOf(QApplication::focusWidget())));
            if (fromDialog) {
                QDialog dialog(m_frame.get());
                whenModal<QDialog>([](QDialog *modal) { modal->reject(); });
                dialog.exec();
                m_frame->activateWindow(); // as the window manager does when the dialog goes
                QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
            } else {
                m_frame->mdiArea()->setActiveSubWindow(openForms(*m_frame).at(1)->subWindow());
                auto *window = m_frame->activeForm()->menuBar()->findChild<QMenu *>("mnuWindow");
                emit window->aboutToShow();
                window->actions().at(4)->trigger(); // "&1 Untitled:1"
            }
            QCOMPARE(m_frame->activeForm(), first);
            QCOMPARE(qobject_cast<QStackedWidget *>(m_frame->menuWidget())->currentWidget(),
                     first->menuBar()); // shown
            // At once: a later page load in the preview must not be what puts it right.
            QApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), first->flgForm());
        }
        const QString saved = path(QStringLiteral("R&D.wfm"));
        QVERIFY(SaveWebFormFile(first, saved));
        NewWebForm();
        openForms(*m_frame).at(1)->mnuFileClose_Click();
        QTRY_COMPARE(captions(*m_frame), (QStringList{saved, "Untitled:3"}));
        QVERIFY(Prompter::shown().isEmpty()); // unchanged: no question
        QCOMPARE(NewWebForm(), 2);
        QCOMPARE(entriesOf(m_frame->activeForm()->menuBar()).section(" Window: ", 1),
                 "Cascade Tile Arrange - &1 " + QString(saved).replace("&", "&&") +
                     " &2 Untitled:3 &3 Untitled:2* Help: Contents - About");

        for (int i = 4; i <= 9; ++i)
            QCOMPARE(NewWebForm(), i);
        QCOMPARE(NewWebForm(), -1);
        const QString refusal = "The maximum number of files is already open.  Unable to %1.";
        QCOMPARE(lastMessage(), refusal.arg("create a new file"));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
        QVERIFY(!LoadWebFormFile(saved));
        QCOMPARE(lastMessage(), refusal.arg("open the selected file"));
        QCOMPARE(openForms(*m_frame).size(), 9);

        const QList<frmWebForm *> forms = openForms(*m_frame);
        forms.at(0)->info().Changed = true;
        forms.at(1)->info().Changed = true;
        Prompter::clearShown();
        for (int answer : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::No, QMessageBox::No})
            Prompter::queueAnswer(answer);
        forms.at(2)->mnuFileExit_Click();
        QCOMPARE(Prompter::shown().size(), 2);
        QVERIFY(Prompter::shown().at(1).text.contains("[" + forms.at(1)->Caption() + "]"));
        QCOMPARE(openForms(*m_frame).size(), 9);
        forms.at(2)->mnuFileExit_Click();
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QVERIFY(!m_frame->isVisible());
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
