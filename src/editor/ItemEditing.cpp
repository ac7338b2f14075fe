#include "ItemEditing.h"

#include "ItemGrid.h"
#include "ItemTypes.h"
#include "TextBytes.h"
#include "editor/frmEditField.h"
#include "editor/frmEditImage.h"
#include "editor/frmEditSelect.h"
#include "editor/frmEditSwitch.h"
#include "ui/DocumentWindow.h"
#include "ui/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

namespace {

const QString Cancelled = QStringLiteral("CANCEL");

// Reads and writes one row's cells as the text that dialogs show; a value left as it was
// keeps its exact bytes.
class RowCells
{
public:
    RowCells(DocumentWindow *form, int row) : m_grid(form->grid()), m_row(row) {}

    QString text(int col) const { return bytesToText(m_grid.text(m_row, col)); }
    QByteArray bytes(int col) const { return m_grid.text(m_row, col); }
    void setText(int col, const QString &text)
    {
        m_grid.setText(m_row, col, textToBytes(text, m_grid.text(m_row, col)));
    }
    void setBytes(int col, const QByteArray &bytes) { m_grid.setText(m_row, col, bytes); }

private:
    ItemGrid &m_grid;
    int m_row;
};

// The type's name is also a word of the file format and stays untranslated.
QString dialogCaption(int row, int itemtype)
{
    return (row > 0 ? QCoreApplication::translate("ItemEditing", "Edit %1")
                    : QCoreApplication::translate("ItemEditing", "Insert %1"))
        .arg(ItemTypeName(itemtype));
}

// A new row below the current one, holding the type's name, becomes the current row.
void addItemRow(DocumentWindow *form, int itemtype, int &row)
{
    ItemGrid &grid = form->grid();
    row = grid.currentRow() + 1;
    grid.addRow(row, ItemTypeName(itemtype).toUtf8());
    grid.setCurrentCell(row, grid.currentColumn());
}

void finishChange(DocumentWindow *form)
{
    form->UpdateForm();
    form->setChanged(true);
}

// Shows the dialog; true when it was accepted. The dialog's tag is cleared either way.
bool accepted(ModalDialog &dialog)
{
    dialog.exec();
    const bool ok = dialog.Tag != Cancelled;
    dialog.Tag.clear();
    return ok;
}

} // namespace

void EditLabelItem(DocumentWindow *active_form, int &row)
{
    const QString text =
        row <= 0
            ? Prompter::input(dialogCaption(row, ItemLabel),
                              QCoreApplication::translate("ItemEditing", "Enter the new label:"))
            : Prompter::input(dialogCaption(row, ItemLabel),
                              QCoreApplication::translate("ItemEditing", "Amend the label:"),
                              RowCells(active_form, row).text(ColLabel));
    if (text.isEmpty())
        return;
    if (row == 0)
        addItemRow(active_form, ItemLabel, row);
    RowCells(active_form, row).setText(ColLabel, text);
    finishChange(active_form);
}

void EditFieldItem(DocumentWindow *active_form, int itemtype, int &row)
{
    frmEditField dialog(active_form->dialogParent());
    dialog.PrepareForm(itemtype);
    dialog.setWindowTitle(dialogCaption(row, itemtype));
    // Each box with its cell. The dialog greys out the boxes the type does not use; those
    // cells are neither shown nor stored, so what is typed is always what is kept.
    const QList<std::pair<QLineEdit *, int>> boxes{
        {dialog.txtItemName, ColName},   {dialog.txtItemDefault, ColDefault},
        {dialog.txtItemLabel, ColLabel}, {dialog.txtItemColumns, ColCols},
        {dialog.txtItemRows, ColRows},   {dialog.txtItemMaxLength, ColMax}};
    if (row > 0) {
        const RowCells cells(active_form, row);
        for (const auto &[box, col] : boxes) {
            if (box->isEnabled())
                box->setText(cells.text(col));
        }
    }
    if (!accepted(dialog))
        return;
    if (row == 0)
        addItemRow(active_form, itemtype, row);
    RowCells cells(active_form, row);
    for (const auto &[box, col] : boxes) {
        if (box->isEnabled())
            cells.setText(col, box->text());
    }
    finishChange(active_form);
}

