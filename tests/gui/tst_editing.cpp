// Building a form: inserting and editing every item type through its dialog, the label
// input box, radio group renaming, the item clipboard and reordering, and the shortcuts.
#include "GuiTestSupport.h"

#include "ItemTypes.h"
#include "editor/ItemClipboard.h"
#include "editor/frmEditList.h"
#include "editor/frmEditSelect.h"
#include "output/frmProperties.h"
#include "ui/ItemGridView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace GuiTest;

namespace {

QString g_dialogTitle; // of the last dialog answered

// Answers the next dialog of type D once it shows: "control=value" for each control to
// set where it is enabled (a check box is ticked by any value, a push button clicked),
// then OK or Cancel. Its title is kept in g_dialogTitle.
template <typename D = ModalDialog> void fillIn(const QStringList &settings, bool ok = true)
{
    whenModal<D>([settings, ok](D *dialog) {
        g_dialogTitle = dialog->windowTitle();
        for (const QString &setting : settings) {
            const QString name = setting.section(QLatin1Char('='), 0, 0);
            const QString value = setting.section(QLatin1Char('='), 1);
            auto *control = static_cast<QWidget *>(dialog)->findChild<QWidget *>(name);
            if (!control)
                qWarning("no control named %s", qPrintable(name));
            if (!control || !control->isEnabled())
                continue;
            if (auto *box = qobject_cast<QLineEdit *>(control))
                box->setText(value);
            else if (auto *combo = qobject_cast<QComboBox *>(control))
                combo->setCurrentText(value);
            else if (auto *button = qobject_cast<QAbstractButton *>(control))
                button->isCheckable() ? button->setChecked(!value.isEmpty()) : button->click();
        }
        ok ? dialog->cmdOK_Click() : dialog->cmdCancel_Click();
    });
}

// A row's cells up to its last non-empty one.
QByteArrayList rowOf(frmWebForm *form, int row)
{
    QByteArrayList cells;
    for (int col = 0; col < ItemColumnCount; ++col)
        cells << form->grid().text(row, col);
    while (!cells.isEmpty() && cells.constLast().isEmpty())
        cells.removeLast();
    return cells;
}

void setRow(frmWebForm *form, int row, const QByteArrayList &cells)
{
    if (row >= form->grid().rows())
        form->grid().addRow(row);
    for (int col = 0; col < cells.size(); ++col)
        form->grid().setText(row, col, cells.at(col));
}

// The labels of the item rows, the current row's in brackets; "(mark misplaced)" unless
// the current cell is the one marked.
QString labelsAndMark(frmWebForm *form)
{
    const ItemGrid &grid = form->grid();
    QStringList labels;
    for (int row = 1; row < grid.rows(); ++row) {
        const QString label = QString::fromUtf8(grid.text(row, ColLabel));
        labels << (row == grid.currentRow() ? QLatin1Char('[') + label + QLatin1Char(']') : label);
    }
    const bool mark =
        markedCells(form) == QList<QPoint>{QPoint(grid.currentColumn(), grid.currentRow())};
    return labels.join(QLatin1Char(' ')) + (mark ? QString() : QStringLiteral(" (mark misplaced)"));
}

} // namespace

class tst_Editing : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmDesign> m_frame;
    frmWebForm *m_form = nullptr;

