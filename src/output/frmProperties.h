// The form properties dialog: output file, CGI file, method, media type, button texts.
#pragma once

#include "WebFormInfo.h"
#include "ui/ModalDialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmProperties : public ModalDialog
{
    Q_OBJECT

public:
    // Shows the values of `info`.
    explicit frmProperties(const WebFormInfo &info, QWidget *parent = nullptr);

    QLineEdit *txtOutputFile, *txtCGIFile, *txtMediaType, *txtSubmit, *txtReset;
    QRadioButton *optMethod[2]; // 0 "Get", 1 "Post"
    QPushButton *cmdBrowse, *cmdDefault;
    QLabel *lblAdvice;

    void cmdBrowse_Click();
    void cmdDefault_Click();
    // OK: the record given, with the six values as the dialog holds them and marked changed.
    WebFormInfo StoreValues() const;

private:
    WebFormInfo m_info;
};

// The Properties command: shows the dialog modally over `parent`; the new record on OK, for
// the caller to store, nothing on Cancel.
std::optional<WebFormInfo> ShowProperties(const WebFormInfo &info, QWidget *parent);
