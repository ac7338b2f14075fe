// The dialog of image items.
#pragma once

#include "ui/ModalDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmEditImage : public ModalDialog
{
    Q_OBJECT

public:
    explicit frmEditImage(QWidget *parent = nullptr);

    QGroupBox *fraSettings;
    QLabel *lblItemName, *lblItemFile, *lblItemLabel, *lblItemAlign;
    QLineEdit *txtItemName, *txtItemFile, *txtItemLabel;
    QPushButton *cmdBrowse;
    QComboBox *cboItemAlign; // "Top", "Middle", "Bottom"; pick only

    void cmdBrowse_Click();

protected:
    bool acceptOk() override;
};