private slots:
    void init()
    {
        resetSettings();
        g_dialogTitle.clear();
        ItemClipboard() = ItemGrid::Row(); // whatever an earlier test copied
        m_frame = startFrame();
        m_form = m_frame->activeForm();
    }

    void cleanup()
    {
        QCOMPARE(discardPendingModals(), 0); // every prepared dialog came
        closeFrame(m_frame);
    }

    void insertIntoAnEmptyDocument_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("settings"); // for the label, the input box's answer
        QTest::addColumn<QByteArrayList>("cells");
        const QStringList field = {"txtItemName=n", "txtItemDefault=d", "txtItemLabel=L",
                                   "txtItemColumns=30", "txtItemMaxLength=40"};
        QTest::newRow("label") << "INSERTLABEL" << QStringList{"Hi"}
                               << QByteArrayList{"Label", "", "", "Hi"};
        QTest::newRow("text") << "INSERTTEXT" << field
                              << QByteArrayList{"Text Field", "n", "d", "L", "30", "", "40"};
        QTest::newRow("password") << "INSERTPASSWORD" << field
                                  << QByteArrayList{
                                         "Password Field", "n", "d", "L", "30", "", "40"};
        QTest::newRow("hidden") << "INSERTHIDDEN" << field
                                << QByteArrayList{"Hidden Field", "n", "d"};
        QTest::newRow("area") << "INSERTAREA" << field
                              << QByteArrayList{"Text Area", "n", "d", "L", "30", "4"};
        QTest::newRow("selection")
            << "INSERTSELECT" << QStringList{"txtItemName=n", "txtItemLabel=L", "txtItemRows=1"}
            << QByteArrayList{"Selection", "n", "Disallow multiple selections", "L", "", "1"};
        QTest::newRow("checkbox") << "INSERTCHECK"
                                  << QStringList{"cboItemName=n", "txtItemLabel=L",
                                                 "chkItemDefault=1"}
                                  << QByteArrayList{"Checkbox", "n", "Checked", "L"};
        QTest::newRow("radio") << "INSERTRADIO"
                               << QStringList{"cboItemName=n", "txtItemLabel=L", "txtItemValue=v",
                                              "chkItemDefault=1"}
                               << QByteArrayList{"Radio Button", "n", "On", "L", "", "", "", "v"};
        QTest::newRow("image") << "INSERTIMAGE"
                               << QStringList{"txtItemName=n", "txtItemFile=f.gif",
                                              "txtItemLabel=L", "cboItemAlign=Middle"}
                               << QByteArrayList{"Image", "n", "f.gif", "L", "", "", "", "Middle"};
    }
    void insertIntoAnEmptyDocument()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, settings);
        QFETCH(QByteArrayList, cells);
        if (key == QLatin1String("INSERTLABEL"))
            Prompter::queueAnswer(settings.constFirst());
        else
            fillIn(settings);
        m_frame->tbrDesign_ButtonClick(key);
        QCOMPARE(rowOf(m_form, 1), cells);
        // Exactly one item, current and marked: no placeholder left.
        QCOMPARE(labelsAndMark(m_form), "[" + QString::fromUtf8(cells.value(ColLabel)) + "]");
        QVERIFY(m_form->info().Changed);
        QVERIFY(m_form->isWindowModified());     // the title bar shows it
        QVERIFY(!m_form->PreviewFile.isEmpty()); // the preview followed the insert

        // The type's key Ctrl+F<n> inserts another, F4 edits this one; cancelled here.
        const QString type = QString::fromLatin1(cells.constFirst());
        const auto titleAfter = [&](int key, Qt::KeyboardModifiers modifiers) {
            g_dialogTitle.clear();
            Prompter::clearShown();
            m_frame->activateWindow(); // the frame is active again after a dialog
            if (!QTest::qWaitForWindowActive(m_frame.get()))
                return QStringLiteral("(the frame is not active)");
            m_form->flgForm()->setFocus();
            if (type != QLatin1String("Label"))
                fillIn({}, false);
            else
                Prompter::queueAnswer(QString()); // the input box cancelled
            QTest::keyClick(m_form->flgForm(), Qt::Key(key), modifiers);
            return Prompter::shown().isEmpty() ? g_dialogTitle : Prompter::shown().at(0).title;
        };
        QCOMPARE(titleAfter(Qt::Key_F1 + ItemTypeCode(cells.constFirst()), Qt::ControlModifier),
                 "Insert " + type);
        QCOMPARE(titleAfter(Qt::Key_F4, Qt::NoModifier), "Edit " + type);
        QCOMPARE(rowOf(m_form, 1), cells);
        QCOMPARE(openForms(*m_frame).size(), 1); // Ctrl+F4 did not close the window
    }

    void editWritesOnlyTheTypesCells_data()
    {
        QTest::addColumn<QByteArrayList>("before");
        QTest::addColumn<QByteArrayList>("after"); // unchanged: the dialog is cancelled
        const QByteArray t = "Text Field", h = "Hidden Field", a = "Text Area";
        QTest::newRow("text field: Max. but not Rows")
            << QByteArrayList{t, "n", "d", "l", "10", "R", "20", "O"}
            << QByteArrayList{t, "N2", "d", "l", "10", "R", "21", "O"};
        QTest::newRow("text area: Rows but not Max.")
            << QByteArrayList{a, "n", "d", "l", "10", "5", "M", "O"}
            << QByteArrayList{a, "N2", "d", "l", "10", "6", "M", "O"};
        QTest::newRow("hidden: Name and Default only")
            << QByteArrayList{h, "n", "d", "L", "C", "R", "M", "O"}
            << QByteArrayList{h, "N2", "d", "L", "C", "R", "M", "O"};
        QTest::newRow("cancelled") << QByteArrayList{t, "a", "b", "c", "1", "", "2"}
                                   << QByteArrayList{t, "a", "b", "c", "1", "", "2"};
    }
    void editWritesOnlyTheTypesCells()
    {
        QFETCH(QByteArrayList, before);
        QFETCH(QByteArrayList, after);
        setRow(m_form, 1, before);
        fillIn({"txtItemName=N2", "txtItemMaxLength=21", "txtItemRows=6"}, before != after);
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuEditItem")));
        QCOMPARE(rowOf(m_form, 1), after);
        QCOMPARE(m_form->info().Changed, before != after);
        QCOMPARE(m_form->isWindowModified(), before != after);
    }

    // An empty answer (or Cancel) neither empties a label nor inserts one.
    void labelCannotBeEmptiedByEditing()
    {
        setRow(m_form, 1, {"Label", "", "", "Keep me"});
        Prompter::queueAnswer(QString());
        m_form->EditItem(1);
        QCOMPARE(lastMessage(), QStringLiteral("Amend the label:"));
        Prompter::queueAnswer(QString());
        m_form->mnuInsertLabel_Click();
        QCOMPARE(lastMessage(), QStringLiteral("Enter the new label:"));
        QCOMPARE(labelsAndMark(m_form), QStringLiteral("[Keep me]"));
        QVERIFY(!m_form->info().Changed);
        Prompter::queueAnswer(QStringLiteral("Changed"));
        m_form->EditItem(1);
        QCOMPARE(m_form->grid().text(1, ColLabel), QByteArray("Changed"));
    }

    // Editing row 2 of a group asks about the others; inserting a radio button (below row 2)
    // never asks, whatever its name, and never touches another row.
    void radioRenaming_data()
    {
        QTest::addColumn<int>("row");         // 0: insert
        QTest::addColumn<QString>("newName"); // empty: the name the dialog shows is kept
        QTest::addColumn<int>("reply");       // 0: no question expected
        QTest::addColumn<QByteArrayList>("names");
        QTest::newRow("yes renames the group") << 2 << "size" << int(QMessageBox::Yes)
                                               << QByteArrayList{"size", "size", "grp", "size", ""};
        QTest::newRow("no renames one") << 2 << "size" << int(QMessageBox::No)
                                        << QByteArrayList{"grp", "size", "grp", "grp", ""};
        QTest::newRow("case alone is a rename") << 2 << "GRP" << int(QMessageBox::Yes)
                                                << QByteArrayList{"GRP", "GRP", "grp", "GRP", ""};
        QTest::newRow("same name asks nothing")
            << 2 << "" << 0 << QByteArrayList{"grp", "grp", "grp", "grp", ""};
        QTest::newRow("insert, new group asks nothing")
            << 0 << "size" << 0 << QByteArrayList{"grp", "grp", "size", "grp", "grp", ""};
        QTest::newRow("insert into a group asks nothing")
            << 0 << "grp" << 0 << QByteArrayList{"grp", "grp", "grp", "grp", "grp", ""};
    }
    void radioRenaming()
    {
        QFETCH(int, row);
        QFETCH(QString, newName);
        QFETCH(int, reply);
        QFETCH(QByteArrayList, names);
        setRow(m_form, 1, {"Radio Button", "grp", "Off", "a", "", "", "", "1"});
        setRow(m_form, 2, {"Radio Button", "grp", "Off", "b", "", "", "", "2"});
        setRow(m_form, 3, {"Checkbox", "grp", "Unchecked", "c"});
        setRow(m_form, 4, {"Radio Button", "grp", "On", "d", "", "", "", "4"});
        setRow(m_form, 5, {"Radio Button", "", "Off", "e"}); // no name yet
        if (reply)
            Prompter::queueAnswer(reply);
        fillIn(newName.isEmpty() ? QStringList() : QStringList{"cboItemName=" + newName});
        if (row == 0) {
            m_form->grid().setCurrentCell(2, 1);
            m_form->mnuInsertSwitch_Click(ItemRadioButton);
        } else {
            m_form->EditItem(row);
        }
        QCOMPARE(lastMessage(), reply ? QStringLiteral("Replace all occurances of the old name "
                                                       "with the new?")
                                      : QString());
        const auto namesNow = [this] {
            QByteArrayList actual;
            for (int r = 1; r < m_form->grid().rows(); ++r)
                actual << m_form->grid().text(r, ColName);
            return actual;
        };
        QCOMPARE(namesNow(), names);
        // The edit and the renaming of its group are one step of the history.
        const QByteArrayList original{"grp", "grp", "grp", "grp", ""};
        QCOMPARE(m_form->history()->count(), names == original ? 0 : 1);
        m_form->history()->undo();
        QCOMPARE(namesNow(), original);
        m_form->history()->redo();
        QCOMPARE(namesNow(), names);
    }

    // The row's choices and multiple-selection state shown, a choice added in the List Editor.
    void selectionEditRoundTrip()
    {
        setRow(m_form, 1,
               {"Selection", "s", "Allow multiple selections", "L", "", "3", "", "A||B|C"});
        Prompter::queueAnswer(QStringLiteral("D"));
        Prompter::queueAnswer(QString()); // the List Editor asks until answered with nothing
        fillIn<frmEditList>({"cmdAdd="});
        fillIn<frmEditSelect>({"cmdEditList="});
        m_form->EditItem(1);
        // "C" after the last "|" was no choice.
        QCOMPARE(rowOf(m_form, 1), (QByteArrayList{"Selection", "s", "Allow multiple selections",
                                                   "L", "", "3", "", "A||B|D|"}));
    }

    void doubleClickOpensOnlyItems()
    {
        ItemGridView *view = m_form->flgForm();
        const auto doubleClick = [view](int row, int col) {
            const QPoint cell = view->visualRect(view->model()->index(row, col)).center();
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
        };
        doubleClick(0, 2); // the placeholder
        QCOMPARE(Prompter::shown().size(), 0);
        setRow(m_form, 1, {"Label", "", "", "L"});
        setRow(m_form, 2, {"Unknown", "x"});
        Prompter::queueAnswer(QString()); // the label's input box, cancelled
        doubleClick(0, 3);
        QCOMPARE(Prompter::shown().size(), 1);
        QCOMPARE(Prompter::pendingAnswers(), 0);
        doubleClick(1, 3);
        m_form->EditItem(0); // the header row
        QCOMPARE(Prompter::shown().size(), 1);
    }

    void copyInOneWindowPasteInAnother()
    {
        const QByteArrayList item = {"Checkbox", "agree", "Checked", "I agree", "", "", "", "x"};
        setRow(m_form, 1, item);
        m_form->grid().setCurrentCell(1, 2);
        m_frame->tbrDesign_ButtonClick(QStringLiteral("COPYITEM"));
        QVERIFY(!m_form->info().Changed);
        NewWebForm();
        frmWebForm *other = m_frame->activeForm();
        const QString previewBefore = other->PreviewFile;
        m_frame->tbrDesign_ButtonClick(QStringLiteral("PASTEITEM"));
        QCOMPARE(rowOf(other, 1), item);
        QCOMPARE(labelsAndMark(other), QStringLiteral("[I agree]")); // the placeholder went
        QVERIFY(other->info().Changed);
        QCOMPARE(other->PreviewFile, previewBefore); // no preview refresh
        // Twice more: both land above the formerly current item.
        setRow(other, 2, {"Label", "", "", "end"});
        other->grid().setCurrentCell(2, 1);
        other->mnuEditPaste_Click();
        other->mnuEditPaste_Click();
        QCOMPARE(rowOf(other, 3), item);
        QCOMPARE(labelsAndMark(other), QStringLiteral("I agree [I agree] I agree end"));
    }

    // Moves stop at either end and keep the mark; the last item is blanked, not removed.
    void moveDeleteAndCut()
    {
        // Cutting the placeholder copies nothing; pasting an empty clipboard does nothing.
        m_form->mnuEditCut_Click();
        m_form->mnuEditPaste_Click();
        QCOMPARE(labelsAndMark(m_form), QStringLiteral("[]"));
        for (int i = 1; i <= 3; ++i)
            setRow(m_form, i, {"Label", "", "", QByteArray::number(i)});
        m_form->info().Changed = false;
        m_form->grid().setCurrentCell(1, 3);
        m_frame->tbrDesign_ButtonClick(QStringLiteral("MOVEUP")); // first row: nothing
        m_form->grid().setCurrentCell(3, 3);
        m_form->mnuEditMoveDown_Click(); // last row: nothing
        QVERIFY(!m_form->info().Changed);
        m_frame->tbrDesign_ButtonClick(QStringLiteral("MOVEUP"));
        QCOMPARE(labelsAndMark(m_form), QStringLiteral("1 [3] 2"));
        QVERIFY(m_form->info().Changed && m_form->isWindowModified());
        m_form->mnuEditMoveDown_Click();
        QCOMPARE(labelsAndMark(m_form), QStringLiteral("1 2 [3]"));
        QCOMPARE(m_form->grid().currentColumn(), 3);
        QCOMPARE(m_form->flgForm()->currentIndex().row(), 2); // the view follows
        m_form->info().Changed = false;
        m_form->mnuEditDelete_Click();
        QCOMPARE(labelsAndMark(m_form), QStringLiteral("1 [2]"));
        QVERIFY(m_form->info().Changed);
        m_form->grid().setCurrentCell(1, 1);
        m_form->mnuEditCut_Click();
        QCOMPARE(labelsAndMark(m_form), QStringLiteral("[2]"));
        m_form->mnuEditDelete_Click();
        QCOMPARE(rowOf(m_form, 1), QByteArrayList());
        QCOMPARE(labelsAndMark(m_form), QStringLiteral("[]"));
        m_form->mnuEditPaste_Click(); // the cut item comes back
        QCOMPARE(labelsAndMark(m_form), QStringLiteral("[1]"));
    }
};

QTEST_MAIN(tst_Editing)
#include "tst_editing.moc"
