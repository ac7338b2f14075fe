// Building a form: inserting and editing every item type through its dialog, the label
// input box, radio group renaming, the item clipboard and reordering, and the shortcuts.
#include "GuiTestSupport.h"

#include "Conversion.h"
#include "editor/ItemEditing.h"
#include "editor/ItemGridView.h"
#include "editor/frmEditField.h"
#include "editor/frmEditImage.h"
#include "editor/frmEditSwitch.h"
#include "html/frmEditList.h"
#include "html/frmEditSelect.h"
#include "html/frmProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace GuiTest;

namespace {

// Fills the next dialog of type D while it runs modally, then presses OK (or Cancel).
template <typename D>
void answer(std::function<void(D *)> fill, bool ok = true)
{
    whenModal<D>([fill, ok](D *dialog) {
        fill(dialog);
        if (ok)
            dialog->cmdOK_Click();
        else
            dialog->cmdCancel_Click();
    });
}

QByteArrayList rowOf(frmWebForm *form, int row)
{
    QByteArrayList cells;
    for (int col = 0; col < ItemColumnCount; ++col)
        cells << form->grid().text(row, col);
    return cells;
}

void setRow(frmWebForm *form, int row, const QByteArrayList &cells)
{
    if (row >= form->grid().rows())
        form->grid().addRow(row);
    for (int col = 0; col < cells.size(); ++col)
        form->grid().setText(row, col, cells.at(col));
}

} // namespace

class tst_Editing : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetSettings();
        m_frame = startFrame();
        m_form = m_frame->activeForm();
    }
    void cleanup()
    {
        QCOMPARE(discardPendingModals(), 0); // every prepared dialog came
        closeFrame(m_frame);
    }

    void insertIntoAnEmptyDocument_data();
    void insertIntoAnEmptyDocument();
    void insertLandsBelowTheCurrentRow();
    void cancelChangesNothing();
    void editWritesOnlyTheTypesCells_data();
    void editWritesOnlyTheTypesCells();
    void labelCannotBeEmptiedByEditing();
    void radioRenaming_data();
    void radioRenaming();
    void selectionEditRoundTrip();
    void doubleClickOpensOnlyItems();
    void shortcutsRunTheirCommands_data();
    void shortcutsRunTheirCommands();
    void copyInOneWindowPasteInAnother();
    void deleteAndCut();
    void moveUpAndDownKeepTheMark();
    void propertiesCommand();
    void workedExampleFromNothing();

private:
    std::unique_ptr<frmDesign> m_frame;
    frmWebForm *m_form = nullptr;
};

void tst_Editing::insertIntoAnEmptyDocument_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArrayList>("cells");
    QTest::newRow("label") << "INSERTLABEL"
                           << QByteArrayList{"Label", "", "", "Hi", "", "", "", ""};
    QTest::newRow("text") << "INSERTTEXT"
                          << QByteArrayList{"Text Field", "n", "d", "L", "40", "", "999", ""};
    QTest::newRow("password")
        << "INSERTPASSWORD" << QByteArrayList{"Password Field", "n", "d", "L", "40", "", "999", ""};
    QTest::newRow("hidden") << "INSERTHIDDEN"
                            << QByteArrayList{"Hidden Field", "n", "d", "", "", "", "", ""};
    QTest::newRow("area") << "INSERTAREA"
                          << QByteArrayList{"Text Area", "n", "d", "L", "40", "4", "", ""};
    QTest::newRow("selection")
        << "INSERTSELECT"
        << QByteArrayList{"Selection", "n", "Disallow multiple selections", "L", "", "4", "", ""};
    QTest::newRow("checkbox") << "INSERTCHECK"
                              << QByteArrayList{"Checkbox", "n", "Unchecked", "L", "", "", "", ""};
    QTest::newRow("radio") << "INSERTRADIO"
                           << QByteArrayList{"Radio Button", "n", "On", "L", "", "", "", "v"};
    QTest::newRow("image") << "INSERTIMAGE"
                           << QByteArrayList{"Image", "n", "f.gif", "L", "", "", "", "Top"};
}

