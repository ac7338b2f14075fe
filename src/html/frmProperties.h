// The form properties dialog: output file, CGI file, method, media type, button texts.
#pragma once

#include "editor/ModalDialog.h"

class frmWebForm;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmProperties : public ModalDialog
{
    Q_OBJECT

public:
    // Reads the values of `form`'s record.
    explicit frmProperties(frmWebForm *form, QWidget *parent = nullptr);

    QLineEdit *txtOutputFile, *txtCGIFile, *txtMediaType, *txtSubmit, *txtReset;
    QRadioButton *optMethod[2]; // 0 "Get", 1 "Post"
    QPushButton *cmdBrowse, *cmdDefault;
    QLabel *lblAdvice;

    void cmdBrowse_Click();
    void cmdDefault_Click();
    // OK: marks the document changed and stores the six values.
    void StoreValues();

private:
    frmWebForm *m_form;
};

// The Properties command: shows the dialog modally and stores its values on OK.
void ShowProperties(frmWebForm *form);
