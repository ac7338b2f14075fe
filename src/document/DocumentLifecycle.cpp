#include "DocumentLifecycle.h"

#include "WebFormFile.h"
#include "app/Prompter.h"
#include "app/RecentFiles.h"
#include "app/WaitCursor.h"
#include "app/frmDesign.h"
#include "document/frmWebForm.h"
#include "html/FormPosition.h"

#include <QFile>

frmWebForm *FormWindow(int slot)
{
    if (!Slots().isInUse(slot))
        return nullptr;
    return qobject_cast<frmWebForm *>(Slots().WebForms.at(slot).data());
}

frmWebForm *CreateFormWindow(int slot)
{
    frmDesign *frame = frmDesign::MainFrame();
    auto *form = new frmWebForm(slot);
    Slots().WebForms[slot] = form;
    frame->addFormWindow(form);
    // A window made while the frame is still starting up comes up maximised.
    form->Form_Load(!frame->isVisible());
    return form;
}

bool IsUntitled(const frmWebForm *form)
{
    return form->Caption().left(8) == UntitledPrefix;
}

int NewWebForm()
{
    const int slot = Slots().AllocateFormSlot();
    if (slot == -1) {
        Prompter::message(MessageIcon::Exclamation,
                          QStringLiteral("The maximum number of files is already open.  Unable "
                                         "to create a new file."));
        return -1;
    }
    frmWebForm *form = CreateFormWindow(slot);
    form->setCaption(UntitledPrefix + QLatin1Char(':') + QString::number(slot));
    form->info().setNewDocumentProperties();
    frmDesign::MainFrame()->activateFormWindow(form);
    EnableFormButtons(true);
    RefreshRecentFileMenus();
    return slot;
}

void OpenWebForm()
{
    const QString file = Prompter::openFile(QStringLiteral("Select Web Form File to Open"),
                                            QString(), FileFilters::WebForm);
    if (!file.isEmpty())
        LoadWebFormFile(file);
}

frmWebForm *LoadWebFormFile(const QString &filename)
{
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
    WebFormInfo &info = form->info();
    const WebFormInfo &read_info = read.contents.properties;
    info.OutputFile = read_info.OutputFile;
    info.CGIFile = read_info.CGIFile;
    info.MethodGet = read_info.MethodGet;
    info.MediaType = read_info.MediaType;
    info.SubmitText = read_info.SubmitText;
    info.ResetText = read_info.ResetText;
    info.SlotFree = false;
    info.Changed = false;
    FillGrid(form->grid(), read.contents.rows);
    frmDesign::MainFrame()->activateFormWindow(form);
    RememberFileName(filename);
    EnableFormButtons(true);
    form->UpdateForm();
    if (!read.contents.reachedEndLine)
        Prompter::message(MessageIcon::Exclamation, EndedEarlyMessage(filename));
    return form;
}

bool SaveWebFormFile(frmWebForm *form, const QString &filename)
{
    QString error;
    {
        WaitCursor busy;
        error = WriteWebFormFile(filename, form->info(), form->grid());
    }
    if (!error.isEmpty()) {
        Prompter::message(MessageIcon::Critical, SaveFailedMessage(filename, error));
        return false;
    }
    form->setCaption(filename);
    form->setChanged(false);
    return true;
}

QString AskSaveFileName(const QString &suggested)
{
    // A name typed without an extension becomes a Web Form File.
    return Prompter::saveFile(QStringLiteral("Select Web Form File to Save"), suggested,
                              FileFilters::WebForm, true, nullptr, QStringLiteral("wfm"));
}

// File names are case-sensitive here: "Form.wfm" and "form.wfm" are two files.
bool IsRecentFile(const QString &name)
{
    return frmDesign::MainFrame()->recentFileCaptions().contains(name);
}

void RememberFileName(const QString &name)
{
    if (!IsRecentFile(name))
        AddRecentFile(name);
    RefreshRecentFileMenus();
}

void SelectPositionFile(const QString &suggested)
{
    const QString file = Prompter::openFile(QStringLiteral("Select HTML File to Select Position"),
                                            suggested, FileFilters::Html);
    if (!file.isEmpty())
        SetFormPosition(file);
}

void EnableFormButtons(bool enable)
{
    if (frmDesign *frame = frmDesign::MainFrame())
        frame->EnableFormButtons(enable);
}
