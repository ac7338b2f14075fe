// The dialog of Selection items, with its choice box and the List Editor.
#pragma once

#include "ui/ModalDialog.h"

#include <QByteArray>
#include <QList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UpDown;

class frmEditSelect : public ModalDialog
{
    Q_OBJECT

public:
    explicit frmEditSelect(QWidget *parent = nullptr);

    QGroupBox *fraSettings;
    QLabel *lblItemName, *lblItemLabel, *lblItemRows, *lblItemSelect;
    QLineEdit *txtItemName, *txtItemLabel, *txtItemRows;
    UpDown *udItemRows;
    QComboBox *cboItemSelect; // drop-down list, no typing
    QPushButton *cmdEditList;
    QCheckBox *chkItemMultiple;

    void cmdEditList_Click();
    // On losing the focus the rows box is clamped to its up-down's range.
    void txtItemRows_LostFocus();

protected:
    bool acceptOk() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
};

// The choice list of a Selection to and from its choice box; the box keeps each choice's
// bytes, so undecodable bytes survive an edit.
QByteArray EncodeChoices(const QComboBox *box);
void DecodeChoices(const QByteArray &list, QComboBox *box);
