// The life of a document: New, Open, loading and saving through the file dialogs, the
// hand-over of file names to the recent-file list, and the commands' enabling.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class frmWebForm;
struct WebFormFileContents;
class QWidget;

// A new untitled document; its slot, or -1 when nine documents are open.
int NewWebForm();
// Asks for a Web Form File and opens it.
void OpenWebForm();
// Reads `filename` into a new document window; nullptr when it could not be opened.
frmWebForm *LoadWebFormFile(const QString &filename);
// Reads the document's own file again in place of what the window holds; false (after a
// message) when it cannot be read.
bool ReloadWebFormFile(frmWebForm *form);
// Puts the properties and items read from a file into a document window.
void PutFileContents(frmWebForm *form, const WebFormFileContents &contents);
// Writes the document; on success the caption becomes `filename` and Changed is cleared.
// Writing over its own file after another program changed it asks first.
bool SaveWebFormFile(frmWebForm *form, const QString &filename);
// Save, Save As and the question before a changed document closes, apart from its window:
// the window supplies the questions and the write, so the decisions run without one.
enum class DocumentCommand { Save, SaveAs, Close };
struct DocumentSteps
{
    // "Do you want to save the changes?": Yes, No or Cancel.
    std::function<QMessageBox::StandardButton()> askSaveChanges;
    // The file dialog's answer, the empty text when cancelled.
    std::function<QString(const QString &suggested)> askFileName;
    // False (after a message) when the file was not written.
    std::function<bool(const QString &filename)> write;
    // Hands the name to the recent-file list, written or not.
    std::function<void(const QString &filename)> remember;
};
// Runs `command` on the document captioned `caption`: true when Save or Save As wrote the
// file, or when Close may close the window.
bool RunDocumentCommand(DocumentCommand command, const QString &caption, bool changed,
                        const DocumentSteps &steps);
// The chosen path, or the empty text when the dialog was cancelled.
QString AskSaveFileName(const QString &suggested);
void RememberFileName(const QString &name);
bool IsRecentFile(const QString &name);
// Asks for an HTML file and marks the form's position in it, its dialogs over `parent`.
void SelectPositionFile(const QString &suggested, QWidget *parent);
// Sets what the commands' enabled state depends on: whether a document is open.
void UpdateCommands();

// The window of a slot that is in use, or nullptr.
frmWebForm *FormWindow(int slot);
// The active document window, or the one active last while the frame is not; nullptr while
// none is open. Commands run on it, and the frame shows its menu bar.
frmWebForm *ActiveFormWindow();
// Creates the window of `slot` inside the main frame.
frmWebForm *CreateFormWindow(int slot);

inline const QString UntitledPrefix = QStringLiteral("Untitled");
bool IsUntitled(const frmWebForm *form);
bool IsUntitledCaption(const QString &caption);
