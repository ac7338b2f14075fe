// The modal result protocol shared by every dialog that returns values, and the pieces
// every such dialog looks the same with: fixed size, OK and Cancel, F1 help.
#include "ModalDialog.h"

#include "FrameWindow.h"
#include "HelpWindow.h"
#include "KeyFilter.h"
#include "Prompter.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

ModalDialog::ModalDialog(QWidget *parent, int helpTopic)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_helpTopic(helpTopic)
{
    setSizeGripEnabled(false);
    // Modal to the main frame only: the help window that F1 opens stays usable, as a
    // separate help viewer would be.
    setWindowModality(Qt::WindowModal);
}

void ModalDialog::cmdOK_Click()
{
    Tag = QStringLiteral("OK");
    requestClose();
}

void ModalDialog::cmdCancel_Click()
{
    requestClose();
}

void ModalDialog::requestClose()
{
    if (Tag.isEmpty()) {
        // The caller has read the result: a close request now really closes.
        QDialog::done(Rejected);
        return;
    }
    if (Tag == QLatin1String("OK") && !acceptOk())
        return;
    // Hiding ends exec(); the dialog stays alive so the caller can read its controls.
    QDialog::done(Tag == QLatin1String("OK") ? Accepted : Rejected);
}

void ModalDialog::closeEvent(QCloseEvent *event)
{
    if (Tag.isEmpty()) {
        QDialog::closeEvent(event);
        return;
    }
    // The close box counts as Cancel: the tag stays as it is.
    event->ignore();
    requestClose();
}

void ModalDialog::done(int result)
{
    // Esc (reject), and accept() or reject() from anywhere, are close requests too, so
    // that nothing bypasses the tag.
    if (Tag.isEmpty())
        QDialog::done(result);
    else
        requestClose();
}

void ModalDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        if (m_helpTopic > 0)
            HelpWindow::ShowHelpTopic(m_helpTopic);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ModalDialog::setVisible(bool visible)
{
    if (visible && !testAttribute(Qt::WA_Moved))
        centreOverMainFrame();
    QDialog::setVisible(visible);
}

void ModalDialog::centreOverMainFrame()
{
    const QWidget *frame = FrameWindow::instance() ? FrameWindow::instance()->widget() : nullptr;
    if (!frame || !frame->isVisible())
        return; // QDialog centres over the parent or the screen itself
    adjustSize();
    const QPoint centre = frame->frameGeometry().center();
    move(centre.x() - width() / 2, centre.y() - height() / 2);
}

QDialogButtonBox *ModalDialog::createOkCancel(Qt::Orientation orientation)
{
    auto *buttons = new QDialogButtonBox(orientation, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    auto *cmdOK = new QPushButton(tr("OK"), buttons);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    auto *cmdCancel = new QPushButton(tr("Cancel"), buttons);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &ModalDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &ModalDialog::cmdCancel_Click);
    return buttons;
}

void ModalDialog::setFixedLayout(QLayout *layout)
{
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setLayout(layout);
}

bool ModalDialog::requireName(const QString &name, QWidget *nameInput)
{
    if (!name.isEmpty())
        return true;
    Tag = QStringLiteral("CANCEL");
    Prompter::message(MessageIcon::Exclamation, tr("Please specify the item name."),
                      QMessageBox::Ok, this);
    nameInput->setFocus(Qt::OtherFocusReason);
    return false;
}

QLabel *ModalDialog::makeLabel(const QString &caption, const char *name, QWidget *buddy,
                               QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

QLineEdit *ModalDialog::makeTextBox(const char *name, int filterMode, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    InstallKeyFilter(box, filterMode);
    return box;
}

void ModalDialog::disableGroup(QWidget *label, QWidget *box, QWidget *upDown)
{
    label->setEnabled(false);
    box->setEnabled(false);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    if (upDown)
        upDown->setEnabled(false);
}

bool ModalDialog::isLostFocus(const QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}
