// The main frame: start-up, the toolbar and its enabling, the menu bars, the slot limit
// and shutdown.
#include "GuiTestSupport.h"

#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolBar>

using namespace GuiTest;

class tst_Shell : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetSettings(); }
    void cleanup() { closeFrame(m_frame); }

    void startsWithOneUntitledMaximisedWindow();
    void opensTheFileNamedOnTheCommandLine();
    void unreadableCommandLineFileFallsBackToNewDocument();
    void toolbarHasTheButtonsInOrder();
    void toolbarFollowsOpenDocuments();
    void toolbarRoutesToTheActiveWindow();
    void newAndCloseReuseTheSlot();
    void nineDocumentsAtMost();
    void menuBarFollowsTheActiveWindow();
    void documentMenusHaveTheirCaptionsAndShortcuts_data();
    void documentMenusHaveTheirCaptionsAndShortcuts();
    void windowMenuListsTheDocuments();
    void exitStopsAtTheFirstRefusal();
    void viewMenuTogglesTheToolbar();

private:
    std::unique_ptr<frmDesign> m_frame;
};

void tst_Shell::startsWithOneUntitledMaximisedWindow()
{
    m_frame = startFrame();
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Tabrino"));
    QCOMPARE(captions(*m_frame), QStringList{QStringLiteral("Untitled:1")});
    frmWebForm *form = openForms(*m_frame).constFirst();
    QVERIFY(form->subWindow()->isMaximized());
    QCOMPARE(form->grid().rows(), 2); // header and the empty placeholder row
    QVERIFY(form->grid().text(1, ColType).isEmpty());
    QCOMPARE(form->info().MediaType, QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(form->info().SubmitText, QByteArray("Submit"));
    QCOMPARE(form->info().ResetText, QByteArray("Reset"));
    QVERIFY(!form->info().Changed);
    QVERIFY(Prompter::shown().isEmpty());
}

void tst_Shell::opensTheFileNamedOnTheCommandLine()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("my forms")));
    const QString path = dir.filePath(QStringLiteral("my forms/order form.wfm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("out.htm\r\n\r\nFalse\r\napplication/x-www-form-urlencoded\r\nSubmit\r\nReset\r\n"
               "Label\r\n\r\n\r\nHello\r\n\r\n\r\n\r\n\r\n[EOF]\r\n");
    file.close();
    // Unquoted arguments with spaces, relative to the start folder, joined by one space.
    SettingsStore::setDisplayWizard(true);
    m_frame = startFrame({QStringLiteral("my"), QStringLiteral("forms/order"),
                          QStringLiteral("form.wfm")},
                         dir.path());
    QCOMPARE(captions(*m_frame), QStringList{path});
    frmWebForm *form = openForms(*m_frame).constFirst();
    QCOMPARE(form->grid().rows(), 2);
    QCOMPARE(form->grid().text(1, ColLabel), QByteArray("Hello"));
    QCOMPARE(form->info().OutputFile, QByteArray("out.htm"));
    QVERIFY(form->subWindow()->isMaximized());
}

void tst_Shell::unreadableCommandLineFileFallsBackToNewDocument()
{
    m_frame = startFrame({QStringLiteral("\"missing.wfm\"")});
    QCOMPARE(Prompter::shown().size(), 1);
    QVERIFY(lastMessage().startsWith(QStringLiteral("Unable to open the file.\r\n")));
    QCOMPARE(captions(*m_frame), QStringList{QStringLiteral("Untitled:1")});
}

void tst_Shell::toolbarHasTheButtonsInOrder()
{
    m_frame = startFrame();
    const QList<QAction *> actions = m_frame->tbrDesign()->actions();
    QCOMPARE(actions.size(), 26);
    const QStringList keys = {
        "NEWFILE",     "OPENFILE",    "SAVEFILE",   "CONVERTFILE",    "",
        "CUTITEM",     "COPYITEM",    "PASTEITEM",  "DELETEITEM",     "",
        "MOVEUP",      "MOVEDOWN",    "",           "INSERTLABEL",    "",
        "INSERTTEXT",  "INSERTPASSWORD", "INSERTHIDDEN", "INSERTAREA", "",
        "INSERTSELECT", "",           "INSERTCHECK", "INSERTRADIO",   "",
        "INSERTIMAGE"};
    QSet<QByteArray> pictures;
    for (int i = 0; i < actions.size(); ++i) {
        QAction *action = actions.at(i);
        QCOMPARE(action->isSeparator(), keys.at(i).isEmpty());
        if (action->isSeparator())
            continue;
        QCOMPARE(action->objectName(), keys.at(i));
        QVERIFY(!action->toolTip().isEmpty());
        QVERIFY(action->text().isEmpty() || action->text() == action->toolTip());
        const QImage picture = action->icon().pixmap(16, 16).toImage();
        QVERIFY2(!picture.isNull(), qPrintable(keys.at(i)));
        pictures.insert(QByteArray(reinterpret_cast<const char *>(picture.constBits()),
                                   picture.sizeInBytes()));
    }
    QCOMPARE(pictures.size(), 19); // every button has a picture of its own
    QCOMPARE(actions.at(1)->toolTip(), QStringLiteral("Open file..."));
    QCOMPARE(actions.at(23)->toolTip(), QStringLiteral("Insert radio button..."));
}

