// The undo history of a document window: a long random run of commands undone and redone
// exactly, the changed flag at every step, the Undo and Redo entries, the move keys and
// rows dragged with the mouse within a window and onto another one.
#include "GuiTestSupport.h"

#include "TestFiles.h"

#include "Conversion.h"
#include "ItemTypes.h"
#include "WebFormFile.h"
#include "editor/ItemClipboard.h"
#include "editor/frmEditField.h"
#include "output/frmProperties.h"
#include "ui/ItemGridView.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace GuiTest;

namespace {

// Answers the next dialog of type D: sets the named line edits, then OK.
template <typename D> void fillIn(const QList<QPair<const char *, QString>> &boxes)
{
    whenModal<D>([boxes](D *dialog) {
        for (const auto &box : boxes)
            static_cast<QWidget *>(dialog)->findChild<QLineEdit *>(box.first)->setText(box.second);
        dialog->cmdOK_Click();
    });
}

// Gives the commands (action names), each dialog they show answered with `text`.
void run(frmWebForm *form, const QString &commands, const QString &text)
{
    for (const QString &command : commands.split(QLatin1Char(' '))) {
        QAction *action = findAction(form, command);
        QVERIFY2(action, qPrintable(command));
        if (!action->isEnabled())
            continue;
        const QByteArray type = form->grid().text(form->grid().currentRow(), ColType);
        if (command == "mnuInsertLabel" || (command == "mnuEditItem" && type == "Label"))
            Prompter::queueAnswer(text);
        else if (command == "mnuInsertField1")
            fillIn<frmEditField>({{"txtItemName", text}, {"txtItemLabel", text}});
        else if (command == "mnuEditItem" && !type.isEmpty())
            fillIn<frmEditField>({{"txtItemDefault", text}});
        else if (command == "mnuFileProperties")
            fillIn<frmProperties>({{"txtSubmit", text}, {"txtCGIFile", "/cgi/" + text}});
        action->trigger();
    }
}

// What a state of the document is: the Web Form File written from it and its current row.
struct State
{
    QByteArray file;
    int currentRow = 0;
    bool operator==(const State &other) const
    {
        return file == other.file && currentRow == other.currentRow;
    }
};

State stateOf(frmWebForm *form)
{
    return {FormatWebFormFile(form->info(), form->grid()), form->grid().currentRow()};
}

// Only the current cell carries the highlight.
bool markOnCurrentCell(frmWebForm *form)
{
    const ItemGrid &grid = form->grid();
    return markedCells(form) == QList<QPoint>{QPoint(grid.currentColumn(), grid.currentRow())};
}

QString actionText(frmWebForm *form, const char *name)
{
    const QAction *action = findAction(form, QLatin1String(name));
    return action
               ? (action->isEnabled() ? action->text() : QStringLiteral("(off) ") + action->text())
               : QStringLiteral("(missing)");
}

// The centre of grid row `row` (past the last item: below the rows) in `view`'s viewport.
QPoint rowCentre(ItemGridView *view, int row)
{
    if (row >= view->model()->rowCount() + 1) {
        const QRect last = view->visualRect(view->model()->index(row - 2, 1));
        return last.center() + QPoint(0, last.height() * 2);
    }
    return view->visualRect(view->model()->index(row - 1, 1)).center();
}

} // namespace

class tst_History : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmDesign> m_frame;
    frmWebForm *m_form = nullptr;

    void addLabels(frmWebForm *form, int n)
    {
        for (int i = 1; i <= n; ++i) {
            Prompter::queueAnswer(QString::number(i));
            form->mnuInsertLabel_Click();
        }
    }

    // Drags `row` of `from` with the left button onto `to`'s row `target`, as a user does.
    void dragRow(frmWebForm *from, int row, frmWebForm *to, int target)
    {
        QWindow *window = m_frame->windowHandle();
        const auto onWindow = [this](ItemGridView *view, const QPoint &at) {
            return view->viewport()->mapTo(m_frame.get(), at);
        };
        const QPoint start = onWindow(from->flgForm(), rowCentre(from->flgForm(), row));
        const QPoint end = onWindow(to->flgForm(), rowCentre(to->flgForm(), target));
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        for (const QPoint &at :
             {start + QPoint(0, QApplication::startDragDistance() + 1), (start + end) / 2, end})
            QTest::mouseMove(window, at);
        QTest::mouseRelease(window, Qt::LeftButton, {}, end);
    }

    // Clicks `sequence` on the grid, as a user does after the frame came forward again.
    void keys(const QString &sequence)
    {
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_form->flgForm()->setFocus();
        const QKeyCombination key = QKeySequence(sequence)[0];
        QTest::keyClick(m_form->flgForm(), key.key(), key.keyboardModifiers());
    }