void EditSelectItem(DocumentWindow *active_form, int &row)
{
    frmEditSelect dialog(active_form->dialogParent());
    dialog.setWindowTitle(dialogCaption(row, ItemSelection));
    if (row > 0) {
        const RowCells cells(active_form, row);
        dialog.txtItemName->setText(cells.text(ColName));
        dialog.chkItemMultiple->setChecked(cells.bytes(ColDefault) == ItemState::AllowMultiple);
        dialog.txtItemLabel->setText(cells.text(ColLabel));
        dialog.txtItemRows->setText(cells.text(ColRows));
        DecodeChoices(cells.bytes(ColOther), dialog.cboItemSelect);
    }
    if (!accepted(dialog))
        return;
    if (row == 0)
        addItemRow(active_form, ItemSelection, row);
    RowCells cells(active_form, row);
    cells.setText(ColName, dialog.txtItemName->text());
    cells.setBytes(ColDefault, dialog.chkItemMultiple->isChecked() ? ItemState::AllowMultiple
                                                                   : ItemState::DisallowMultiple);
    cells.setText(ColLabel, dialog.txtItemLabel->text());
    cells.setText(ColRows, dialog.txtItemRows->text());
    cells.setBytes(ColOther, EncodeChoices(dialog.cboItemSelect));
    finishChange(active_form);
}

void EditSwitchItem(DocumentWindow *active_form, int itemtype, int &row)
{
    frmEditSwitch dialog(active_form->dialogParent());
    dialog.PrepareForm(&active_form->grid(), itemtype);
    dialog.setWindowTitle(dialogCaption(row, itemtype));
    QComboBox *names = dialog.cboItemName;
    if (row > 0) {
        const RowCells cells(active_form, row);
        if (itemtype == ItemRadioButton) {
            names->setCurrentIndex(
                names->findText(cells.text(ColName), Qt::MatchExactly | Qt::MatchCaseSensitive));
        } else {
            names->addItem(cells.text(ColName));
            names->setCurrentIndex(names->count() - 1);
        }
        const QByteArray state = cells.bytes(ColDefault);
        dialog.chkItemDefault->setChecked(state == ItemState::Checked || state == ItemState::On);
        dialog.txtItemLabel->setText(cells.text(ColLabel));
        dialog.txtItemValue->setText(cells.text(ColOther));
    } else {
        // A new radio button joins the last group found in the form.
        names->setCurrentIndex(names->count() - 1);
    }
    if (!accepted(dialog))
        return;
    // Only a radio button that existed before has a group to rename; a new row's number
    // must not make the insert look like an edit.
    const bool existed = row != 0;
    if (!existed)
        addItemRow(active_form, itemtype, row);
    RowCells cells(active_form, row);
    const QByteArray name = dialog.nameBytes(cells.bytes(ColName));
    if (existed && itemtype == ItemRadioButton)
        RenameRadioGroup(active_form, row, name);
    const bool on = dialog.chkItemDefault->isChecked();
    cells.setBytes(ColName, name);
    if (itemtype == ItemCheckbox)
        cells.setBytes(ColDefault, on ? ItemState::Checked : ItemState::Unchecked);
    else
        cells.setBytes(ColDefault, on ? ItemState::On : ItemState::Off);
    cells.setText(ColLabel, dialog.txtItemLabel->text());
    cells.setText(ColOther, dialog.txtItemValue->text());
    finishChange(active_form);
}

void RenameRadioGroup(DocumentWindow *active_form, int row, const QByteArray &newName)
{
    ItemGrid &grid = active_form->grid();
    const QByteArray oldName = grid.text(row, ColName);
    if (oldName == newName)
        return;
    const auto answer = Prompter::message(
        MessageIcon::Question,
        QCoreApplication::translate("ItemEditing",
                                    "Replace all occurances of the old name with the new?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    for (int r = 1; r < grid.rows(); ++r) {
        if (grid.text(r, ColType) == "Radio Button" && grid.text(r, ColName) == oldName)
            grid.setText(r, ColName, newName);
    }
}

void EditImageItem(DocumentWindow *active_form, int &row)
{
    frmEditImage dialog(active_form->dialogParent());
    dialog.setWindowTitle(dialogCaption(row, ItemImage));
    if (row > 0) {
        const RowCells cells(active_form, row);
        dialog.txtItemName->setText(cells.text(ColName));
        dialog.txtItemFile->setText(cells.text(ColDefault));
        dialog.txtItemLabel->setText(cells.text(ColLabel));
        const int match = dialog.cboItemAlign->findText(cells.text(ColOther),
                                                        Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (match >= 0)
            dialog.cboItemAlign->setCurrentIndex(match);
    }
    if (!accepted(dialog))
        return;
    if (row == 0)
        addItemRow(active_form, ItemImage, row);
    RowCells cells(active_form, row);
    cells.setText(ColName, dialog.txtItemName->text());
    cells.setText(ColDefault, dialog.txtItemFile->text());
    cells.setText(ColLabel, dialog.txtItemLabel->text());
    cells.setText(ColOther, dialog.cboItemAlign->currentText());
    finishChange(active_form);
}
