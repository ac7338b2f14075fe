// The dialog of text fields, password fields, hidden fields and text areas.
#pragma once

#include "ui/ModalDialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class UpDown;

class frmEditField : public ModalDialog
{
    Q_OBJECT

public:
    explicit frmEditField(QWidget *parent = nullptr);

    // Greys out the groups that `itemtype` (1 to 4) does not use.
    void PrepareForm(int itemtype);

    QGroupBox *fraSettings;
    QLabel *lblItemName, *lblItemDefault, *lblItemLabel, *lblItemColumns, *lblItemRows,
        *lblItemMaxLength;
    QLineEdit *txtItemName, *txtItemDefault, *txtItemLabel, *txtItemColumns, *txtItemRows,
        *txtItemMaxLength;
    UpDown *udItemColumns, *udItemRows, *udItemMaxLength;

    // Each numeric box, on losing the focus, is clamped to its up-down's range.
    void txtItemColumns_LostFocus();
    void txtItemRows_LostFocus();
    void txtItemMaxLength_LostFocus();

protected:
    bool acceptOk() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    // Runs the lost-focus check of `box` when it is one of the numeric boxes.
    void leaveBox(QObject *box);
};
