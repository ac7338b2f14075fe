#include "DocumentLifecycle.h"

#include "FileStamp.h"
#include "RecentFiles.h"
#include "WebFormFile.h"
#include "document/CommandActions.h"
#include "document/DocumentGuard.h"
#include "document/frmWebForm.h"
#include "output/FormPosition.h"
#include "ui/FrameWindow.h"
#include "ui/Prompter.h"
#include "ui/WaitCursor.h"

#include <QCoreApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QUndoStack>

frmWebForm *FormWindow(int slot)
{
    if (!Slots().isInUse(slot))
        return nullptr;
    return qobject_cast<frmWebForm *>(Slots().WebForms.at(slot).data());
}

frmWebForm *ActiveFormWindow()
{
    const FrameWindow *frame = FrameWindow::instance();
    if (!frame)
        return nullptr;
    const QMdiArea *area = frame->mdiArea();
    QMdiSubWindow *sub = area->currentSubWindow();
    if (!sub) {
        // The frame itself is not active: the window that was active last.
        const QList<QMdiSubWindow *> windows =
            area->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (!windows.isEmpty())
            sub = windows.last();
    }
    return sub ? qobject_cast<frmWebForm *>(sub->widget()) : nullptr;
}

frmWebForm *CreateFormWindow(int slot)
{
    FrameWindow *frame = FrameWindow::instance();
    auto *form = new frmWebForm(slot);
    Slots().WebForms[slot] = form;
    frame->addFormWindow(form);
    // A window made while the frame is still starting up comes up maximised.
    form->Form_Load(!frame->widget()->isVisible());
    return form;
}

bool IsUntitled(const frmWebForm *form)
{
    return IsUntitledCaption(form->Caption());
}

bool IsUntitledCaption(const QString &caption)
{
    return caption.left(8) == UntitledPrefix;
}

int NewWebForm()
{
    const int slot = Slots().AllocateFormSlot();
    if (slot == -1) {
        Prompter::message(
            MessageIcon::Exclamation,
            QCoreApplication::translate("DocumentLifecycle",
                                        "The maximum number of files is already open.  Unable "
                                        "to create a new file."));
        return -1;
    }
    frmWebForm *form = CreateFormWindow(slot);
    form->setCaption(UntitledPrefix + QLatin1Char(':') + QString::number(slot));
    form->info().setNewDocumentProperties();
    FrameWindow::instance()->activateFormWindow(form);
    UpdateCommands();
    CommandActions::instance()->refreshRecentFiles();
    return slot;
}

void OpenWebForm()
{
    const QString file = Prompter::openFile(
        QCoreApplication::translate("DocumentLifecycle", "Select Web Form File to Open"), QString(),
        FileFilters::WebForm);
    if (!file.isEmpty())
        LoadWebFormFile(file);
}

frmWebForm *LoadWebFormFile(const QString &filename)
{
    // Taken before reading: a change made while the file is read is noticed later.
    const FileStamp stamp = FileStamp::of(filename);
    WebFormReadResult read;
    {
        WaitCursor busy;
        read = ReadWebFormFile(filename);
    }
    if (!read.opened) {
        Prompter::message(MessageIcon::Critical, OpenFailedMessage(read.errorText));
        return nullptr;
    }
    const int slot = Slots().AllocateFormSlot();
    if (slot == -1) {
        Prompter::message(MessageIcon::Exclamation, TooManyFilesToOpenMessage());
        return nullptr;
    }
    WaitCursor busy;
    frmWebForm *form = CreateFormWindow(slot);
    form->setCaption(filename);
    PutFileContents(form, read.contents);
    form->info().SlotFree = false;
    form->info().Changed = false;
    form->guard().rememberFile(stamp);
    FrameWindow::instance()->activateFormWindow(form);
    RememberFileName(filename);
    UpdateCommands();
    form->UpdateForm();
    if (!read.contents.reachedEndLine)
        Prompter::message(MessageIcon::Exclamation, EndedEarlyMessage(filename));
    return form;
}

void PutFileContents(frmWebForm *form, const WebFormFileContents &contents)
{
    form->info().setProperties(contents.properties);
    FillGrid(form->grid(), contents.rows);
}

bool ReloadWebFormFile(frmWebForm *form)
{
    const QString filename = form->Caption();
    const FileStamp stamp = FileStamp::of(filename);
    WebFormReadResult read;
    {
        WaitCursor busy;
        read = ReadWebFormFile(filename);
    }
    if (!read.opened) {
        Prompter::message(MessageIcon::Critical, OpenFailedMessage(read.errorText), QMessageBox::Ok,
                          form);
        return false;
    }
    form->grid().clearItems();
    PutFileContents(form, read.contents);
    form->flgForm_EnterCell();
    // The steps of the history were made on rows that are gone: a reload starts a new one.
    form->history()->clear();
    form->setChanged(false);
    form->guard().rememberFile(stamp);
    form->UpdateForm();
    if (!read.contents.reachedEndLine)
        Prompter::message(MessageIcon::Exclamation, EndedEarlyMessage(filename), QMessageBox::Ok,
                          form);
    return true;
}

bool SaveWebFormFile(frmWebForm *form, const QString &filename)
{
    if (!form->guard().confirmOverwrite(filename))
        return false;
    QString error;
    {
        WaitCursor busy;
        error = WriteWebFormFile(filename, form->info(), form->grid());
    }
    if (!error.isEmpty()) {
        Prompter::message(MessageIcon::Critical, SaveFailedMessage(filename, error));
        return false;
    }
    form->guard().rememberFile(FileStamp::of(filename));
    form->setCaption(filename);
    form->setChanged(false);
    return true;
}

bool RunDocumentCommand(DocumentCommand command, const QString &caption, bool changed,
                        const DocumentSteps &steps)
{
    if (command == DocumentCommand::Close) {
        if (!changed)
            return true;
        const QMessageBox::StandardButton answer = steps.askSaveChanges();
        if (answer != QMessageBox::Yes)
            return answer == QMessageBox::No;
        command = DocumentCommand::Save; // closes only once saved
    }
    // An untitled document has no name to save under yet.
    const bool untitled = IsUntitledCaption(caption);
    QString name = caption;
    if (untitled || command == DocumentCommand::SaveAs)
        name = steps.askFileName(untitled ? QStringLiteral("untitled.wfm") : caption);
    if (name.isEmpty())
        return false;
    const bool written = steps.write(name);
    steps.remember(name);
    return written;
}

QString AskSaveFileName(const QString &suggested)
{
    // A name typed without an extension becomes a Web Form File.
    return Prompter::saveFile(
        QCoreApplication::translate("DocumentLifecycle", "Select Web Form File to Save"), suggested,
        FileFilters::WebForm, true, nullptr, QStringLiteral("wfm"));
}

// File names are case-sensitive here: "Form.wfm" and "form.wfm" are two files.
bool IsRecentFile(const QString &name)
{
    return CommandActions::instance()->recentFileCaptions().contains(name);
}

void RememberFileName(const QString &name)
{
    if (!IsRecentFile(name))
        AddRecentFile(name);
    CommandActions::instance()->refreshRecentFiles();
}

void SelectPositionFile(const QString &suggested, QWidget *parent)
{
    const QString file = Prompter::openFile(
        QCoreApplication::translate("DocumentLifecycle", "Select HTML File to Select Position"),
        suggested, FileFilters::Html);
    if (!file.isEmpty())
        SetFormPosition(file, parent);
}

void UpdateCommands()
{
    if (CommandActions *actions = CommandActions::instance())
        actions->update();
}
