#include "DocumentRecovery.h"

#include "FormSlots.h"
#include "RecoveryStore.h"
#include "document/CommandActions.h"
#include "document/DocumentGuard.h"
#include "document/DocumentLifecycle.h"
#include "document/frmWebForm.h"
#include "ui/FrameWindow.h"
#include "ui/Prompter.h"

#include <QCoreApplication>

QString RecoveryQuestion(const QList<RecoveryCopy> &copies)
{
    QString text =
        QCoreApplication::translate("DocumentRecovery",
                                    "Tabrino ended without saving the changes to these forms:") +
        CrLf + CrLf;
    for (const RecoveryCopy &copy : copies) {
        text += QLatin1Char('[') +
                (copy.originalPath.isEmpty() ? UntitledPrefix : copy.originalPath.display()) +
                QLatin1Char(']') + CrLf;
    }
    return text + CrLf +
           QCoreApplication::translate("DocumentRecovery",
                                       "Do you want to restore them? If you answer No, the "
                                       "changes are deleted.");
}

int OfferRecoveryCopies(RecoveryStore &store)
{
    const QList<RecoveryCopy> copies = store.orphans();
    if (copies.isEmpty())
        return 0;
    const auto answer = Prompter::message(MessageIcon::Question, RecoveryQuestion(copies),
                                          QMessageBox::Yes | QMessageBox::No);
    // Ended while asking: the copies stay for the next start.
    if (FrameWindow::instance()->isClosingAgreed())
        return 0;
    int restored = 0;
    for (const RecoveryCopy &copy : copies) {
        if (answer != QMessageBox::Yes)
            store.discard(copy);
        else if (RestoreWebForm(copy, store))
            ++restored;
    }
    return restored;
}

frmWebForm *RestoreWebForm(const RecoveryCopy &copy, RecoveryStore &store)
{
    const int slot = Slots().AllocateFormSlot();
    if (slot == -1)
        return nullptr;
    frmWebForm *form = CreateFormWindow(slot);
    form->setCaption(copy.originalPath.isEmpty()
                         ? UntitledPrefix + QLatin1Char(':') + QString::number(slot)
                         : copy.originalPath.display());
    PutFileContents(form, copy.contents);
    if (!copy.originalPath.isEmpty())
        form->guard().rememberRestoredFile(copy);
    FrameWindow::instance()->activateFormWindow(form);
    UpdateCommands();
    CommandActions::instance()->refreshRecentFiles();
    form->UpdateForm();
    form->setChanged(true);
    if (store.adopt(copy, slot)) {
        form->guard().copyAdopted();
    } else {
        // The copy could not be taken over: the window writes its own, then the old goes.
        form->guard().writeCopyNow();
        store.discard(copy);
    }
    return form;
}
