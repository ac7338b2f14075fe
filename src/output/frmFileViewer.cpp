#include "frmFileViewer.h"

#include "TextBytes.h"
#include "ui/Prompter.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

frmFileViewer::frmFileViewer(QWidget *parent) : ModalDialog(parent, 40)
{
    setObjectName(QStringLiteral("frmFileViewer"));
    setWindowTitle(tr("Select Web Form Position"));

    lstViewer = new QListWidget(this);
    lstViewer->setObjectName(QStringLiteral("lstViewer"));
    lstViewer->setSelectionMode(QAbstractItemView::SingleSelection);
    lstViewer->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstViewer->setUniformItemSizes(true);

    lblAdvice =
        new QLabel(tr("Select the line immediately BEFORE the required form position."), this);
    lblAdvice->setObjectName(QStringLiteral("lblAdvice"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstViewer, 1);
    layout->addWidget(lblAdvice);
    layout->addWidget(createOkCancel());
    // Room for a page's lines; the dialog is centred at this size.
    setMinimumSize(680, 440);
}

void frmFileViewer::setLines(const QList<QByteArray> &lines)
{
    lstViewer->setUpdatesEnabled(false);
    for (const QByteArray &line : lines) {
        auto *entry = new QListWidgetItem(decodeBytes(line), lstViewer);
        entry->setData(Qt::UserRole, line);
    }
    lstViewer->setUpdatesEnabled(true);
}

bool frmFileViewer::acceptOk()
{
    if (selectedIndex() >= 0)
        return true;
    Tag = QStringLiteral("CANCEL");
    Prompter::message(MessageIcon::Exclamation,
                      tr("Please select the line after which the form is to go."), QMessageBox::Ok,
                      this);
    lstViewer->setFocus(Qt::OtherFocusReason);
    return false;
}

int frmFileViewer::selectedIndex() const
{
    const QList<QListWidgetItem *> selected = lstViewer->selectedItems();
    return selected.isEmpty() ? -1 : lstViewer->row(selected.constFirst());
}
