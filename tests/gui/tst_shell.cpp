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

} // namespace

class tst_Shell : public FrameTest
{
    Q_OBJECT

private slots:
    void init() { startTest(false); }
    void cleanup() { closeFrame(m_frame); }

    // The command line names the file to open: unquoted arguments with spaces are joined by
    // one space. A file that cannot be read is refused with a message; a new document opens.
    void startUp()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("my forms")));
        QVERIFY(TestFiles::write(path("my forms/order form.wfm"), OrderForm::wfm("o.htm")));
        SettingsStore::setDisplayWizard(true); // not shown once a file is open
        m_frame = startFrame({"my", "forms/order", "form.wfm"}, m_dir.path());
        QCOMPARE(captions(*m_frame), QStringList{path("my forms/order form.wfm")});
        QCOMPARE(m_frame->activeForm()->grid().rows(), 3); // its two items
        QVERIFY(!m_frame->activeForm()->info().Changed);
        closeFrame(m_frame);
        SettingsStore::setDisplayWizard(false);
        m_frame = startFrame({"\"missing.wfm\""}, m_dir.path());
        QCOMPARE(captions(*m_frame), QStringList{"Untitled:1"});
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
        QCOMPARE(entriesOf(shared.get()).remove(QRegularExpression(" [-a-z][^ ]*")),
                 "File: New=Ctrl+N Open=Ctrl+O SelectPos Wizard Exit Edit: Insert: View: Toolbar* "
                 "Window: Help: Contents About"); // the enabled ones
        QToolBar *toolbar = m_frame->tbrDesign();
        QVERIFY(!findAction(toolbar, QStringLiteral("SAVEFILE"))->isEnabled());

        QVERIFY(triggerAction(toolbar, QStringLiteral("NEWFILE")));
        QVERIFY(findAction(toolbar, QStringLiteral("SAVEFILE"))->isEnabled());
        QVERIFY(triggerAction(m_frame->activeForm(), QStringLiteral("mnuViewToolbar")));
        QVERIFY(!m_frame->isToolbarVisible());
        QCOMPARE(entriesOf(own), QString(ownEntries).replace("Toolbar*", "Toolbar"));
    }

    // However a window comes forward, from the window list or back from a dialog, the keyboard
    // is on its grid, also when it was on the preview: otherwise Del, Ctrl+C and Ctrl+V act on
    // the web page. A closed window's slot and caption go to the next new document; the window
    // list shows each caption exactly ("&" is no access key); nine at most are open. Exit asks
    // about each changed document and stops at the first refusal; answered No, the program ends.
    void windowsSlotsAndExit()
    {
        m_frame = startFrame();
        frmWebForm *first = m_frame->activeForm();
        NewWebForm();
        QVERIFY(triggerAction(first, QStringLiteral("mnuWindowTile"))); // side by side
        QVERIFY(!first->subWindow()->geometry().intersects(
            openForms(*m_frame).at(1)->subWindow()->geometry()));
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
        QVERIFY(lastMessage().endsWith("Unable to create a new file."));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
        QVERIFY(!LoadWebFormFile(saved));
        QVERIFY(lastMessage().endsWith("Unable to open the selected file."));

        Slots().FormInfo[1].Changed = true;
        Slots().FormInfo[3].Changed = true;
        for (int answer : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::No, QMessageBox::No})
            Prompter::queueAnswer(answer);
        QVERIFY(triggerAction(m_frame.get(), QStringLiteral("mnuFileExit")));
        QCOMPARE(Prompter::shown().size(), 4); // after the two refusals
        QVERIFY(Prompter::shown().at(3).text.contains("[Untitled:3]"));
        QCOMPARE(openForms(*m_frame).size(), 9);
        QVERIFY(triggerAction(m_frame.get(), QStringLiteral("mnuFileExit")));
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QVERIFY(!m_frame->isVisible());
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
