#include "DocumentGuard.h"

#include "RecoveryStore.h"
#include "document/DocumentLifecycle.h"
#include "document/frmWebForm.h"
#include "ui/FrameWindow.h"
#include "ui/Prompter.h"

#include <QCoreApplication>

namespace {

RecoveryStore *store()
{
    FrameWindow *frame = FrameWindow::instance();
    return frame ? frame->recoveryStore() : nullptr;
}

} // namespace

DocumentGuard::DocumentGuard(frmWebForm *form) : QObject(form), m_form(form)
{
    m_copyTimer.setSingleShot(true);
    m_copyTimer.setInterval(CopyDelayMs);
    connect(&m_copyTimer, &QTimer::timeout, this, &DocumentGuard::writeCopyNow);
}

void DocumentGuard::documentChanged(bool changed)
{
    if (changed) {
        m_copyCurrent = false;
        m_copyTimer.start();
        return;
    }
    m_copyTimer.stop();
    if (RecoveryStore *recovery = store())
        recovery->remove(m_form->slot());
    m_copyCurrent = false;
}

void DocumentGuard::writeCopyNow()
{
    m_copyTimer.stop();
    RecoveryStore *recovery = store();
    if (!recovery || !m_form->info().Changed || m_copyCurrent)
        return;
    const NativePath path = IsUntitled(m_form) ? NativePath() : NativePath(m_form->Caption());
    // A copy that cannot be written is tried again after the next change; a message every
    // few seconds while the user types would help nobody.
    m_copyCurrent = recovery->save(m_form->slot(), m_form->info(), m_form->grid(), path).isEmpty();
}

void DocumentGuard::documentClosed()
{
    m_copyTimer.stop();
    if (RecoveryStore *recovery = store())
        recovery->remove(m_form->slot());
    m_copyCurrent = false;
}

void DocumentGuard::copyAdopted()
{
    m_copyTimer.stop();
    m_copyCurrent = true;
}

void DocumentGuard::rememberFile(const FileStamp &stamp)
{
    m_tracked = true;
    m_stamp = stamp;
    m_declined = FileStamp();
}

void DocumentGuard::rememberRestoredFile(const RecoveryCopy &copy)
{
    const FileStamp file = FileStamp::of(copy.originalPath);
    // A file written after the copy was made holds work the copy knows nothing of: it
    // counts as changed, so Save asks before writing over it.
    rememberFile(file.modified > FileStamp::of(NativePath(copy.copyFile)).modified ? FileStamp()
                                                                                   : file);
}

bool DocumentGuard::changedOnDisk() const
{
    if (!m_tracked || IsUntitled(m_form))
        return false;
    const FileStamp now = FileStamp::of(NativePath(m_form->Caption()));
    // A file that is gone loses nothing when it is written again.
    return now.exists && now != m_stamp;
}

bool DocumentGuard::confirmOverwrite(const QString &filename)
{
    if (IsUntitled(m_form) || filename != m_form->Caption() || !changedOnDisk())
        return true;
    if (Prompter::message(MessageIcon::Question, OverwriteQuestion(filename),
                          QMessageBox::Yes | QMessageBox::No, m_form) == QMessageBox::Yes)
        return true;
    // The user knows of this change now: no offer to reload it follows.
    m_declined = FileStamp::of(NativePath(filename));
    return false;
}

void DocumentGuard::offerReload()
{
    if (m_asking || !changedOnDisk())
        return;
    const FileStamp now = FileStamp::of(NativePath(m_form->Caption()));
    if (now == m_declined)
        return;
    m_asking = true;
    const auto answer = Prompter::message(MessageIcon::Question,
                                          ReloadQuestion(m_form->Caption(), m_form->info().Changed),
                                          QMessageBox::Yes | QMessageBox::No, m_form);
    m_asking = false;
    // A file that cannot be read back is not offered again until it changes once more.
    if (answer != QMessageBox::Yes || !ReloadWebFormFile(m_form))
        m_declined = now;
}

QString DocumentGuard::OverwriteQuestion(const QString &filename)
{
    return QCoreApplication::translate("DocumentGuard",
                                       "The file [%1] has been changed by another program since "
                                       "it was opened or saved here.")
               .arg(filename) +
           CrLf +
           QCoreApplication::translate("DocumentGuard",
                                       "Do you want to save over it and lose those changes?");
}

QString DocumentGuard::ReloadQuestion(const QString &filename, bool documentChanged)
{
    return QCoreApplication::translate("DocumentGuard",
                                       "The file [%1] has been changed by another program.")
               .arg(filename) +
           CrLf +
           (documentChanged
                ? QCoreApplication::translate("DocumentGuard",
                                              "Do you want to reload it and lose your changes?")
                : QCoreApplication::translate("DocumentGuard", "Do you want to reload it?"));
}
