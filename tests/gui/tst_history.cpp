// The undo history of a document window: each command a step that undo and redo take back and
// forth exactly, the changed flag, the Undo and Redo entries and keys, and dragged rows.
#include "GuiTestSupport.h"

#include "TestFiles.h"

#include "Conversion.h"
#include "ItemTypes.h"
#include "WebFormFile.h"
#include "ui/ItemGridView.h"

#include <QUndoStack>

using namespace GuiTest;

namespace {

// Gives the commands, action names or keys clicked on the grid, each dialog they show
// answered with `text`.
void run(frmWebForm *form, const QString &commands, const QString &text = QString())
{
    for (const QString &command : commands.split(QLatin1Char(' '))) {
        const QByteArray type = form->grid().text(form->grid().currentRow(), ColType);
        if (command == "mnuInsertLabel" || (command == "mnuEditItem" && type == "Label"))
            Prompter::queueAnswer(text);
        else if (command == "mnuInsertField1" || command == "mnuEditItem" ||
                 command == "mnuFileProperties")
            fillIn(QStringLiteral("txtItemName=%1 txtSubmit=%1").arg(text));
        if (!command.contains(QLatin1Char('+'))) {
            QVERIFY(triggerAction(form, command));
            continue;
        }
        // As a user does it once the frame came forward again.
        form->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form->window()));
        form->flgForm()->setFocus();
        const QKeyCombination key = QKeySequence(command)[0];
        QTest::keyClick(form->flgForm(), key.key(), key.keyboardModifiers());
    }
}

// The Web Form File written from the document; its state adds the current row.
QByteArray fileOf(frmWebForm *form)
{
    return FormatWebFormFile(form->info(), form->grid());
}

QByteArray stateOf(frmWebForm *form)
{
    return fileOf(form) + "current row " + QByteArray::number(form->grid().currentRow());
}

// Only the current cell carries the highlight.
bool markOnCurrentCell(frmWebForm *form)
{
    const ItemGrid &grid = form->grid();
    return markedCells(form) == QList<QPoint>{QPoint(grid.currentColumn(), grid.currentRow())};
}

// The centre of grid row `row` (past the last item: below the rows) in its window.
QPoint rowCentre(ItemGridView *view, int row)
{
    const bool below = row >= view->model()->rowCount() + 1;
    const QRect cell = view->visualRect(view->model()->index(row - (below ? 2 : 1), 1));
    const QPoint centre = cell.center() + QPoint(0, below ? cell.height() * 2 : 0);
    return view->viewport()->mapTo(view->window(), centre);
}

} // namespace

class tst_History : public FrameTest
{
    Q_OBJECT

    void addLabels(frmWebForm *form, int n)
    {
        for (int i = 1; i <= n; ++i)
            run(form, QStringLiteral("mnuInsertLabel"), QString::number(i));
    }

    // Drags `row` of `from` with the left button onto `to`'s row `target`, as a user does.
    void dragRow(frmWebForm *from, int row, frmWebForm *to, int target)
    {
        QWindow *window = m_frame->windowHandle();
        const QPoint start = rowCentre(from->flgForm(), row);
        const QPoint end = rowCentre(to->flgForm(), target);
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        for (const QPoint &at :
             {start + QPoint(0, QApplication::startDragDistance() + 1), (start + end) / 2, end})
            QTest::mouseMove(window, at);
        QTest::mouseRelease(window, Qt::LeftButton, {}, end);
    }

private slots:
    void init() { startTest(); }
    void cleanup() { closeFrame(m_frame); }