private slots:
    void init()
    {
        resetSettings();
        ItemClipboard() = ItemGrid::Row();
        m_frame = startFrame();
        m_form = m_frame->activeForm();
    }

    void cleanup()
    {
        QCOMPARE(discardPendingModals(), 0);
        closeFrame(m_frame);
    }

    // A few hundred commands chosen at random, with undos, redos and saves among them:
    // every state of the history comes back exactly with the row its step touched made
    // current, the changed flag always tells whether the state is the saved one, and the
    // highlight stays on the current cell.
    void randomCommandsUndoAndRedoExactly()
    {
        QTemporaryDir dir;
        QRandomGenerator random(12);
        QUndoStack *history = m_form->history();
        const ItemGrid &grid = m_form->grid();
        const QStringList commands{"mnuInsertLabel",
                                   "mnuInsertField1",
                                   "mnuEditItem",
                                   "mnuEditDelete",
                                   "mnuEditCut",
                                   "mnuEditCopy mnuEditPaste",
                                   "mnuEditMoveUp",
                                   "mnuEditMoveDown",
                                   "mnuFileProperties",
                                   "drag",
                                   "undo",
                                   "redo",
                                   "save"};
        QList<State> states{stateOf(m_form)}; // after 0, 1, 2... steps
        QList<int> rowsBefore{0};             // per step, the current row before it
        int saved = 0; // the step count of the saved state, -1 when it is gone
        for (int i = 0; i < 300; ++i) {
            const int before = history->index();
            const int rowBefore = grid.currentRow();
            const QString command = commands.at(int(random.bounded(commands.size())));
            if (command == "undo") {
                history->undo();
            } else if (command == "redo") {
                history->redo();
            } else if (command == "save") {
                QVERIFY(SaveWebFormFile(m_form, dir.filePath(QStringLiteral("form.wfm"))));
                QCOMPARE(history->index(), before); // saving keeps the history
                saved = before;
            } else if (command == "drag") {
                m_form->moveDroppedRow(1 + int(random.bounded(grid.rows())),
                                       1 + int(random.bounded(grid.rows())));
            } else {
                run(m_form, command, QString::number(i));
            }
            QCOMPARE(discardPendingModals(), 0);
            const int after = history->index();
            const State now = stateOf(m_form);
            const QByteArray step = command.toLatin1() + " as step " + QByteArray::number(i) +
                                    ", history " + QByteArray::number(before) + "->" +
                                    QByteArray::number(after) + ", saved " +
                                    QByteArray::number(saved);
            if (command != "undo" && command != "redo" && after != before) {
                QVERIFY2(after == before + 1, step);
                if (saved > before)
                    saved = -1; // the saved state was undone and is now gone for good
                states.resize(after);
                states << now;
                rowsBefore.resize(after);
                rowsBefore << rowBefore;
            }
            // A command that changed the file is a step; the file is the step's.
            QVERIFY2(now.file == states.at(after).file, step);
            if (command == "undo" && after < before)
                QVERIFY2(now.currentRow == rowsBefore.at(before), step);
            if (command == "redo" && after > before)
                QVERIFY2(now.currentRow == states.at(after).currentRow, step);
            QVERIFY2(m_form->info().Changed == (after != saved), step);
            QVERIFY2(m_form->isWindowModified() == (after != saved), step);
            QVERIFY2(markOnCurrentCell(m_form), step);
            m_form->grid().setCurrentCell(1 + int(random.bounded(grid.rows() - 1)), 1);
        }
        QVERIFY(history->count() > 100);
        const int end = history->index();
        while (history->canUndo()) {
            history->undo();
            QCOMPARE(stateOf(m_form).file, states.at(history->index()).file);
            QCOMPARE(grid.currentRow(), rowsBefore.at(history->index() + 1));
            QVERIFY(markOnCurrentCell(m_form));
            QCOMPARE(m_form->info().Changed, history->index() != saved);
        }
        while (history->index() < end) {
            history->redo();
            QCOMPARE(stateOf(m_form), states.at(history->index()));
        }
        failOnUnansweredQuestions();
    }
    // The Undo and Redo entries after a step, its undo and its redo, and the keys.
    void undoRedoEntriesAndKeys_data()
    {
        QTest::addColumn<QString>("command"); // an action, or keys clicked on the grid
        QTest::addColumn<QString>("step");
        const QList<QPair<QString, QString>> rows{{"mnuInsertLabel", "Insert Label"},
                                                  {"mnuInsertField1", "Insert Text Field"},
                                                  {"mnuEditItem", "Edit Item"},
                                                  {"mnuEditDelete", "Delete"},
                                                  {"mnuEditCut", "Cut"},
                                                  {"mnuEditPaste", "Paste"},
                                                  {"mnuEditMoveUp", "Move Up"},
                                                  {"Alt+Up", "Move Up"},
                                                  {"Alt+Down", "Move Down"},
                                                  {"mnuFileProperties", "Properties"}};
        for (const auto &[command, step] : rows)
            QTest::newRow(qPrintable(command)) << command << step;
    }
    void undoRedoEntriesAndKeys()
    {
        QFETCH(QString, command);
        QFETCH(QString, step);
        addLabels(m_form, 3);
        ItemClipboard() = m_form->grid().rowCells(1);
        m_form->grid().setCurrentCell(2, 1);
        m_form->history()->clear();
        QTemporaryDir dir;
        QVERIFY(SaveWebFormFile(m_form, dir.filePath(QStringLiteral("x.wfm"))));
        const State start = stateOf(m_form);
        QCOMPARE(actionText(m_form, "mnuEditUndo"), "(off) &Undo");
        QCOMPARE(actionText(m_form, "mnuEditRedo"), "(off) &Redo");
        if (command.startsWith(QLatin1String("Alt")))
            keys(command);
        else
            run(m_form, command, QStringLiteral("new"));
        m_form->FlushPreview(); // nothing held back from the command itself
        const State done = stateOf(m_form);
        QVERIFY(done.file != start.file);
        QCOMPARE(actionText(m_form, "mnuEditUndo"), "&Undo " + step);
        QCOMPARE(actionText(m_form, "mnuEditRedo"), "(off) &Redo");
        QVERIFY(m_form->isWindowModified());

        keys(QStringLiteral("Ctrl+Z"));
        QCOMPARE(stateOf(m_form), start);
        QVERIFY(!m_form->info().Changed); // back to the saved state
        // The preview followed: it shows the page of the form as it now is.
        m_form->FlushPreview();
        const QString page = dir.filePath(QStringLiteral("page.htm"));
        QVERIFY(ConvertToHtml(m_form->grid(), m_form->info(), page, true).ok());
        QCOMPARE(TestFiles::read(m_form->PreviewFile), TestFiles::read(page));
        QCOMPARE(actionText(m_form, "mnuEditUndo"), "(off) &Undo");
        QCOMPARE(actionText(m_form, "mnuEditRedo"), "&Redo " + step);
        // Redo has two keys.
        for (const char *redo : {"Ctrl+Shift+Z", "Ctrl+Y"}) {
            keys(QLatin1String(redo));
            QCOMPARE(stateOf(m_form).file, done.file);
            QVERIFY(m_form->info().Changed);
            keys(QStringLiteral("Ctrl+Z"));
        }
    }

    // A row dragged with the mouse moves within its window and is copied onto another.
    void dragRows_data()
    {
        QTest::addColumn<bool>("otherWindow");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("target"); // 5: below the rows
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("step");
        struct Row
        {
            const char *name;
            bool otherWindow;
            int row;
            int target;
            const char *labels;
            const char *step;
        };
        for (const Row &r : {Row{"down", false, 1, 3, "2 3 [1] 4", "Move"},
                             Row{"up", false, 4, 2, "1 [4] 2 3", "Move"},
                             Row{"below the rows", false, 2, 5, "1 3 4 [2]", "Move"},
                             Row{"onto itself", false, 2, 2, "1 [2] 3 4", ""},
                             Row{"other window", true, 3, 2, "1 [3] 2 3 4", "Paste"},
                             Row{"other window, below", true, 1, 5, "1 2 3 4 [1]", "Paste"}})
            QTest::newRow(r.name) << r.otherWindow << r.row << r.target << QString(r.labels)
                                  << QString(r.step);
    }
    void dragRows()
    {
        QFETCH(bool, otherWindow);
        QFETCH(int, row);
        QFETCH(int, target);
        QFETCH(QString, labels);
        QFETCH(QString, step);
        addLabels(m_form, 4);
        frmWebForm *to = m_form;
        if (otherWindow) {
            NewWebForm();
            to = m_frame->activeForm();
            addLabels(to, 4);
            m_frame->mdiArea()->tileSubWindows();
        }
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        const State source = stateOf(m_form);
        const State targetWas = stateOf(to);
        const int steps = to->history()->count();
        dragRow(m_form, row, to, target);
        QStringList shown;
        for (int r = 1; r < to->grid().rows(); ++r) {
            const QString label = QString::fromUtf8(to->grid().text(r, ColLabel));
            shown << (r == to->grid().currentRow() ? "[" + label + "]" : label);
        }
        QCOMPARE(shown.join(QLatin1Char(' ')), labels);
        QVERIFY(markOnCurrentCell(to));
        if (otherWindow)
            QCOMPARE(stateOf(m_form).file, source.file); // a copy: the source keeps its row
        QCOMPARE(to->history()->count(), steps + (step.isEmpty() ? 0 : 1));
        if (!step.isEmpty()) {
            QCOMPARE(to->history()->undoText(), step);
            to->history()->undo();
            QCOMPARE(stateOf(to).file, targetWas.file);
            QCOMPARE(to->grid().currentRow(), otherWindow ? 4 : row);
        }
    }
};

QTEST_MAIN(tst_History)
#include "tst_history.moc"