void tst_Editing::insertIntoAnEmptyDocument()
{
    QFETCH(QString, key);
    QFETCH(QByteArrayList, cells);
    const QString type = QString::fromLatin1(cells.at(0));
    if (type == QLatin1String("Label"))
        Prompter::queueAnswer(QStringLiteral("Hi"));
    if (type.contains(QLatin1String("Field")) || type == QLatin1String("Text Area")) {
        answer<frmEditField>([](frmEditField *d) {
            d->txtItemName->setText(QStringLiteral("n"));
            d->txtItemDefault->setText(QStringLiteral("d"));
            if (d->txtItemLabel->isEnabled())
                d->txtItemLabel->setText(QStringLiteral("L"));
        });
    } else if (type == QLatin1String("Selection")) {
        answer<frmEditSelect>([](frmEditSelect *d) {
            d->txtItemName->setText(QStringLiteral("n"));
            d->txtItemLabel->setText(QStringLiteral("L"));
        });
    } else if (type == QLatin1String("Image")) {
        answer<frmEditImage>([](frmEditImage *d) {
            d->txtItemName->setText(QStringLiteral("n"));
            d->txtItemFile->setText(QStringLiteral("f.gif"));
            d->txtItemLabel->setText(QStringLiteral("L"));
        });
    } else if (type == QLatin1String("Checkbox") || type == QLatin1String("Radio Button")) {
        answer<frmEditSwitch>([](frmEditSwitch *d) {
            d->cboItemName->setCurrentText(QStringLiteral("n"));
            d->txtItemLabel->setText(QStringLiteral("L"));
            if (d->txtItemValue->isEnabled()) {
                d->txtItemValue->setText(QStringLiteral("v"));
                d->chkItemDefault->setChecked(true);
            }
        });
    }
    m_frame->tbrDesign_ButtonClick(key);
    QCOMPARE(m_form->grid().rows(), 2); // exactly one item, no placeholder left
    QCOMPARE(rowOf(m_form, 1), cells);
    QCOMPARE(m_form->grid().currentRow(), 1);
    QVERIFY(m_form->info().Changed);
    QVERIFY(!m_form->PreviewFile.isEmpty()); // the preview followed the insert
}

void tst_Editing::insertLandsBelowTheCurrentRow()
{
    for (int i = 1; i <= 3; ++i)
        setRow(m_form, i, {"Label", "", "", QByteArray::number(i)});
    m_form->grid().setCurrentCell(2, 1);
    Prompter::queueAnswer(QStringLiteral("new"));
    QVERIFY(triggerAction(m_form, QStringLiteral("mnuInsertLabel")));
    QCOMPARE(m_form->grid().rows(), 5);
    QCOMPARE(m_form->grid().text(3, ColLabel), QByteArray("new"));
    QCOMPARE(m_form->grid().text(4, ColLabel), QByteArray("3"));
    QCOMPARE(m_form->grid().currentRow(), 3);
    QCOMPARE(m_form->grid().cellColour(3, 1), quint32(65535));
    QCOMPARE(m_form->grid().cellColour(2, 1), quint32(0));
    QCOMPARE(Prompter::shown().constLast().title, QStringLiteral("Insert Label"));
    QCOMPARE(Prompter::shown().constLast().text, QStringLiteral("Enter the new label:"));
}

void tst_Editing::cancelChangesNothing()
{
    setRow(m_form, 1, {"Text Field", "a", "b", "c", "1", "", "2", ""});
    answer<frmEditField>([](frmEditField *d) { d->txtItemName->setText(QStringLiteral("x")); },
                         false);
    m_form->mnuEditItem_Click();
    QCOMPARE(rowOf(m_form, 1), (QByteArrayList{"Text Field", "a", "b", "c", "1", "", "2", ""}));
    QVERIFY(!m_form->info().Changed);
    Prompter::queueAnswer(QString()); // the label box cancelled
    m_form->mnuInsertLabel_Click();
    QCOMPARE(m_form->grid().rows(), 2);
    QVERIFY(!m_form->info().Changed);
}

void tst_Editing::editWritesOnlyTheTypesCells_data()
{
    QTest::addColumn<QByteArrayList>("before");
    QTest::addColumn<QByteArrayList>("after");
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
}

