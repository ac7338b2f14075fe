// The main frame: start-up, the menu bars and the toolbar with their enabling, the slot
// limit, the window list, the keyboard after a switch and shutdown.
#include "GuiTestSupport.h"

#include "TestFiles.h"
#include "app/frmStartup.h"
#include "ui/ItemGridView.h"

#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QToolBar>
#include <QWebEngineView>

using namespace GuiTest;

namespace {

// A menu bar's menus in order, each entry as "name|caption|shortcut" and "-" for a
// separator.
QStringList entriesOf(QWidget *menuBar)
{
    QStringList entries;
    for (QAction *menu : menuBar->actions()) {
        entries << menu->text();
        for (QAction *entry : menu->menu()->actions())
            entries << (entry->isSeparator() ? QStringLiteral("-")
                                             : entry->objectName() + '|' + entry->text() + '|' +
                                                   entry->shortcut().toString());
    }
    return entries;
}

// Whether a menu bar's View menu, as it is opened, shows the toolbar on.
bool toolbarChecked(QWidget *menuBar)
{
    QMenu *view = menuBar->findChild<QMenu *>(QStringLiteral("mnuView"));
    emit view->aboutToShow();
    return view->actions().constFirst()->isChecked();
}

} // namespace

class tst_Shell : public FrameTest
{
    Q_OBJECT