void tst_Shell::toolbarFollowsOpenDocuments()
{
    m_frame = startFrame();
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
    QCOMPARE(enabledKeys(), (QStringList{QStringLiteral("NEWFILE"), QStringLiteral("OPENFILE")}));
    m_frame->tbrDesign_ButtonClick(QStringLiteral("NEWFILE"));
    QCOMPARE(enabledKeys().size(), 19);
}

void tst_Shell::toolbarRoutesToTheActiveWindow()
{
    m_frame = startFrame();
    NewWebForm();
    frmWebForm *second = m_frame->activeForm();
    QCOMPARE(second->windowTitle(), QStringLiteral("Untitled:2"));
    Prompter::queueAnswer(QString()); // the Save dialog is cancelled
    QVERIFY(triggerAction(m_frame->tbrDesign(), QStringLiteral("SAVEFILE")));
    QCOMPARE(Prompter::pendingAnswers(), 0); // the active window asked for a file name
    m_frame->tbrDesign_ButtonClick(QStringLiteral("CONVERTFILE"));
    QCOMPARE(lastMessage(),
             QStringLiteral("Please specify an output file ('Properties' on the 'File' menu)."));
    m_frame->tbrDesign_ButtonClick(QStringLiteral("NOSUCHKEY")); // does nothing
    QCOMPARE(openForms(*m_frame).size(), 2);
}

void tst_Shell::newAndCloseReuseTheSlot()
{
    m_frame = startFrame();
    NewWebForm();
    NewWebForm();
    QCOMPARE(captions(*m_frame), (QStringList{"Untitled:1", "Untitled:2", "Untitled:3"}));
    frmWebForm *second = openForms(*m_frame).at(1);
    second->mnuFileClose_Click();
    QTRY_COMPARE(openForms(*m_frame).size(), 2);
    QVERIFY(Prompter::shown().isEmpty()); // unchanged: no question
    QCOMPARE(NewWebForm(), 2);
    QVERIFY(captions(*m_frame).contains(QStringLiteral("Untitled:2")));
    QCOMPARE(Slots().upperIndex(), 3);
}

void tst_Shell::nineDocumentsAtMost()
{
    m_frame = startFrame();
    for (int i = 2; i <= 9; ++i)
        QCOMPARE(NewWebForm(), i);
    QCOMPARE(NewWebForm(), -1);
    QCOMPARE(lastMessage(), QStringLiteral("The maximum number of files is already open.  Unable "
                                           "to create a new file."));
    QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Exclamation);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wfm"));
    QVERIFY(SaveWebFormFile(openForms(*m_frame).constFirst(), path));
    QVERIFY(!LoadWebFormFile(path));
    QCOMPARE(lastMessage(), QStringLiteral("The maximum number of files is already open.  Unable "
                                           "to open the selected file."));
    QCOMPARE(openForms(*m_frame).size(), 9);
    QCOMPARE(Slots().upperIndex(), 9);
}

void tst_Shell::menuBarFollowsTheActiveWindow()
{
    m_frame = startFrame();
    auto *stack = qobject_cast<QStackedWidget *>(m_frame->menuWidget());
    QVERIFY(stack);
    frmWebForm *first = openForms(*m_frame).constFirst();
    QCOMPARE(stack->currentWidget(), first->menuBar());
    NewWebForm();
    frmWebForm *second = m_frame->activeForm();
    QCOMPARE(stack->currentWidget(), second->menuBar());
    m_frame->activateFormWindow(first);
    QCOMPARE(stack->currentWidget(), first->menuBar());
    first->mnuFileClose_Click();
    second->mnuFileClose_Click();
    QTRY_COMPARE(openForms(*m_frame).size(), 0);
    auto *own = qobject_cast<QMenuBar *>(stack->currentWidget());
    QVERIFY(own);
    QCOMPARE(own->objectName(), QStringLiteral("frameMenuBar"));
    QStringList titles;
    for (QAction *menu : own->actions())
        titles << menu->text();
    QCOMPARE(titles, (QStringList{"&File", "&View", "&Help"}));
}