void tst_Editing::editWritesOnlyTheTypesCells()
{
    QFETCH(QByteArrayList, before);
    QFETCH(QByteArrayList, after);
    setRow(m_form, 1, before);
    answer<frmEditField>([](frmEditField *d) {
        QVERIFY(d->windowTitle().startsWith(QStringLiteral("Edit ")));
        d->txtItemName->setText(QStringLiteral("N2"));
        if (d->txtItemMaxLength->isEnabled())
            d->txtItemMaxLength->setText(QString::number(d->txtItemMaxLength->text().toInt() + 1));
        if (d->txtItemRows->isEnabled())
            d->txtItemRows->setText(QString::number(d->txtItemRows->text().toInt() + 1));
    });
    m_form->EditItem(1);
    QCOMPARE(rowOf(m_form, 1), after);
    QVERIFY(m_form->info().Changed);
}

void tst_Editing::labelCannotBeEmptiedByEditing()
{
    setRow(m_form, 1, {"Label", "", "", "Keep me"});
    Prompter::queueAnswer(QString());
    m_form->EditItem(1);
    QCOMPARE(Prompter::shown().constLast().text, QStringLiteral("Amend the label:"));
    QCOMPARE(m_form->grid().text(1, ColLabel), QByteArray("Keep me"));
    QVERIFY(!m_form->info().Changed);
    Prompter::queueAnswer(QStringLiteral("Changed"));
    m_form->EditItem(1);
    QCOMPARE(m_form->grid().text(1, ColLabel), QByteArray("Changed"));
}

void tst_Editing::radioRenaming_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<int>("reply"); // 0: no question expected
    QTest::addColumn<QByteArrayList>("names");
    QTest::newRow("yes renames the group")
        << "size" << int(QMessageBox::Yes) << QByteArrayList{"size", "size", "grp", "size"};
    QTest::newRow("no renames one")
        << "size" << int(QMessageBox::No) << QByteArrayList{"grp", "size", "grp", "grp"};
    QTest::newRow("case alone is a rename")
        << "GRP" << int(QMessageBox::Yes) << QByteArrayList{"GRP", "GRP", "grp", "GRP"};
    QTest::newRow("same name asks nothing")
        << "grp" << 0 << QByteArrayList{"grp", "grp", "grp", "grp"};
}

void tst_Editing::radioRenaming()
{
    QFETCH(QString, newName);
    QFETCH(int, reply);
    QFETCH(QByteArrayList, names);
    setRow(m_form, 1, {"Radio Button", "grp", "Off", "a", "", "", "", "1"});
    setRow(m_form, 2, {"Radio Button", "grp", "Off", "b", "", "", "", "2"});
    setRow(m_form, 3, {"Checkbox", "grp", "Unchecked", "c"});
    setRow(m_form, 4, {"Radio Button", "grp", "On", "d", "", "", "", "4"});
    if (reply)
        Prompter::queueAnswer(reply);
    answer<frmEditSwitch>([newName](frmEditSwitch *d) {
        QCOMPARE(d->cboItemName->currentText(), QStringLiteral("grp"));
        QCOMPARE(d->cboItemName->count(), 1); // each group once
        d->cboItemName->setCurrentText(newName);
    });
    m_form->EditItem(2);
    QCOMPARE(Prompter::pendingAnswers(), 0);
    if (reply) {
        QCOMPARE(Prompter::shown().constLast().text,
                 QStringLiteral("Replace all occurances of the old name with the new?"));
    } else {
        QVERIFY(Prompter::shown().isEmpty());
    }
    QByteArrayList actual;
    for (int row = 1; row <= 4; ++row)
        actual << m_form->grid().text(row, ColName);
    QCOMPARE(actual, names);
}

void tst_Editing::selectionEditRoundTrip()
{
    setRow(m_form, 1, {"Selection", "s", "Allow multiple selections", "L", "", "3", "", "A||B|C"});
    answer<frmEditSelect>([](frmEditSelect *d) {
        QVERIFY(d->chkItemMultiple->isChecked());
        QCOMPARE(d->cboItemSelect->count(), 3); // "C" after the last "|" is not a choice
        answer<frmEditList>([](frmEditList *list) {
            Prompter::queueAnswer(QStringLiteral("D"));
            Prompter::queueAnswer(QString());
            list->cmdAdd_Click();
        });
        d->cmdEditList_Click();
        d->chkItemMultiple->setChecked(false);
    });
    m_form->EditItem(1);
    QCOMPARE(rowOf(m_form, 1), (QByteArrayList{"Selection", "s", "Disallow multiple selections",
                                               "L", "", "3", "", "A||B|D|"}));
}