    // The toolbar's buttons, "|" for a separator and the enabled ones in capitals; the
    // pictures of the buttons with a tip are collected in `pictures`.
    QString toolbar(QSet<QByteArray> *pictures = nullptr) const
    {
        QStringList layout;
        for (QAction *action : m_frame->tbrDesign()->actions()) {
            const QString key = action->objectName();
            layout << (action->isSeparator() ? QStringLiteral("|")
                       : action->isEnabled() ? key
                                             : key.toLower());
            const QImage picture = action->icon().pixmap(16, 16).toImage();
            if (pictures && !picture.isNull() && !action->toolTip().isEmpty())
                pictures->insert(QByteArray(reinterpret_cast<const char *>(picture.constBits()),
                                            picture.sizeInBytes()));
        }
        return layout.join(QLatin1Char(' '));
    }

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
        QCOMPARE(form->grid().text(1, ColType).isEmpty(), file.isEmpty());
        QCOMPARE(form->info().SubmitText, file.isEmpty() ? "Submit" : "Send"); // new or read
    }

    // A document window's menus and the 26 toolbar positions with 19 pictures of their own
    // and a tip each. The frame shows the active window's menu bar, or its own with none
    // open; all buttons but New and Open follow the open documents and work on the active
    // window; every View menu shows whether the toolbar is on.
    void menusAndToolbar()
    {
        m_frame = startFrame();
        // clang-format off
        QCOMPARE(entriesOf(m_frame->activeForm()->menuBar()), (QStringList{
            "&File", "mnuFileNew|&New|Ctrl+N", "mnuFileOpen|&Open...|Ctrl+O", "mnuFileClose|&Close|",
            "mnuFileSave|&Save|Ctrl+S", "mnuFileSaveAs|Save &As...|", "-",
            "mnuFileConvert|Con&vert to HTML|Ctrl+E", "mnuFileSelectPos|Select Form Position...|",
            "mnuFileProperties|Prop&erties...|Ctrl+P", "-", "mnuFileWizard|&Quick Start Wizard...|",
            "-", "mnuFileExit|E&xit|", "-", "mnuRecentFile0|RecentFile1|",
            "mnuRecentFile1|RecentFile2|", "mnuRecentFile2|RecentFile3|", "mnuRecentFile3|RecentFile4|",
            "&Edit Item", "mnuEditUndo|&Undo|Ctrl+Z", "mnuEditRedo|&Redo|Ctrl+Shift+Z", "-",
            "mnuEditItem|&Properties...|F4", "-", "mnuEditCut|Cu&t|Ctrl+X",
            "mnuEditCopy|&Copy|Ctrl+C", "mnuEditPaste|&Paste|Ctrl+V", "mnuEditDelete|De&lete|Del",
            "-", "mnuEditMoveUp|Move &Up|Alt+Up", "mnuEditMoveDown|Move &Down|Alt+Down",
            "&Insert", "mnuInsertLabel|&Label...|Ctrl+F1", "-", "mnuInsertField1|&Text Field...|Ctrl+F2",
            "mnuInsertField2|&Password Field...|Ctrl+F3", "mnuInsertField3|&Hidden Field...|Ctrl+F4",
            "mnuInsertField4|Text &Area...|Ctrl+F5", "-", "mnuInsertSelect|&Selection...|Ctrl+F6", "-",
            "mnuInsertSwitch6|&Checkbox...|Ctrl+F7", "mnuInsertSwitch7|&Radio button...|Ctrl+F8", "-",
            "mnuInsertImage|&Image...|Ctrl+F9",
            "&View", "mnuViewToolbar|&Toolbar|", "mnuViewResizeGrid|&Auto Cell Sizing|",
            "mnuViewHighlight|&Highlight Colour...|", "-", "mnuViewPreview|&Internal Viewer|",
            "mnuViewRefresh|&Refresh Internal Viewer|F5", "mnuViewBrowser|&External Viewer|",
            "&Window", "mnuWindowCascade|&Cascade|", "mnuWindowTile|&Tile|",
            "mnuWindowArrange|&Arrange Icons|",
            "&Help", "mnuHelpContents|&Contents|", "-", "mnuHelpAbout|&About...|"}));
        // clang-format on
        const QString all =
            "NEWFILE OPENFILE SAVEFILE CONVERTFILE | CUTITEM COPYITEM PASTEITEM DELETEITEM | "
            "MOVEUP MOVEDOWN | INSERTLABEL | INSERTTEXT INSERTPASSWORD INSERTHIDDEN INSERTAREA | "
            "INSERTSELECT | INSERTCHECK INSERTRADIO | INSERTIMAGE";
        QSet<QByteArray> pictures;
        QCOMPARE(toolbar(&pictures), all);
        QCOMPARE(pictures.size(), 19);
        auto *stack = qobject_cast<QStackedWidget *>(m_frame->menuWidget());
        auto *own = m_frame->findChild<QMenuBar *>(QStringLiteral("frameMenuBar"));
        QVERIFY(triggerAction(m_frame->activeForm(), QStringLiteral("mnuFileClose")));
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QCOMPARE(stack->currentWidget(), own);
        QCOMPARE(entriesOf(own).filter(QRegularExpression("^&")),
                 (QStringList{"&File", "&View", "&Help"}));
        QCOMPARE(toolbar(), "NEWFILE OPENFILE " + all.mid(17).toLower());

        m_frame->tbrDesign_ButtonClick(QStringLiteral("NEWFILE"));
        QCOMPARE(toolbar(), all);
        frmWebForm *first = m_frame->activeForm();
        NewWebForm();
        frmWebForm *second = m_frame->activeForm();
        QCOMPARE(stack->currentWidget(), second->menuBar());
        const QString saved = path(QStringLiteral("second.wfm"));
        Prompter::queueAnswer(saved);
        QVERIFY(triggerAction(m_frame->tbrDesign(), QStringLiteral("SAVEFILE")));
        m_frame->tbrDesign_ButtonClick(QStringLiteral("NOSUCHKEY")); // does nothing
        QCOMPARE(captions(*m_frame), (QStringList{QStringLiteral("Untitled:1"), saved}));
        m_frame->activateFormWindow(first);
        QCOMPARE(stack->currentWidget(), first->menuBar());
        QVERIFY(toolbarChecked(own) && toolbarChecked(second->menuBar()));
        QVERIFY(triggerAction(first, QStringLiteral("mnuViewToolbar")));
        QVERIFY(!m_frame->isToolbarVisible());
        QVERIFY(!toolbarChecked(own) && !toolbarChecked(second->menuBar()));
        QVERIFY(triggerAction(m_frame.get(), QStringLiteral("mnuViewToolbar")));
        QVERIFY(m_frame->isToolbarVisible());
    }

    // A closed window's slot and caption go to the next new document; nine at most are open.
    // The window list shows each caption exactly: "&" is no access key. Cascade and tile keep
    // the windows usable, whatever their own layout. Exit asks about each changed document
    // and stops at the first refusal; answered No for each, the program ends.
    void slotsWindowListAndExit()
    {
        m_frame = startFrame();
        NewWebForm();
        NewWebForm();
        openForms(*m_frame).at(1)->mnuFileClose_Click();
        QTRY_COMPARE(captions(*m_frame), (QStringList{"Untitled:1", "Untitled:3"}));
        QVERIFY(Prompter::shown().isEmpty()); // unchanged: no question
        QCOMPARE(NewWebForm(), 2);
        QCOMPARE(Slots().upperIndex(), 3);
        const QString saved = path(QStringLiteral("R&D.wfm"));
        QVERIFY(SaveWebFormFile(openForms(*m_frame).constFirst(), saved));
        QMenuBar *menuBar = m_frame->activeForm()->menuBar();
        QMenu *window = menuBar->findChild<QMenu *>(QStringLiteral("mnuWindow"));
        emit window->aboutToShow();
        const QString entry = QStringLiteral("windowListEntry|&%1 %2|");
        QCOMPARE(entriesOf(menuBar).filter(QStringLiteral("windowListEntry")),
                 (QStringList{entry.arg(1).arg(QString(saved).replace("&", "&&")),
                              entry.arg(2).arg("Untitled:3"), entry.arg(3).arg("Untitled:2")}));
        window->actions().at(4)->trigger(); // the first window
        QCOMPARE(m_frame->activeForm()->Caption(), saved);
        m_frame->resize(1000, 700);
        const QSize area = m_frame->mdiArea()->viewport()->size();
        QVERIFY(triggerAction(m_frame->activeForm(), QStringLiteral("mnuWindowTile")));
        for (frmWebForm *each : openForms(*m_frame))
            QVERIFY(each->subWindow()->width() * 2 >= area.width() - 4);
        QVERIFY(triggerAction(m_frame->activeForm(), QStringLiteral("mnuWindowCascade")));
        for (frmWebForm *each : openForms(*m_frame)) {
            QVERIFY(!each->subWindow()->isMaximized());
            QVERIFY(each->width() >= 240 && each->height() >= 160);
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

    // However a document window comes forward, from the window list or back from a dialog,
    // the keyboard is on its grid, also when it was on the preview before: otherwise Del,
    // Ctrl+C and Ctrl+V act on the web page.
    void keyboardOnTheGridAfterASwitch()
    {
        m_frame = startFrame();
        frmWebForm *first = m_frame->activeForm();
        NewWebForm();
        frmWebForm *second = m_frame->activeForm();
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
                m_frame->mdiArea()->setActiveSubWindow(second->subWindow());
                auto *window = second->menuBar()->findChild<QMenu *>(QStringLiteral("mnuWindow"));
                emit window->aboutToShow();
                window->actions().at(4)->trigger(); // "&1 Untitled:1"
            }
            QCOMPARE(m_frame->activeForm(), first);
            // At once: a later page load in the preview must not be what puts it right.
            QApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), first->flgForm());
        }
    }

    // Only its timer closes the start-up screen: keys and close requests do nothing.
    void startupScreenIgnoresTheKeyboard()
    {
        QPointer<frmStartup> startup = new frmStartup;
        startup->setAttribute(Qt::WA_DeleteOnClose);
        startup->show();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(startup, key);
        QVERIFY(!startup->close());
        QApplication::processEvents();
        QVERIFY(startup && startup->isVisible());
        startup->startTimer(10);
        QTRY_VERIFY(!startup);
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
