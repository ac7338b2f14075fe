// Building a form: inserting and editing every item type through its dialog and its key, the
// label input box, radio group renaming, the item clipboard and reordering.
#include "GuiTestSupport.h"

#include "editor/ItemClipboard.h"
#include "ui/ItemGridView.h"

#include <QRegularExpression>
#include <QUndoStack>

using namespace GuiTest;

namespace {

// The labels of the item rows, the current row's in brackets followed by the current
// column; "(mark misplaced)" unless the current cell is the one marked; " *" when the
// document is changed, the title bar showing it; " (preview)" once a preview page was made.
QString state(frmWebForm *form)
{
    const ItemGrid &grid = form->grid();
    const QPoint current(grid.currentColumn(), grid.currentRow());
    QStringList labels;
    for (int row = 1; row < grid.rows(); ++row)
        labels << QString::fromUtf8(grid.text(row, ColLabel));
    labels[current.y() - 1] =
        QStringLiteral("[%1]:%2").arg(labels[current.y() - 1]).arg(current.x());
    const bool changed = form->info().Changed;
    return labels.join(QLatin1Char(' ')) +
           (markedCells(form) == QList<QPoint>{current} ? QString() : " (mark misplaced)") +
           (changed ? QStringLiteral(" *") : QString()) +
           (changed == form->isWindowModified() ? QString() : QStringLiteral(" (title)")) +
           (form->PreviewFile.isEmpty() ? QString() : QStringLiteral(" (preview)"));
}

} // namespace

class tst_Editing : public FrameTest
{
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { closeFrame(m_frame); }

