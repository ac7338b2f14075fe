// The dialog of checkboxes and radio buttons.
#pragma once

#include "ui/ModalDialog.h"

class ItemGrid;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

class frmEditSwitch : public ModalDialog
{
    Q_OBJECT

public:
    explicit frmEditSwitch(QWidget *parent = nullptr);

    // Checkbox (6): greys out the Value group; `grid` is not used. Radio button (7): fills
    // the name list with each radio group name of `grid` once, in order of first
    // appearance, and leaves the grid's current cell in the Name column of the row that was
    // current.
    void PrepareForm(ItemGrid *grid, int itemtype);

    // The name to store for an item whose name was `original`: `original` when left as it
    // was, the exact bytes of a radio group picked from the list, else the typed text.
    QByteArray nameBytes(const QByteArray &original) const;

    QGroupBox *fraSettings;
    QLabel *lblItemName, *lblItemLabel, *lblItemValue;
    QComboBox *cboItemName; // editable
    QLineEdit *txtItemLabel, *txtItemValue;
    QCheckBox *chkItemDefault;

protected:
    bool acceptOk() override;
};
