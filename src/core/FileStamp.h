// What a document's file looked like on the disk when the program last read or wrote it,
// so that a change by another program is noticed before Save writes over it.
//
// How a window uses it: take FileStamp::of(path) after opening and after every save; before
// saving, and when the window becomes active again, ask changedOnDisk(path).
#pragma once

#include "NativePath.h"

#include <QtGlobal>
#include <sys/stat.h>

struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0;      // nanoseconds since the epoch
    qint64 statusChanged = 0; // also moves when a program puts the old modification time back
    quint64 device = 0;
    quint64 inode = 0; // a file saved by renaming a new one over it gets a new inode

    // The file's stamp now; a missing or unreadable file has exists false.
    static FileStamp of(const NativePath &path)
    {
        FileStamp stamp;
        struct stat info = {};
        if (path.hasNul() || ::stat(path.bytes().constData(), &info) != 0)
            return stamp;
        stamp.exists = true;
        stamp.size = info.st_size;
        stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        stamp.statusChanged = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
        stamp.device = info.st_dev;
        stamp.inode = info.st_ino;
        return stamp;
    }

    bool changedOnDisk(const NativePath &path) const { return of(path) != *this; }

    bool operator==(const FileStamp &other) const
    {
        return exists == other.exists && size == other.size && modified == other.modified &&
               statusChanged == other.statusChanged && device == other.device &&
               inode == other.inode;
    }
    bool operator!=(const FileStamp &other) const { return !(*this == other); }
};
