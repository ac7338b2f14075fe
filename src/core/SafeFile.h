// The one way the program writes a file: into a new file beside the target, renamed over
// it only once every byte is known to be on the disk. Used like QSaveFile: open(WriteOnly),
// write, commit(). On any failure the target is left as it was, no temporary file is
// left beside it and errorString() is the system's reason.
#pragma once

#include "NativePath.h"

#include <QIODevice>
#include <sys/types.h>

// A failure the next SafeFile meets on purpose, so that tests can drive every write path
// through every point where a real write fails (a full disk, a file-size limit, a broken
// disk, a folder that turned read-only).
struct WriteFault
{
    enum Point { None, AtByte, AtFlush, AtRename };
    Point point = None;
    qint64 byte = 0; // AtByte: how many bytes reach the file before the failing write
    int error = 0;   // the errno the failing call reports
};

class SafeFile : public QIODevice
{
public:
    explicit SafeFile(const NativePath &target);
    ~SafeFile() override; // without a successful commit() the target stays as it was

    // Only WriteOnly is accepted. Refuses a name holding a NUL byte and a target that is
    // not a regular file; a symbolic link is followed, so the file it points to is
    // replaced and the link stays.
    bool open(OpenMode mode) override;
    // Writes the data out to the disk, gives the new file the old file's permission bits
    // and, where allowed, its owner and group, and renames it over the target.
    bool commit();
    // Makes the next commit() fail and leave the target alone.
    void cancelWriting();
    // Discards what was written, as cancelWriting() followed by commit() would.
    void close() override;

    const NativePath &target() const { return m_target; }

    // The next SafeFile opened meets `fault`; it applies once.
    static void setNextFault(const WriteFault &fault);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    void noteFailure(const QString &reason);
    bool fail(const QString &reason);
    bool failWithErrno(int error);
    bool resolveTarget();
    bool createTemporary();
    bool finishFile();
    void discard();

    NativePath m_target;
    QByteArray m_final;     // the target with symbolic links followed
    QByteArray m_temporary; // the new file while it is written
    int m_fd = -1;
    bool m_existed = false;
    mode_t m_mode = 0;
    uid_t m_owner = 0;
    gid_t m_group = 0;
    bool m_failed = false;
    qint64 m_written = 0;
    WriteFault m_fault;
};