    // Each command is one step that the Undo entry names. Undo gives back the state before it
    // byte for byte, the preview following; either Redo key the state after it. The changed
    // flag follows the saved state, which is gone once a new step replaces it.
    void undoRedo_data()
    {
        QTest::addColumn<QString>("step"); // the row's name: actions or keys, "rowN": row N current
        QTest::newRow("mnuInsertLabel") << QString("Insert Label");
        QTest::newRow("mnuInsertField1") << QString("Insert Text Field");
        QTest::newRow("mnuEditItem") << QString("Edit Item");
        QTest::newRow("row3 mnuEditItem") << QString("Edit Item"); // a text field's dialog
        QTest::newRow("mnuEditDelete") << QString("Delete");
        QTest::newRow("row3 mnuEditCut") << QString("Cut");
        QTest::newRow("mnuEditCopy mnuEditPaste") << QString("Paste"); // copying is no step
        QTest::newRow("Alt+Up") << QString("Move Up");
        QTest::newRow("Alt+Down") << QString("Move Down");
        QTest::newRow("mnuFileProperties") << QString("Properties");
    }
    void undoRedo()
    {
        QFETCH(QString, step);
        QStringList words = QString::fromLatin1(QTest::currentDataTag()).split(QLatin1Char(' '));
        const int row = words.first().startsWith("row") ? words.takeFirst().mid(3).toInt() : 2;
        addLabels(m_form, 2);
        run(m_form, QStringLiteral("mnuInsertField1"), QStringLiteral("f"));
        m_form->grid().setCurrentCell(row, 1);
        m_form->history()->clear();
        QVERIFY(SaveWebFormFile(m_form, path("x.wfm")));
        const QByteArray start = stateOf(m_form);
        QAction *undo = findAction(m_form, QStringLiteral("mnuEditUndo"));
        QAction *redo = findAction(m_form, QStringLiteral("mnuEditRedo"));
        run(m_form, words.join(QLatin1Char(' ')), QStringLiteral("new"));
        m_form->FlushPreview(); // nothing held back from the command itself
        const QByteArray done = stateOf(m_form);
        QVERIFY(fileOf(m_form) != TestFiles::read(path("x.wfm")));
        QVERIFY(undo->text().endsWith(' ' + step) && !redo->isEnabled());

        m_form->grid().setCurrentCell(1, 2); // a click is no step
        run(m_form, QStringLiteral("Ctrl+Z"));
        QCOMPARE(stateOf(m_form), start);
        QVERIFY(markOnCurrentCell(m_form));
        QVERIFY(!m_form->info().Changed); // back to the saved state
        QVERIFY(!undo->isEnabled() && redo->text().endsWith(' ' + step));
        m_form->FlushPreview(); // the preview shows the page of the form as it now is
        const QString page = path(QStringLiteral("page.htm"));
        QVERIFY(ConvertToHtml(m_form->grid(), m_form->info(), page, true).ok());
        QCOMPARE(TestFiles::read(m_form->PreviewFile), TestFiles::read(page));
        for (const char *redoKeys : {"Ctrl+Shift+Z", "Ctrl+Z Ctrl+Y"}) {
            run(m_form, QLatin1String(redoKeys));
            QCOMPARE(stateOf(m_form), done);
            QVERIFY(m_form->info().Changed);
        }
        // Saved after the step, which is then undone.
        QVERIFY(SaveWebFormFile(m_form, path("x.wfm")));
        run(m_form, QStringLiteral("Ctrl+Z"));
        QVERIFY(m_form->isWindowModified());
        run(m_form, QStringLiteral("mnuFileProperties"), QStringLiteral("other"));
        QVERIFY(m_form->isWindowModified() && m_form->info().Changed);
    }

    // A row dragged with the mouse moves within its window, a Move step, and is copied onto
    // another, a Paste step there; dropped onto itself it does nothing. Undo takes it back.
    void dragRows_data()
    {
        QTest::addColumn<bool>("otherWindow");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("target");     // 5: below the rows
        QTest::addColumn<QString>("labels"); // the target's after, the current one in brackets
        QTest::newRow("down") << false << 1 << 3 << QString("2 3 [1] 4");
        QTest::newRow("up") << false << 4 << 2 << QString("1 [4] 2 3");
        QTest::newRow("below the rows") << false << 2 << 5 << QString("1 3 4 [2]");
        QTest::newRow("onto itself") << false << 2 << 2 << QString("1 [2] 3 4");
        QTest::newRow("other window") << true << 3 << 2 << QString("1 [3] 2 3 4");
        QTest::newRow("other window, below") << true << 1 << 5 << QString("1 2 3 4 [1]");
    }
    void dragRows()
    {
        QFETCH(bool, otherWindow);
        QFETCH(int, row);
        QFETCH(int, target);
        QFETCH(QString, labels);
        addLabels(m_form, 4);
        if (otherWindow)
            NewWebForm();
        frmWebForm *to = m_frame->activeForm();
        addLabels(to, to == m_form ? 0 : 4);
        m_frame->mdiArea()->tileSubWindows();
        to->history()->clear();
        const QByteArray source = fileOf(m_form);
        const QByteArray targetWas = fileOf(to);
        dragRow(m_form, row, to, target);
        QStringList shown;
        for (int r = 1; r < to->grid().rows(); ++r) {
            const QString label = QString::fromUtf8(to->grid().text(r, ColLabel));
            shown << (r == to->grid().currentRow() ? "[" + label + "]" : label);
        }
        QCOMPARE(shown.join(QLatin1Char(' ')), labels);
        QVERIFY(markOnCurrentCell(to));
        if (otherWindow)
            QCOMPARE(fileOf(m_form), source); // a copy: the source keeps its row
        const QString step = otherWindow ? "Paste" : row == target ? "" : "Move";
        QCOMPARE(to->history()->undoText(), step);
        to->history()->undo();
        QCOMPARE(fileOf(to), targetWas);
        QCOMPARE(to->grid().currentRow(), otherWindow ? 4 : row);
    }
};

QTEST_MAIN(tst_History)
#include "tst_history.moc"
