// The List Editor: builds the list of choices of a Selection.
#include "frmEditList.h"

#include "AppInfo.h"
#include "Choices.h"
#include "TextBytes.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *commandButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

frmEditList::frmEditList(QWidget *parent) : ModalDialog(parent, 30)
{
    setObjectName(QStringLiteral("frmEditList"));
    setWindowTitle(tr("List Editor"));

    lstChoices = new QListWidget(this);
    lstChoices->setObjectName(QStringLiteral("lstChoices"));
    lstChoices->setSelectionMode(QAbstractItemView::SingleSelection);
    lstChoices->setMinimumSize(220, 200);
    cmdAdd = commandButton(tr("&Add"), "cmdAdd", this);
    cmdDelete = commandButton(tr("&Delete"), "cmdDelete", this);
    cmdMoveUp = commandButton(tr("Move &Up"), "cmdMoveUp", this);
    cmdMoveDown = commandButton(tr("Move &Down"), "cmdMoveDown", this);
    cmdClear = commandButton(tr("&Clear List"), "cmdClear", this);

    auto *commands = new QVBoxLayout;
    for (QPushButton *button : {cmdAdd, cmdDelete, cmdMoveUp, cmdMoveDown, cmdClear})
        commands->addWidget(button);
    commands->addStretch();
    commands->addWidget(createOkCancel(Qt::Vertical));
    auto *layout = new QHBoxLayout;
    layout->addWidget(lstChoices);
    layout->addLayout(commands);
    setFixedLayout(layout);

    connect(cmdAdd, &QPushButton::clicked, this, &frmEditList::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmEditList::cmdDelete_Click);
    connect(cmdMoveUp, &QPushButton::clicked, this, &frmEditList::cmdMoveUp_Click);
    connect(cmdMoveDown, &QPushButton::clicked, this, &frmEditList::cmdMoveDown_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmEditList::cmdClear_Click);
    lstChoices->setFocus();
}

int frmEditList::selectedIndex() const
{
    const QList<QListWidgetItem *> selected = lstChoices->selectedItems();
    return selected.isEmpty() ? -1 : lstChoices->row(selected.constFirst());
}

void frmEditList::cmdAdd_Click()
{
    // Asks again after every answer, so choice after choice can be entered until the
    // user answers with nothing (or cancels).
    for (;;) {
        const QString choice = Prompter::input(
            AppInfo::Title, tr("Enter choice to add to the list:"), QString(), this);
        if (choice.isEmpty())
            return;
        if (choice.contains(QLatin1Char(ChoiceDelimiter))) {
            Prompter::message(MessageIcon::Exclamation,
                              tr("Choices may not contain the list item delimeter character."),
                              QMessageBox::Ok, this);
            continue;
        }
        auto *item = new QListWidgetItem(choice);
        item->setData(Qt::UserRole, textToBytes(choice));
        lstChoices->addItem(item);
    }
}

void frmEditList::cmdDelete_Click()
{
    const int index = selectedIndex();
    if (index < 0) {
        QApplication::beep();
        return;
    }
    delete lstChoices->takeItem(index);
    lstChoices->clearSelection();
}

void frmEditList::cmdMoveUp_Click()
{
    MoveChoice(-1);
}

void frmEditList::cmdMoveDown_Click()
{
    MoveChoice(1);
}

void frmEditList::MoveChoice(int delta)
{
    const int index = selectedIndex();
    if (index < 0) {
        QApplication::beep();
        return;
    }
    const int target = index + delta;
    if (target < 0 || target >= lstChoices->count())
        return; // the first choice cannot go up, nor the last one down
    QListWidgetItem *item = lstChoices->takeItem(index);
    lstChoices->insertItem(target, item);
    lstChoices->setCurrentItem(item);
}

void frmEditList::cmdClear_Click()
{
    lstChoices->clear();
}