void tst_Editing::doubleClickOpensOnlyItems()
{
    ItemGridView *view = m_form->flgForm();
    const QPoint placeholder = view->visualRect(view->model()->index(0, 2)).center();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, placeholder);
    QCOMPARE(Prompter::shown().size(), 0);
    setRow(m_form, 1, {"Label", "", "", "L"});
    setRow(m_form, 2, {"Unknown", "x"});
    Prompter::queueAnswer(QString());
    const QPoint label = view->visualRect(view->model()->index(0, 3)).center();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, label);
    QCOMPARE(Prompter::shown().size(), 1);
    QCOMPARE(Prompter::shown().constLast().text, QStringLiteral("Amend the label:"));
    const QPoint unknown = view->visualRect(view->model()->index(1, 3)).center();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, unknown);
    m_form->EditItem(0); // the header row
    QCOMPARE(Prompter::shown().size(), 1);
}

void tst_Editing::shortcutsRunTheirCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("dialog");
    const char *dialogs[] = {"label", "frmEditField", "frmEditField", "frmEditField",
                             "frmEditField", "frmEditSelect", "frmEditSwitch", "frmEditSwitch",
                             "frmEditImage"};
    for (int f = 1; f <= 9; ++f) {
        QTest::addRow("Ctrl+F%d", f) << int(Qt::Key_F1 + f - 1) << int(Qt::ControlModifier)
                                     << QString::fromLatin1(dialogs[f - 1]);
    }
    QTest::newRow("F4") << int(Qt::Key_F4) << 0 << "frmEditField";
}