void tst_Shell::documentMenusHaveTheirCaptionsAndShortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    const char *rows[][3] = {
        {"mnuFileNew", "&New", "Ctrl+N"},          {"mnuFileOpen", "&Open...", "Ctrl+O"},
        {"mnuFileClose", "&Close", ""},            {"mnuFileSave", "&Save", "Ctrl+S"},
        {"mnuFileSaveAs", "Save &As...", ""},      {"mnuFileConvert", "Con&vert to HTML", "Ctrl+E"},
        {"mnuFileSelectPos", "Select Form Position...", ""},
        {"mnuFileProperties", "Prop&erties...", "Ctrl+P"},
        {"mnuFileWizard", "&Quick Start Wizard...", ""}, {"mnuFileExit", "E&xit", ""},
        {"mnuEditItem", "&Properties...", "F4"},   {"mnuEditCut", "Cu&t", "Ctrl+X"},
        {"mnuEditCopy", "&Copy", "Ctrl+C"},        {"mnuEditPaste", "&Paste", "Ctrl+V"},
        {"mnuEditDelete", "De&lete", "Del"},       {"mnuEditMoveUp", "Move &Up", ""},
        {"mnuEditMoveDown", "Move &Down", ""},     {"mnuInsertLabel", "&Label...", "Ctrl+F1"},
        {"mnuInsertField1", "&Text Field...", "Ctrl+F2"},
        {"mnuInsertField2", "&Password Field...", "Ctrl+F3"},
        {"mnuInsertField3", "&Hidden Field...", "Ctrl+F4"},
        {"mnuInsertField4", "Text &Area...", "Ctrl+F5"},
        {"mnuInsertSelect", "&Selection...", "Ctrl+F6"},
        {"mnuInsertSwitch6", "&Checkbox...", "Ctrl+F7"},
        {"mnuInsertSwitch7", "&Radio button...", "Ctrl+F8"},
        {"mnuInsertImage", "&Image...", "Ctrl+F9"}, {"mnuViewToolbar", "&Toolbar", ""},
        {"mnuViewResizeGrid", "&Auto Cell Sizing", ""},
        {"mnuViewHighlight", "&Highlight Colour...", ""},
        {"mnuViewPreview", "&Internal Viewer", ""},
        {"mnuViewRefresh", "&Refresh Internal Viewer", "F5"},
        {"mnuViewBrowser", "&External Viewer", ""}, {"mnuWindowCascade", "&Cascade", ""},
        {"mnuWindowTile", "&Tile", ""},            {"mnuWindowArrange", "&Arrange Icons", ""},
        {"mnuHelpContents", "&Contents", ""},      {"mnuHelpAbout", "&About...", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1] << row[2];
}

void tst_Shell::documentMenusHaveTheirCaptionsAndShortcuts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    if (!m_frame)
        m_frame = startFrame();
    frmWebForm *form = openForms(*m_frame).constFirst();
    auto *action = form->findChild<QAction *>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
    // The separators of the File menu sit where the menu's order says.
    const QStringList fileOrder = {"mnuFileNew", "mnuFileOpen", "mnuFileClose", "mnuFileSave",
                                   "mnuFileSaveAs", "mnuFileSeparator", "mnuFileConvert",
                                   "mnuFileSelectPos", "mnuFileProperties", "mnuFileSeparator2",
                                   "mnuFileWizard", "mnuFileSeparator3", "mnuFileExit",
                                   "mnuRecentFileSeparator", "mnuRecentFile0", "mnuRecentFile1",
                                   "mnuRecentFile2", "mnuRecentFile3"};
    QStringList actual;
    for (QAction *entry : form->menuBar()->actions().constFirst()->menu()->actions())
        actual << entry->objectName();
    QCOMPARE(actual, fileOrder);
}

void tst_Shell::windowMenuListsTheDocuments()
{
    m_frame = startFrame();
    NewWebForm();
    frmWebForm *form = m_frame->activeForm();
    QMenu *window = form->menuBar()->findChild<QMenu *>(QStringLiteral("mnuWindow"));
    QVERIFY(window);
    emit window->aboutToShow();
    QStringList entries;
    for (QAction *action : window->actions()) {
        if (!action->isSeparator())
            entries << action->text();
    }
    QCOMPARE(entries, (QStringList{"&Cascade", "&Tile", "&Arrange Icons", "&1 Untitled:1",
                                   "&2 Untitled:2"}));
    window->actions().at(4)->trigger(); // "&1 Untitled:1"
    QCOMPARE(m_frame->activeForm()->windowTitle(), QStringLiteral("Untitled:1"));
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

void tst_Shell::exitStopsAtTheFirstRefusal()
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

void tst_Shell::viewMenuTogglesTheToolbar()
{
    m_frame = startFrame();
    frmWebForm *form = openForms(*m_frame).constFirst();
    QVERIFY(triggerAction(form, QStringLiteral("mnuViewToolbar")));
    QVERIFY(!m_frame->isToolbarVisible());
    form->mnuFileClose_Click();
    QTRY_COMPARE(openForms(*m_frame).size(), 0);
    m_frame->mnuView_Click();
    QVERIFY(!m_frame->findChild<QAction *>(QStringLiteral("mnuViewToolbar"))->isChecked());
    m_frame->mnuFileNew_Click();
    form = openForms(*m_frame).constFirst();
    form->mnuView_Click();
    QVERIFY(!form->findChild<QAction *>(QStringLiteral("mnuViewToolbar"))->isChecked());
    QVERIFY(triggerAction(m_frame.get(), QStringLiteral("mnuViewToolbar")));
    QVERIFY(m_frame->isToolbarVisible());
}

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
