// The List Editor: builds the list of choices of a Selection.
#pragma once

#include "ui/ModalDialog.h"

class QListWidget;
class QPushButton;

class frmEditList : public ModalDialog
{
    Q_OBJECT

public:
    explicit frmEditList(QWidget *parent = nullptr);

    QListWidget *lstChoices;
    QPushButton *cmdAdd, *cmdDelete, *cmdMoveUp, *cmdMoveDown, *cmdClear;

    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdMoveUp_Click();
    void cmdMoveDown_Click();
    void cmdClear_Click();
    void MoveChoice(int delta);

private:
    // The row of the selected choice, or -1 when none is selected.
    int selectedIndex() const;
};
