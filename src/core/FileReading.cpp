#include "FileReading.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileReading failed(const QString &reason)
{
    return {FileReading::Failed, reason};
}

FileReading failedWithErrno(int error)
{
    return failed(QString::fromLocal8Bit(std::strerror(error)));
}

// One read(2), started again when a signal interrupts it.
ssize_t readOnce(int fd, char *into, size_t size)
{
    ssize_t n;
    do
        n = ::read(fd, into, size);
    while (n < 0 && errno == EINTR);
    return n;
}

// Reads from `fd` until the end of the file. A file that grows while it is read is read
// to its new end.
FileReading readAll(int fd, qint64 size, QByteArray &bytes)
{
    // The memory of a previous content is read into again when it is large enough and not
    // far too large, so that reading a large page again does not pay for fresh memory.
    if (bytes.isDetached() && bytes.capacity() >= size && bytes.capacity() <= 2 * size + 65536) {
        bytes.resize(size);
    } else {
        bytes = QByteArray(); // frees the old memory first
        bytes = QByteArray(size, Qt::Uninitialized);
    }
    qint64 got = 0;
    while (got < size) {
        const ssize_t n = readOnce(fd, bytes.data() + got, size_t(size - got));
        if (n < 0)
            return failedWithErrno(errno);
        if (n == 0)
            break;
        got += n;
    }
    bytes.resize(got);
    if (got < size)
        return {FileReading::Read, QString()};
    char more[65536]; // whatever was added since the size was taken
    for (;;) {
        const ssize_t n = readOnce(fd, more, sizeof more);
        if (n < 0)
            return failedWithErrno(errno);
        if (n == 0)
            break;
        bytes.append(more, n);
    }
    return {FileReading::Read, QString()};
}

} // namespace

FileReading OpenRegularFile(const NativePath &path, int &fd, qint64 &size)
{
    fd = -1;
    size = 0;
    if (path.hasNul())
        return failed(NativePath::nulReason());
    // Non-blocking, so that opening a FIFO does not wait for a writer; the kind of file is
    // then checked before a single byte is read.
    int opened;
    do
        opened = ::open(path.bytes().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (opened < 0 && errno == EINTR);
    if (opened < 0)
        return errno == ENOENT ? FileReading{FileReading::Missing,
                                             QString::fromLocal8Bit(std::strerror(ENOENT))}
                               : failedWithErrno(errno);
    FileReading result;
    struct stat info = {};
    if (fstat(opened, &info) != 0)
        result = failedWithErrno(errno);
    else if (S_ISDIR(info.st_mode))
        result = failedWithErrno(EISDIR);
    else if (!S_ISREG(info.st_mode))
        result = failed(QCoreApplication::translate("FileReading", "Not a regular file"));
    if (!result.ok()) {
        ::close(opened);
        return result;
    }
    fd = opened;
    size = qint64(info.st_size);
    return result;
}

FileReading ReadWholeFile(const NativePath &path, QByteArray &bytes)
{
    bytes.resize(0);
    int fd;
    qint64 size;
    FileReading result = OpenRegularFile(path, fd, size);
    if (!result.ok())
        return result;
    try {
        result = readAll(fd, size, bytes);
    } catch (const std::bad_alloc &) {
        result = failed(QCoreApplication::translate(
            "FileReading", "The file is too large to be read into memory"));
    }
    ::close(fd);
    if (!result.ok())
        bytes = QByteArray();
    return result;
}
