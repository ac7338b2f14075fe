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
// by name, less "mnu" and the menu's name, with their keys, "*" when checked and in lower
// case when disabled; "-" a separator. Window list entries show their
// text.
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

// The toolbar's enabled buttons.
QStringList enabledButtons(const frmDesign &frame)
{
    QStringList keys;
    for (QAction *action : frame.tbrDesign()->actions()) {
        if (action->isEnabled() && !action->isSeparator())
            keys << action->objectName();
    }
    return keys;
}

} // namespace

class tst_Shell : public FrameTest
{
    Q_OBJECT

private slots:
    void init() { startTest(false); }
    void cleanup() { closeFrame(m_frame); }

    void startUp_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");    // opened, relative to the start folder
        QTest::addColumn<QString>("message"); // its first line
        QTest::newRow("none") << QStringList() << QString() << QString();
        // Unquoted arguments with spaces are joined by one space.
        QTest::newRow("file") << QStringList{"my", "forms/order", "form.wfm"}
                              << "my forms/order form.wfm" << QString();
        QTest::newRow("unreadable")
            << QStringList{"\"missing.wfm\""} << QString() << "Unable to open the file.";
    }
    void startUp()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(QString, message);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("my forms")));
        QVERIFY(TestFiles::write(path("my forms/order form.wfm"), OrderForm::wfm("o.htm")));
        SettingsStore::setDisplayWizard(!file.isEmpty()); // not shown once a file is open
        m_frame = startFrame(args, m_dir.path());
        QCOMPARE(captions(*m_frame), QStringList{file.isEmpty() ? "Untitled:1" : path(file)});
        frmWebForm *form = openForms(*m_frame).constFirst();
        QVERIFY(form->subWindow()->isMaximized());
        QVERIFY(!form->info().Changed);
        QCOMPARE(Prompter::shown().size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(lastMessage().section(QStringLiteral("\r\n"), 0, 0), message);
        QCOMPARE(form->grid().rows(), file.isEmpty() ? 2 : 3); // the placeholder or two items
        QCOMPARE(form->info().SubmitText, file.isEmpty() ? "Submit" : "Send"); // new or read
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
        QCOMPARE(enabledButtons(*m_frame).size(), 19);
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
        QCOMPARE(enabledButtons(*m_frame), (QStringList{"NEWFILE", "OPENFILE"}));

        m_frame->tbrDesign_ButtonClick(QStringLiteral("NEWFILE"));
        QCOMPARE(enabledButtons(*m_frame).size(), 19);
        frmWebForm *first = m_frame->activeForm();
        NewWebForm();
        m_frame->activateFormWindow(first);
        QCOMPARE(stack->currentWidget(), first->menuBar());
        QVERIFY(triggerAction(first, QStringLiteral("mnuViewToolbar")));
        QVERIFY(!m_frame->isToolbarVisible());
        QCOMPARE(entriesOf(own), QString(ownEntries).replace("Toolbar*", "Toolbar"));
        QVERIFY(triggerAction(m_frame.get(), QStringLiteral("mnuViewToolbar")));
        QVERIFY(m_frame->isToolbarVisible());
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
        NewWebForm();
        openForms(*m_frame).at(1)->mnuFileClose_Click();
        QTRY_COMPARE(captions(*m_frame), (QStringList{"Untitled:1", "Untitled:3"}));
        QVERIFY(Prompter::shown().isEmpty()); // unchanged: no question
        QCOMPARE(NewWebForm(), 2);
        QCOMPARE(Slots().upperIndex(), 3);
        const QString saved = path(QStringLiteral("R&D.wfm"));
        QVERIFY(SaveWebFormFile(first, saved));
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
                m_frame->mdiArea()->setActiveSubWindow(openForms(*m_frame).at(2)->subWindow());
                QMenuBar *menuBar = m_frame->activeForm()->menuBar();
                QCOMPARE(entriesOf(menuBar).section(" Window: ", 1),
                         "Cascade Tile Arrange - &1 " + QString(saved).replace("&", "&&") +
                             " &2 Untitled:3 &3 Untitled:2* Help: Contents - About");
                menuBar->findChild<QMenu *>(QStringLiteral("mnuWindow"))
                    ->actions()
                    .at(4)
                    ->trigger();
            }
            QCOMPARE(m_frame->activeForm(), first);
            // At once: a later page load in the preview must not be what puts it right.
            QApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), first->flgForm());
        }

        for (int i = 4; i <= 9; ++i)
            QCOMPARE(NewWebForm(), i);
        QCOMPARE(NewWebForm(), -1);
        const QString refusal = "The maximum number of files is already open.  Unable to %1.";
        QCOMPARE(lastMessage(), refusal.arg("create a new file"));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
        QVERIFY(!LoadWebFormFile(saved));
        QCOMPARE(lastMessage(), refusal.arg("open the selected file"));
        QCOMPARE(openForms(*m_frame).size(), 9);
        QCOMPARE(Slots().upperIndex(), 9);

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
        QVERIFY(m_frame->isVisible());
        forms.at(2)->mnuFileExit_Click();
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QVERIFY(!m_frame->isVisible());
        QVERIFY(!Slots().AnyFormOpen());
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