void tst_Editing::shortcutsRunTheirCommands()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, dialog);
    setRow(m_form, 1, {"Text Field", "t", "", "", "1", "", "1"});
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    m_form->flgForm()->setFocus();
    QString shown;
    if (dialog == QLatin1String("label")) {
        Prompter::queueAnswer(QString());
    } else {
        whenModal<ModalDialog>([&shown](ModalDialog *d) {
            shown = QString::fromLatin1(d->metaObject()->className());
            d->cmdCancel_Click();
        });
    }
    QTest::keyClick(m_form->flgForm(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (dialog == QLatin1String("label")) {
        QCOMPARE(Prompter::shown().size(), 1);
        QCOMPARE(Prompter::shown().constLast().text, QStringLiteral("Enter the new label:"));
    } else {
        QCOMPARE(shown, dialog);
    }
    QCOMPARE(openForms(*m_frame).size(), 1); // Ctrl+F4 did not close the window
}

void tst_Editing::copyInOneWindowPasteInAnother()
{
    const QByteArrayList item = {"Checkbox", "agree", "Checked", "I agree", "", "", "", "x"};
    setRow(m_form, 1, item);
    m_form->grid().setCurrentCell(1, 2);
    m_frame->tbrDesign_ButtonClick(QStringLiteral("COPYITEM"));
    QVERIFY(!m_form->info().Changed);
    NewWebForm();
    frmWebForm *other = m_frame->activeForm();
    QVERIFY(other != m_form);
    const QString previewBefore = other->PreviewFile;
    m_frame->tbrDesign_ButtonClick(QStringLiteral("PASTEITEM"));
    QCOMPARE(other->grid().rows(), 2); // the placeholder went
    QCOMPARE(rowOf(other, 1), item);
    QVERIFY(other->info().Changed);
    QCOMPARE(other->PreviewFile, previewBefore); // no preview refresh
    // Twice more: both land above the formerly current item.
    setRow(other, 2, {"Label", "", "", "end"});
    other->grid().setCurrentCell(2, 1);
    other->mnuEditPaste_Click();
    other->mnuEditPaste_Click();
    QCOMPARE(other->grid().rows(), 5);
    QCOMPARE(rowOf(other, 2), item);
    QCOMPARE(rowOf(other, 3), item);
    QCOMPARE(other->grid().text(4, ColLabel), QByteArray("end"));
    QCOMPARE(other->grid().currentRow(), 2);
}

void tst_Editing::deleteAndCut()
{
    // Copying the placeholder copies nothing; pasting an empty clipboard does nothing.
    m_form->mnuEditCut_Click();
    m_form->mnuEditPaste_Click();
    QCOMPARE(m_form->grid().rows(), 2);
    for (int i = 1; i <= 3; ++i)
        setRow(m_form, i, {"Label", "", "", QByteArray::number(i)});
    m_form->info().Changed = false;
    m_form->grid().setCurrentCell(3, 1);
    m_form->mnuEditDelete_Click();
    QCOMPARE(m_form->grid().rows(), 3);
    QCOMPARE(m_form->grid().currentRow(), 2); // the new last item
    QCOMPARE(m_form->grid().cellColour(2, 1), quint32(65535));
    QVERIFY(m_form->info().Changed);
    m_form->grid().setCurrentCell(1, 1);
    m_form->mnuEditCut_Click();
    QCOMPARE(m_form->grid().text(1, ColLabel), QByteArray("2"));
    m_form->mnuEditDelete_Click(); // the last item is blanked, not removed
    QCOMPARE(m_form->grid().rows(), 2);
    QCOMPARE(rowOf(m_form, 1), QByteArrayList(8, QByteArray()));
    m_form->mnuEditPaste_Click(); // the cut item comes back
    QCOMPARE(m_form->grid().rows(), 2);
    QCOMPARE(m_form->grid().text(1, ColLabel), QByteArray("1"));
}

void tst_Editing::moveUpAndDownKeepTheMark()
{
    for (int i = 1; i <= 3; ++i)
        setRow(m_form, i, {"Label", "", "", QByteArray::number(i)});
    m_form->info().Changed = false;
    m_form->grid().setCurrentCell(1, 3);
    m_frame->tbrDesign_ButtonClick(QStringLiteral("MOVEUP")); // first row: nothing
    QVERIFY(!m_form->info().Changed);
    m_form->grid().setCurrentCell(3, 3);
    m_form->mnuEditMoveDown_Click(); // last row: nothing
    QVERIFY(!m_form->info().Changed);
    m_frame->tbrDesign_ButtonClick(QStringLiteral("MOVEUP"));
    QCOMPARE(m_form->grid().text(2, ColLabel), QByteArray("3"));
    QCOMPARE(m_form->grid().text(3, ColLabel), QByteArray("2"));
    QCOMPARE(m_form->grid().currentRow(), 2);
    QCOMPARE(m_form->grid().cellColour(2, 3), quint32(65535));
    QCOMPARE(m_form->grid().cellColour(3, 3), quint32(0));
    QVERIFY(m_form->info().Changed);
    m_form->mnuEditMoveDown_Click();
    QCOMPARE(m_form->grid().text(3, ColLabel), QByteArray("3"));
    QCOMPARE(m_form->grid().currentRow(), 3);
    QCOMPARE(m_form->grid().cellColour(3, 3), quint32(65535));
    QCOMPARE(m_form->flgForm()->currentIndex().row(), 2); // the view follows
}

void tst_Editing::propertiesCommand()
{
    answer<frmProperties>([](frmProperties *d) {
        QCOMPARE(d->txtSubmit->text(), QStringLiteral("Submit"));
        QVERIFY(d->optMethod[1]->isChecked());
        d->txtOutputFile->setText(QStringLiteral("  out.htm "));
        d->txtCGIFile->setText(QStringLiteral(" /cgi "));
        d->optMethod[0]->setChecked(true);
        d->txtSubmit->setText(QStringLiteral("   "));
    });
    QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileProperties")));
    const WebFormInfo &info = m_form->info();
    QCOMPARE(info.OutputFile, QByteArray("out.htm"));
    QCOMPARE(info.CGIFile, QByteArray(" /cgi "));
    QVERIFY(info.MethodGet);
    QCOMPARE(info.SubmitText, QByteArray());
    QVERIFY(info.Changed);
}

// The order form of the generator's worked example, built through the dialogs only.
void tst_Editing::workedExampleFromNothing()
{
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("order.htm"));
    answer<frmProperties>([output](frmProperties *d) {
        d->txtOutputFile->setText(output);
        d->txtCGIFile->setText(QStringLiteral("/cgi-bin/order.pl"));
        d->txtSubmit->setText(QStringLiteral("Send"));
        d->txtReset->setText(QStringLiteral("Clear"));
    });
    m_form->mnuFileProperties_Click();
    Prompter::queueAnswer(QStringLiteral("Order form"));
    m_form->mnuInsertLabel_Click();
    answer<frmEditField>([](frmEditField *d) {
        d->txtItemName->setText(QStringLiteral("fullname"));
        d->txtItemLabel->setText(QStringLiteral("Your name:"));
        d->txtItemColumns->setText(QStringLiteral("30"));
        d->txtItemMaxLength->setText(QStringLiteral("40"));
    });
    m_form->mnuInsertField_Click(ItemTextField);
    answer<frmEditField>([](frmEditField *d) {
        d->txtItemName->setText(QStringLiteral("source"));
        d->txtItemDefault->setText(QStringLiteral("web"));
    });
    m_form->mnuInsertField_Click(ItemHiddenField);
    answer<frmEditField>([](frmEditField *d) {
        d->txtItemName->setText(QStringLiteral("notes"));
        d->txtItemLabel->setText(QStringLiteral("Notes:"));
        d->txtItemDefault->setText(QStringLiteral("none"));
    });
    m_form->mnuInsertField_Click(ItemTextArea);
    answer<frmEditSelect>([](frmEditSelect *d) {
        d->txtItemName->setText(QStringLiteral("size"));
        d->txtItemLabel->setText(QStringLiteral("Size:"));
        d->txtItemRows->setText(QStringLiteral("1"));
        answer<frmEditList>([](frmEditList *list) {
            for (const char *choice : {"Small", "Medium", "Large"})
                Prompter::queueAnswer(QString::fromLatin1(choice));
            Prompter::queueAnswer(QString());
            list->cmdAdd_Click();
        });
        d->cmdEditList_Click();
    });
    m_form->mnuInsertSelect_Click();
    answer<frmEditSwitch>([](frmEditSwitch *d) {
        d->cboItemName->setCurrentText(QStringLiteral("gift"));
        d->txtItemLabel->setText(QStringLiteral("Gift wrap"));
        d->chkItemDefault->setChecked(true);
    });
    m_form->mnuInsertSwitch_Click(ItemCheckbox);
    answer<frmEditSwitch>([](frmEditSwitch *d) {
        d->cboItemName->setCurrentText(QStringLiteral("ship"));
        d->txtItemLabel->setText(QStringLiteral("Express"));
        d->txtItemValue->setText(QStringLiteral("express"));
    });
    m_form->mnuInsertSwitch_Click(ItemRadioButton);
    answer<frmEditImage>([](frmEditImage *d) {
        d->txtItemName->setText(QStringLiteral("go"));
        d->txtItemFile->setText(QStringLiteral("go.gif"));
        d->cboItemAlign->setCurrentIndex(1);
    });
    m_form->mnuInsertImage_Click();

    QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileConvert")));
    QCOMPARE(lastMessage(), QStringLiteral("Form successfully written to file [") + output +
                                QStringLiteral("]."));
    QFile page(output);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QByteArrayList expected = {
        "<HTML>", "<HEAD>", "<TITLE>Form created with Tabrino</TITLE>", "</HEAD>", "<BODY>",
        "<!-- FORM_START_CMD: Do NOT edit or remove this line. -->",
        "<FORM ACTION=\"/cgi-bin/order.pl\" METHOD=\"POST\">", "<BR><B>Order form</B><BR>",
        "Your name:",
        "<INPUT Type=\"text\" Name=\"fullname\" Size=\"30\" Maxlength=\"40\" Value=\"\"><BR>",
        "<INPUT Type=\"Hidden\" Name=\"source\" Value=\"web\">", "Notes:<BR>",
        "<TEXTAREA Name=\"notes\" Cols=\"40\" Rows=\"4\">none</TEXTAREA><BR>", "Size:<BR>",
        "<SELECT Name=\"size\" Size=\"1\">", "<OPTION>Small", "<OPTION>Medium", "<OPTION>Large",
        "</SELECT><BR>", "Gift wrap", "<INPUT Type=\"checkbox\" Name=\"gift\" Checked><BR>",
        "Express", "<INPUT Type=\"radio\" Name=\"ship\" Value=\"express\"><BR>", "",
        "<INPUT Type=\"image\" Name=\"go\" Src=\"go.gif\" Align=\"Middle\"><BR>",
        "<BR><INPUT Type=\"Submit\" Value=\"Send\">", "<INPUT Type=\"Reset\" Value=\"Clear\">",
        "</FORM>", "<!-- FORM_END_CMD: Do NOT edit or remove this line. -->", "</BODY>",
        "</HTML>"};
    QCOMPARE(page.readAll(), expected.join("\r\n") + "\r\n");
}

QTEST_MAIN(tst_Editing)
#include "tst_editing.moc"
