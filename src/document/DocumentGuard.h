// What keeps a document window's work safe while it is open: a recovery copy of unsaved
// changes, written a few seconds after the last change, and the stamp of its file on disk,
// so that a change made by another program is neither overwritten nor missed unnoticed.
#pragma once

#include "FileStamp.h"

#include <QObject>
#include <QTimer>

class frmWebForm;
struct RecoveryCopy;

class DocumentGuard : public QObject
{
    Q_OBJECT

public:
    // A burst of edits costs one copy, written this long after the last of them.
    static constexpr int CopyDelayMs = 3000;

    explicit DocumentGuard(frmWebForm *form);

    // The document's Changed flag was set or cleared: a change (re)starts the copy's
    // timer; a document without changes (saved, reloaded, undone) needs no copy.
    void documentChanged(bool changed);
    bool copyPending() const { return m_copyTimer.isActive(); }
    // Writes the copy at once if the document has changes the copy does not hold yet.
    void writeCopyNow();
    // The window closes: its copy goes.
    void documentClosed();
    // A restored document: the copy it came from is already its copy.
    void copyAdopted();

    // The file as it was when the document was read from it or written to it.
    void rememberFile(const FileStamp &stamp);
    // A restored document's file: taken as read unless it changed after the copy was made.
    void rememberRestoredFile(const RecoveryCopy &copy);
    // True when the document's file exists and is not what was read or written last; a
    // document that never read or wrote its file (the wizard's) has nothing to compare.
    bool changedOnDisk() const;
    // Before Save writes `filename`: asks before writing over the document's own file when
    // another program changed it. False when the save must not go on.
    bool confirmOverwrite(const QString &filename);
    // The window became active again: offers to reload a file another program changed,
    // once for each state of the file.
    void offerReload();

    static QString OverwriteQuestion(const QString &filename);
    static QString ReloadQuestion(const QString &filename, bool documentChanged);

private:
    frmWebForm *m_form;
    QTimer m_copyTimer;
    bool m_copyCurrent = false; // the recovery copy holds the document as it is
    bool m_tracked = false;     // the document was read from or written to its file
    FileStamp m_stamp;
    FileStamp m_declined; // the disk state whose reload was refused
    bool m_asking = false;
};
