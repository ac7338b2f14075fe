// Recovery copies of documents with unsaved changes, so that a crash, a kill or a power cut
// loses nothing.
//
// How the program uses it: one store per running program, on DefaultFolder().
//  - At start-up, orphans() lists the copies left by instances that are no longer running;
//    they are offered back in one question. A restored document opens marked changed and
//    is handed to adopt() with its new document id (the copy becomes its own); a declined
//    one goes to discard().
//  - A few seconds after the last change of a changed document, save(); after a save of
//    the document, or closing it without saving, remove(); on a clean exit removeAll().
//    Ending on SIGTERM, SIGHUP or SIGINT keeps the copies: the next start offers them.
//
// In the folder, an instance's copy of document d is "<instance>.<d>.wfm" (a Web Form
// File) with "<instance>.<d>.path" (the bytes of the document's path, empty when it has
// none). The instance, "<pid>-<random>", holds an advisory lock on "<instance>.lock" for
// as long as it runs, and the system drops that lock however the process ends: copies
// whose lock can be taken belong to no running instance. The store that takes it holds it
// while it offers them, so two programs started together never offer the same copies.
#pragma once

#include "ItemGrid.h"
#include "NativePath.h"
#include "WebFormFile.h"
#include "WebFormInfo.h"

#include <QHash>
#include <QList>
#include <QString>

struct RecoveryCopy
{
    QString copyFile;        // the copy's .wfm in the recovery folder
    NativePath originalPath; // the document's file; empty for an untitled document
    WebFormFileContents contents;
};

class RecoveryStore
{
public:
    // $XDG_DATA_HOME/Tabrino/recovery (~/.local/share/Tabrino/recovery).
    static QString DefaultFolder();

    explicit RecoveryStore(const QString &folder);
    ~RecoveryStore(); // keeps the copies; only their lock goes
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // Writes the copy of document `docId` through the program's safe write path. Returns
    // the system's reason for a failure, or the empty text.
    QString save(int docId, const WebFormInfo &info, const ItemGrid &grid,
                 const NativePath &originalPath);
    void remove(int docId);
    void removeAll();

    // The copies of instances that no longer run, in a fixed order. A copy that does not
    // read back whole (cut short, not a regular file, a path that is not absolute or holds
    // a NUL byte) cannot be offered and is deleted.
    QList<RecoveryCopy> orphans();
    // Deletes a copy that orphans() listed.
    void discard(const RecoveryCopy &copy);
    // Makes a copy that orphans() listed the copy of this instance's document `docId`.
    bool adopt(const RecoveryCopy &copy, int docId);

    const QString &folder() const { return m_folder; }

private:
    QString copyName(const QString &instance, int docId, const char *suffix) const;
    bool lockOwnInstance();
    bool readCopy(const QString &wfm, RecoveryCopy &copy) const;
    void releaseIfDone(const QString &instance);

    QString m_folder;
    QString m_instance;
    int m_lockFd = -1;
    QHash<int, NativePath> m_writtenPaths; // what each .path file holds
    QHash<QString, int> m_heldOrphanLocks; // dead instance -> the lock this store took over
};
