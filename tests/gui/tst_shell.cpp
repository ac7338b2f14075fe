// The main frame: start-up, the toolbar and its enabling, the menu bars, the slot limit
// and shutdown.
#include "GuiTestSupport.h"

#include "TestDocument.h"
#include "TestFiles.h"
#include "app/frmStartup.h"
#include "ui/ItemGridView.h"

#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWebEngineView>

using namespace GuiTest;

class tst_Shell : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmDesign> m_frame;

private slots:
    void init() { resetSettings(); }
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
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("my forms")));
        QVERIFY(TestFiles::write(dir.filePath("my forms/order form.wfm"), OrderForm::wfm("o.htm")));
        SettingsStore::setDisplayWizard(!file.isEmpty()); // not shown once a file is open
        m_frame = startFrame(args, dir.path());
        QCOMPARE(captions(*m_frame),
                 QStringList{file.isEmpty() ? "Untitled:1" : dir.filePath(file)});
        frmWebForm *form = openForms(*m_frame).constFirst();
        QVERIFY(form->subWindow()->isMaximized());
        QVERIFY(!form->info().Changed);
        QCOMPARE(Prompter::shown().size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(lastMessage().section(QStringLiteral("\r\n"), 0, 0), message);
        QCOMPARE(form->grid().rows(), file.isEmpty() ? 2 : 3); // the placeholder or two items
        QCOMPARE(form->grid().text(1, ColType).isEmpty(), file.isEmpty());
        QCOMPARE(TestDocument::propsOf(form->info()),
                 (file.isEmpty()
                      ? QByteArrayList{"", "", "False", OrderForm::Props.at(3), "Submit", "Reset"}
                      : QByteArrayList{"o.htm"} + OrderForm::Props.mid(1)));
    }

    // 26 positions with 19 pictures of their own; all but New and Open follow the open
    // documents; a button works on the active window.
    void toolbar()
    {
        m_frame = startFrame();
        QStringList layout;
        QSet<QByteArray> pictures;
        for (QAction *action : m_frame->tbrDesign()->actions()) {
            layout << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
            if (action->isSeparator())
                continue;
            QVERIFY(!action->toolTip().isEmpty());
            const QImage picture = action->icon().pixmap(16, 16).toImage();
            QVERIFY2(!picture.isNull(), qPrintable(action->objectName()));
            pictures.insert(QByteArray(reinterpret_cast<const char *>(picture.constBits()),
                                       picture.sizeInBytes()));
        }
        QCOMPARE(
            layout.join(QLatin1Char(' ')),
            QStringLiteral("NEWFILE OPENFILE SAVEFILE CONVERTFILE | CUTITEM COPYITEM PASTEITEM "
                           "DELETEITEM | MOVEUP MOVEDOWN | INSERTLABEL | INSERTTEXT "
                           "INSERTPASSWORD INSERTHIDDEN INSERTAREA | INSERTSELECT | INSERTCHECK "
                           "INSERTRADIO | INSERTIMAGE"));
        QCOMPARE(pictures.size(), 19);

        const auto enabledKeys = [this] {
            QStringList keys;
            for (QAction *action : m_frame->tbrDesign()->actions()) {
                if (!action->isSeparator() && action->isEnabled())
                    keys << action->objectName();
            }
            return keys;
        };
        QCOMPARE(enabledKeys().size(), 19);
        QVERIFY(triggerAction(openForms(*m_frame).constFirst(), QStringLiteral("mnuFileClose")));
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QCOMPARE(enabledKeys(),
                 (QStringList{QStringLiteral("NEWFILE"), QStringLiteral("OPENFILE")}));
        m_frame->tbrDesign_ButtonClick(QStringLiteral("NEWFILE"));
        QCOMPARE(enabledKeys().size(), 19);

        NewWebForm();
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("second.wfm"));
        Prompter::queueAnswer(saved);
        QVERIFY(triggerAction(m_frame->tbrDesign(), QStringLiteral("SAVEFILE")));
        m_frame->tbrDesign_ButtonClick(QStringLiteral("NOSUCHKEY")); // does nothing
        QCOMPARE(captions(*m_frame), (QStringList{QStringLiteral("Untitled:1"), saved}));
    }

    // A closed window's slot and caption go to the next new document; nine at most are open.
    void slotsAreReusedUpToNine()
    {
        m_frame = startFrame();
        NewWebForm();
        NewWebForm();
        QCOMPARE(captions(*m_frame), (QStringList{"Untitled:1", "Untitled:2", "Untitled:3"}));
        openForms(*m_frame).at(1)->mnuFileClose_Click();
        QTRY_COMPARE(openForms(*m_frame).size(), 2);
        QVERIFY(Prompter::shown().isEmpty()); // unchanged: no question
        QCOMPARE(NewWebForm(), 2);
        QVERIFY(captions(*m_frame).contains(QStringLiteral("Untitled:2")));
        QCOMPARE(Slots().upperIndex(), 3);

        for (int i = 4; i <= 9; ++i)
            QCOMPARE(NewWebForm(), i);
        QCOMPARE(NewWebForm(), -1);
        QCOMPARE(lastMessage(),
                 QStringLiteral("The maximum number of files is already open.  Unable "
                                "to create a new file."));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.wfm"));
        QVERIFY(SaveWebFormFile(openForms(*m_frame).constFirst(), path));
        QVERIFY(!LoadWebFormFile(path));
        QCOMPARE(lastMessage(),
                 QStringLiteral("The maximum number of files is already open.  Unable "
                                "to open the selected file."));
        QCOMPARE(openForms(*m_frame).size(), 9);
        QCOMPARE(Slots().upperIndex(), 9);
    }

    // The active window's menu bar, or the frame's own with none open; every View menu shows
    // whether the toolbar is on. Also the order of the File menu, separators included.
    void menuBarsAndTheToolbarToggle()
    {
        m_frame = startFrame();
        auto *stack = qobject_cast<QStackedWidget *>(m_frame->menuWidget());
        QVERIFY(stack);
        const auto toolbarChecked = [](QWidget *menuBar) {
            QMenu *view = menuBar->findChild<QMenu *>(QStringLiteral("mnuView"));
            emit view->aboutToShow();
            return view->actions().constFirst()->isChecked();
        };
        frmWebForm *first = openForms(*m_frame).constFirst();
        QStringList fileMenu;
        for (QAction *entry : first->menuBar()->actions().constFirst()->menu()->actions())
            fileMenu << entry->objectName();
        QCOMPARE(
            fileMenu.join(QLatin1Char(' ')),
            QStringLiteral("mnuFileNew mnuFileOpen mnuFileClose mnuFileSave mnuFileSaveAs "
                           "mnuFileSeparator mnuFileConvert mnuFileSelectPos mnuFileProperties "
                           "mnuFileSeparator2 mnuFileWizard mnuFileSeparator3 mnuFileExit "
                           "mnuRecentFileSeparator mnuRecentFile0 mnuRecentFile1 "
                           "mnuRecentFile2 mnuRecentFile3"));
        NewWebForm();
        frmWebForm *second = m_frame->activeForm();
        QCOMPARE(stack->currentWidget(), second->menuBar());
        m_frame->activateFormWindow(first);
        QCOMPARE(stack->currentWidget(), first->menuBar());

        auto *own = m_frame->findChild<QMenuBar *>(QStringLiteral("frameMenuBar"));
        QVERIFY(toolbarChecked(own) && toolbarChecked(second->menuBar()));
        QVERIFY(triggerAction(first, QStringLiteral("mnuViewToolbar")));
        QVERIFY(!m_frame->isToolbarVisible());
        QVERIFY(!toolbarChecked(own) && !toolbarChecked(second->menuBar()));
        first->mnuFileClose_Click();
        second->mnuFileClose_Click();
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QCOMPARE(stack->currentWidget(), own);
        QStringList titles;
        for (QAction *menu : own->actions())
            titles << menu->text();
        QCOMPARE(titles, (QStringList{"&File", "&View", "&Help"}));
        QVERIFY(triggerAction(m_frame.get(), QStringLiteral("mnuViewToolbar")));
        QVERIFY(m_frame->isToolbarVisible());
    }

    void documentMenusHaveTheirCaptionsAndShortcuts_data()
    {
        QTest::addColumn<QString>("entry"); // object name|caption|shortcut
        // clang-format off
        const char *entries[] = {
            "mnuFileNew|&New|Ctrl+N", "mnuFileOpen|&Open...|Ctrl+O", "mnuFileClose|&Close|",
            "mnuFileSave|&Save|Ctrl+S", "mnuFileSaveAs|Save &As...|",
            "mnuFileConvert|Con&vert to HTML|Ctrl+E", "mnuFileSelectPos|Select Form Position...|",
            "mnuFileProperties|Prop&erties...|Ctrl+P", "mnuFileWizard|&Quick Start Wizard...|",
            "mnuFileExit|E&xit|",
            "mnuEditItem|&Properties...|F4", "mnuEditCut|Cu&t|Ctrl+X", "mnuEditCopy|&Copy|Ctrl+C",
            "mnuEditPaste|&Paste|Ctrl+V", "mnuEditDelete|De&lete|Del", "mnuEditMoveUp|Move &Up|",
            "mnuEditMoveDown|Move &Down|",
            "mnuInsertLabel|&Label...|Ctrl+F1", "mnuInsertField1|&Text Field...|Ctrl+F2",
            "mnuInsertField2|&Password Field...|Ctrl+F3",
            "mnuInsertField3|&Hidden Field...|Ctrl+F4", "mnuInsertField4|Text &Area...|Ctrl+F5",
            "mnuInsertSelect|&Selection...|Ctrl+F6", "mnuInsertSwitch6|&Checkbox...|Ctrl+F7",
            "mnuInsertSwitch7|&Radio button...|Ctrl+F8", "mnuInsertImage|&Image...|Ctrl+F9",
            "mnuViewToolbar|&Toolbar|", "mnuViewResizeGrid|&Auto Cell Sizing|",
            "mnuViewHighlight|&Highlight Colour...|", "mnuViewPreview|&Internal Viewer|",
            "mnuViewRefresh|&Refresh Internal Viewer|F5", "mnuViewBrowser|&External Viewer|",
            "mnuWindowCascade|&Cascade|", "mnuWindowTile|&Tile|",
            "mnuWindowArrange|&Arrange Icons|",
            "mnuHelpContents|&Contents|", "mnuHelpAbout|&About...|"};
        // clang-format on
        for (const char *entry : entries)
            QTest::newRow(QByteArray(entry).split('|').constFirst()) << QString::fromLatin1(entry);
    }
    void documentMenusHaveTheirCaptionsAndShortcuts()
    {
        QFETCH(QString, entry);
        m_frame = startFrame();
        const QString name = entry.section(QLatin1Char('|'), 0, 0);
        const auto *action = findAction(openForms(*m_frame).constFirst(), name);
        QVERIFY(action);
        QCOMPARE(name + '|' + action->text() + '|' + action->shortcut().toString(), entry);
    }

    // The list shows each caption exactly: "&" is no access key.
    void windowMenuListsTheDocuments()
    {
        m_frame = startFrame();
        NewWebForm();
        frmWebForm *form = m_frame->activeForm();
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("R&D.wfm"));
        QVERIFY(SaveWebFormFile(form, saved));
        QMenu *window = form->menuBar()->findChild<QMenu *>(QStringLiteral("mnuWindow"));
        QVERIFY(window);
        emit window->aboutToShow();
        QStringList entries;
        for (QAction *action : window->actions()) {
            if (!action->isSeparator())
                entries << action->text();
        }
        QCOMPARE(entries, (QStringList{"&Cascade", "&Tile", "&Arrange Icons", "&1 Untitled:1",
                                       "&2 " + QString(saved).replace("&", "&&")}));
        window->actions().at(4)->trigger(); // "&1 Untitled:1"
        QCOMPARE(m_frame->activeForm()->Caption(), QStringLiteral("Untitled:1"));
        // Cascade and tile keep the windows usable, whatever their own layout.
        m_frame->resize(1000, 700);
        const QSize area = m_frame->mdiArea()->viewport()->size();
        QVERIFY(triggerAction(form, QStringLiteral("mnuWindowTile")));
        for (frmWebForm *each : openForms(*m_frame))
            QVERIFY(each->subWindow()->width() * 2 >= area.width() - 4);
        QVERIFY(triggerAction(form, QStringLiteral("mnuWindowCascade")));
        for (frmWebForm *each : openForms(*m_frame)) {
            QVERIFY(!each->subWindow()->isMaximized());
            QVERIFY2(each->width() >= 240 && each->height() >= 160,
                     qPrintable(QStringLiteral("%1x%2").arg(each->width()).arg(each->height())));
        }
    }

    // However a document window comes forward, the keyboard is on its grid, also when it
    // was on the preview before: otherwise Del, Ctrl+C and Ctrl+V act on the web page.
    void keyboardOnTheGridAfterASwitch_data()
    {
        QTest::addColumn<QString>("route");
        for (const char *route :
             {"window list", "next window", "previous window", "title bar", "closed dialog"})
            QTest::newRow(route) << QString::fromLatin1(route);
    }
    void keyboardOnTheGridAfterASwitch()
    {
        QFETCH(QString, route);
        m_frame = startFrame();
        frmWebForm *first = m_frame->activeForm();
        NewWebForm();
        frmWebForm *second = m_frame->activeForm();
        first->mnuWindowCascade_Click();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->activateFormWindow(first);
        // As after a click into the preview; again until no late page load takes it back.
        QTRY_VERIFY((first->webPreview()->setFocus(),
                     first->webPreview()->isAncestorOf(QApplication::focusWidget())));
        QMdiArea *area = m_frame->mdiArea();
        if (route != QLatin1String("closed dialog"))
            area->setActiveSubWindow(second->subWindow());
        if (route == QLatin1String("window list")) {
            auto *window = second->menuBar()->findChild<QMenu *>(QStringLiteral("mnuWindow"));
            emit window->aboutToShow();
            window->actions().at(4)->trigger(); // "&1 Untitled:1"
        } else if (route == QLatin1String("next window")) {
            area->activateNextSubWindow();
        } else if (route == QLatin1String("previous window")) {
            area->activatePreviousSubWindow();
        } else if (route == QLatin1String("title bar")) {
            QTest::mouseClick(first->subWindow(), Qt::LeftButton, {},
                              QPoint(first->subWindow()->width() / 2, 4));
        } else {
            QDialog dialog(m_frame.get());
            whenModal<QDialog>([](QDialog *modal) { modal->reject(); });
            dialog.exec();
            m_frame->activateWindow(); // as the window manager does when the dialog goes
            QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        }
        QCOMPARE(m_frame->activeForm(), first);
        // At once: a later page load in the preview must not be what puts it right.
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), first->flgForm());
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

    void exitStopsAtTheFirstRefusal()
    {
        m_frame = startFrame();
        NewWebForm();
        NewWebForm();
        const QList<frmWebForm *> forms = openForms(*m_frame);
        forms.at(0)->info().Changed = true;
        forms.at(1)->info().Changed = true;
        Prompter::queueAnswer(QMessageBox::No);
        Prompter::queueAnswer(QMessageBox::Cancel);
        forms.at(2)->mnuFileExit_Click();
        QCOMPARE(Prompter::shown().size(), 2);
        QCOMPARE(Prompter::shown().at(1).text,
                 QStringLiteral("The form [Untitled:2] has changed.\r\nDo you want to save the "
                                "changes?"));
        QCOMPARE(openForms(*m_frame).size(), 3);
        QVERIFY(m_frame->isVisible());
        // The second time both are answered No and the program ends.
        Prompter::queueAnswer(QMessageBox::No);
        Prompter::queueAnswer(QMessageBox::No);
        forms.at(2)->mnuFileExit_Click();
        QTRY_COMPARE(openForms(*m_frame).size(), 0);
        QVERIFY(!m_frame->isVisible());
        QVERIFY(!Slots().AnyFormOpen());
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
