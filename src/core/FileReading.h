// Reading a whole file into memory, safely whatever the name turns out to be: a folder, a
// FIFO that no one writes to, a device that never ends (/dev/zero) or a file too large
// for memory is reported, never waited on or read until the program runs out of memory.
#pragma once

#include "NativePath.h"

#include <QByteArray>
#include <QString>

struct FileReading
{
    enum Status { Read, Missing, Failed };
    Status status = Read;
    QString reason; // the system's description when the file could not be read

    bool ok() const { return status == Read; }
};

// Reads `path` into `bytes`, reusing the memory `bytes` already holds when it fits. A
// missing file is Missing (and no file is created); anything else that stops the reading
// is Failed with its reason. `bytes` is empty unless the file was read.
FileReading ReadWholeFile(const NativePath &path, QByteArray &bytes);

// Opens `path` for reading, at once whatever it is, and keeps it open only when it is a
// regular file: then `fd` is its descriptor (the caller closes it) and `size` its size.
// The statuses and reasons are those of ReadWholeFile.
FileReading OpenRegularFile(const NativePath &path, int &fd, qint64 &size);