    // Ctrl+F<n> inserts its type's item into an empty document, F4 or a double click edits row
    // 1 (no settings: cancelled); only the type's cells are written. An unknown type opens
    // nothing; a selection keeps its choices and multiple state ("C" after the last "|" is none).
    void insertAndEdit_data()
    {
        QTest::addColumn<QString>("before"); // empty: insert
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("settings"); // for the label, the input box's answer
        QTest::addColumn<QString>("after");
        // Every box of every dialog; a box a dialog lacks or greys out is not filled in.
        const char *all = "txtItemName=n txtItemDefault=d txtItemLabel=L txtItemColumns=30 "
                          "txtItemRows=3 txtItemMaxLength=40 cboItemName=n chkItemDefault=1 "
                          "txtItemValue=v txtItemFile=f.gif cboItemAlign=Middle";
        const char *edit = "txtItemName=N2 txtItemMaxLength=21 txtItemRows=6";
        const char *table[][4] = {
            {"", "Ctrl+F1", "L", "Label|||L"},
            {"", "Ctrl+F1", "", ""}, // an empty answer inserts no label, nor empties one
            {"Label|||Keep me", "F4", "", "Label|||Keep me"},
            {"Label|||Keep me", "F4", "Changed", "Label|||Changed"},
            {"", "Ctrl+F2", all, "Text Field|n|d|L|30||40"},
            {"", "Ctrl+F3", all, "Password Field|n|d|L|30||40"},
            {"", "Ctrl+F4", all, "Hidden Field|n|d"},
            {"", "Ctrl+F5", all, "Text Area|n|d|L|30|3"},
            {"", "Ctrl+F6", all, "Selection|n|Disallow multiple selections|L||3"},
            {"", "Ctrl+F7", all, "Checkbox|n|Checked|L"},
            {"", "Ctrl+F8", all, "Radio Button|n|On|L||||v"},
            {"", "Ctrl+F9", all, "Image|n|f.gif|L||||Middle"},
            // Max. but not Rows; Rows but not Max.; Name and Default only
            {"Text Field|n|d|L|10|R|20|O", "F4", edit, "Text Field|N2|d|L|10|R|21|O"},
            {"Text Area|n|d|L|10|5|M|O", "F4", edit, "Text Area|N2|d|L|10|6|M|O"},
            {"Hidden Field|n|d|L|C|R|M|O", "F4", edit, "Hidden Field|N2|d|L|C|R|M|O"},
            {"Text Field|a|b|L|1||2", "F4", "", "Text Field|a|b|L|1||2"},
            {"Selection|s|Allow multiple selections|L||3||A||B|C", "double-click", "txtItemRows=4",
             "Selection|s|Allow multiple selections|L||4||A||B|"},
            {"Unknown|x", "double-click", "", "Unknown|x"},
        };
        for (const auto &row : table)
            QTest::addRow("%s %s > %s", row[1], row[0], row[3])
                << QString(row[0]) << row[1] << row[2] << QString(row[3]);
    }
    void insertAndEdit()
    {
        QFETCH(QString, before);
        QFETCH(QString, key);
        QFETCH(QString, settings);
        QFETCH(QString, after);
        const QString type = before.section(QLatin1Char('|'), 0, 0);
        const bool label = key == QLatin1String("Ctrl+F1") || type == QLatin1String("Label");
        if (label)
            Prompter::queueAnswer(settings);
        else if (type != QLatin1String("Unknown"))
            fillIn(settings, !settings.isEmpty());
        setRow(m_form, 1, before);
        ItemGridView *view = m_form->flgForm();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        if (key == QLatin1String("double-click"))
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                               view->visualRect(view->model()->index(0, 1)).center());
        else
            QTest::keyClick(view, QKeySequence(key)[0].key(),
                            QKeySequence(key)[0].keyboardModifiers());
        QCOMPARE(itemRows(m_form).value(0), after);
        // A label's input box asks for a new label or amends one.
        QCOMPARE(lastMessage().left(5), label ? (before.isEmpty() ? "Enter" : "Amend") : "");
        // Exactly one item, current and marked: no placeholder left. The preview followed a change.
        QCOMPARE(state(m_form),
                 QStringLiteral("[%1]:1").arg(after.section('|', ColLabel, ColLabel)) +
                     (before != after ? " * (preview)" : ""));
    }

    // Editing row 2 of a group asks about the others; inserting a radio button (below row 2)
    // never asks, whatever its name, and never touches another row.
    void radioRenaming_data()
    {
        QTest::addColumn<QString>("command"); // on row 2: edit it, or insert below it
        QTest::addColumn<QString>("newName"); // empty: the name the dialog shows is kept
        QTest::addColumn<QString>("reply");   // empty: no question expected
        QTest::addColumn<QString>("names");
        const char *edit = "mnuEditItem", *insert = "mnuInsertSwitch7";
        const char *table[][5] = {
            {"yes renames the group", edit, "size", "Yes", "size|size|grp|size|"},
            {"no renames one", edit, "size", "No", "grp|size|grp|grp|"},
            {"case alone is a rename", edit, "GRP", "Yes", "GRP|GRP|grp|GRP|"},
            {"same name asks nothing", edit, "", "", "grp|grp|grp|grp|"},
            {"insert, new group asks nothing", insert, "size", "", "grp|grp|size|grp|grp|"},
            {"insert into a group asks nothing", insert, "grp", "", "grp|grp|grp|grp|grp|"}};
        for (const auto &row : table)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]) << QString(row[3])
                                  << QString(row[4]);
    }
    void radioRenaming()
    {
        QFETCH(QString, command);
        QFETCH(QString, newName);
        QFETCH(QString, reply);
        QFETCH(QString, names);
        const char *items[] = {"Radio Button|grp|Off|a||||1", "Radio Button|grp|Off|b||||2",
                               "Checkbox|grp|Unchecked|c", "Radio Button|grp|On|d||||4",
                               "Radio Button||Off|e"}; // the last has no name yet
        for (int i = 0; i < 5; ++i)
            setRow(m_form, i + 1, items[i]);
        if (!reply.isEmpty())
            Prompter::queueAnswer(reply == "Yes" ? QMessageBox::Yes : QMessageBox::No);
        fillIn(newName.isEmpty() ? QString() : "cboItemName=" + newName);
        m_form->grid().setCurrentCell(2, 1);
        QVERIFY(triggerAction(m_form, command));
        QCOMPARE(lastMessage().left(11), reply.isEmpty() ? "" : "Replace all"); // the question
        const QRegularExpression name(QStringLiteral(R"(^[^|]*\|([^|]*).*)"));  // the Name cell
        QCOMPARE(itemRows(m_form).replaceInStrings(name, "\\1").join('|'), names);
        // The edit and the renaming of its group are one step of the history.
        QCOMPARE(m_form->history()->count(), newName.isEmpty() ? 0 : 1);
        m_form->history()->undo();
        QCOMPARE(itemRows(m_form).replaceInStrings(name, "\\1").join('|'), "grp|grp|grp|grp|");
    }

    // The toolbar's item commands (no preview made) on checkboxes given by their labels:
    // "@r,c" makes that cell current, "?" notes the state and clears the change mark. Moves stop
    // at either end and keep the cell; paste lands above the current item; a last item is blanked.
    void itemCommands_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("states");
        const char *table[][4] = {
            {"empty: nothing to cut or paste", "", "CUTITEM PASTEITEM ?", "[]:1"},
            {"moves, delete and cut", "1 2 3",
             "@1,3 MOVEUP @3,3 MOVEDOWN ? MOVEUP ? MOVEDOWN ? DELETEITEM ? @1,1 CUTITEM ? "
             "PASTEITEM ? @2,1 DELETEITEM ? DELETEITEM ? PASTEITEM ?",
             "1 2 [3]:3 | 1 [3]:3 2 * | 1 2 [3]:3 * | 1 [2]:3 * | [2]:1 * | [1]:1 2 * | "
             "[1]:1 * | []:1 * | [1]:1 *"},
            {"copy into another window", "a",
             "@1,2 COPYITEM ? NEWFILE PASTEITEM ? @1,1 PASTEITEM ?",
             "[a]:2 | [a]:1 * | [a]:1 a *"}};
        for (const auto &row : table)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]) << QString(row[3]);
    }
    void itemCommands()
    {
        QFETCH(QString, items);
        QFETCH(QString, steps);
        QFETCH(QString, states);
        ItemClipboard() = ItemGrid::Row();                    // whatever an earlier row copied
        const QString box = "Checkbox|agree|Checked|%1||||x"; // every cell filled in
        int row = 0;
        for (const QString &label : items.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            setRow(m_form, ++row, box.arg(label));
        QStringList seen;
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            frmWebForm *form = m_frame->activeForm();
            if (step == QLatin1String("?")) {
                seen << state(form);
                form->info().Changed = false;
            } else if (step.startsWith(QLatin1Char('@'))) {
                form->grid().setCurrentCell(step.mid(1).section(',', 0, 0).toInt(),
                                            step.section(',', 1).toInt());
            } else {
                m_frame->tbrDesign_ButtonClick(step);
            }
        }
        QCOMPARE(seen.join(QLatin1String(" | ")), states);
        // Every item is one of those given, whole: the clipboard keeps every cell.
        for (const QString &item : itemRows(m_frame->activeForm()))
            QVERIFY(item.isEmpty() || item == box.arg(item.section(QLatin1Char('|'), 3, 3)));
    }
};

QTEST_MAIN(tst_Editing)
#include "tst_editing.moc"
