#include "SafeFile.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

WriteFault &nextFault()
{
    static WriteFault fault;
    return fault;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A write beyond the file-size limit (ulimit -f) would end the program by SIGXFSZ before
// it could report anything; ignored, the write fails with EFBIG, "File too large".
void ignoreFileSizeSignal()
{
    static const bool ignored = [] {
        struct sigaction action = {};
        action.sa_handler = SIG_IGN;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGXFSZ, &action, nullptr) == 0;
    }();
    Q_UNUSED(ignored);
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// ".tb" and six random letters or digits: short, so that a target name of 255 bytes, the
// longest a folder entry may have, can still be saved; hidden, since it is not the user's.
QByteArray temporaryName(const QByteArray &folder)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = folder + (folder.endsWith('/') ? "" : "/") + ".tb";
    for (int i = 0; i < 6; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return name;
}

template <typename Call> int retryOnInterrupt(Call call)
{
    int result;
    do
        result = call();
    while (result == -1 && errno == EINTR);
    return result;
}

} // namespace

SafeFile::SafeFile(const NativePath &target) : m_target(target) {}

SafeFile::~SafeFile()
{
    discard();
}

void SafeFile::setNextFault(const WriteFault &fault)
{
    nextFault() = fault;
}

// Keeps the first reason: a later step may fail only because an earlier one did.
void SafeFile::noteFailure(const QString &reason)
{
    if (!m_failed)
        setErrorString(reason);
    m_failed = true;
}

bool SafeFile::fail(const QString &reason)
{
    noteFailure(reason);
    discard();
    return false;
}

bool SafeFile::failWithErrno(int error)
{
    return fail(systemReason(error));
}

bool SafeFile::open(OpenMode mode)
{
    if (isOpen() || m_fd >= 0) {
        setErrorString(QCoreApplication::translate("SafeFile", "The file is already open"));
        return false;
    }
    if (!(mode & WriteOnly) || (mode & (ReadOnly | Append))) {
        setErrorString(
            QCoreApplication::translate("SafeFile", "Only write-only mode is supported"));
        return false;
    }
    ignoreFileSizeSignal();
    m_fault = nextFault();
    nextFault() = WriteFault();
    m_failed = false;
    m_written = 0;
    if (m_target.isEmpty())
        return fail(QCoreApplication::translate("SafeFile", "No file name specified"));
    if (m_target.hasNul())
        return fail(NativePath::nulReason());
    if (!resolveTarget() || !createTemporary())
        return false;
    return QIODevice::open(mode | Unbuffered);
}

// Follows symbolic links to the file that is to be replaced and notes what that file is.
bool SafeFile::resolveTarget()
{
    QByteArray path = m_target.bytes();
    struct stat info = {};
    for (int links = 0;; ++links) {
        if (lstat(path.constData(), &info) != 0) {
            if (errno != ENOENT)
                return failWithErrno(errno);
            m_existed = false; // a new file, or the missing target of a link
            m_final = path;
            return true;
        }
        if (!S_ISLNK(info.st_mode))
            break;
        if (links == 40)
            return failWithErrno(ELOOP);
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = readlink(path.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return failWithErrno(errno);
        link.truncate(length);
        path = link.startsWith('/') ? link : folderOf(path) + '/' + link;
    }
    if (S_ISDIR(info.st_mode))
        return failWithErrno(EISDIR);
    if (!S_ISREG(info.st_mode))
        return fail(QCoreApplication::translate("SafeFile", "Not a regular file"));
    m_final = path;
    m_existed = true;
    m_mode = info.st_mode & 07777;
    m_owner = info.st_uid;
    m_group = info.st_gid;
    return true;
}

// A new file gets 0666 less the umask, as any program's; while it replaces an existing
// file, nobody else may read it until it has that file's permission bits.
bool SafeFile::createTemporary()
{
    const QByteArray folder = folderOf(m_final);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = temporaryName(folder);
        const int fd = retryOnInterrupt([&] {
            return ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          m_existed ? 0600 : 0666);
        });
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = name;
            return true;
        }
        if (errno != EEXIST)
            return failWithErrno(errno);
    }
    return failWithErrno(EEXIST);
}

qint64 SafeFile::readData(char *, qint64)
{
    return -1;
}

qint64 SafeFile::writeData(const char *data, qint64 size)
{
    if (m_failed || m_fd < 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        qint64 piece = size - done;
        if (m_fault.point == WriteFault::AtByte) {
            if (m_written >= m_fault.byte) {
                noteFailure(systemReason(m_fault.error));
                return -1;
            }
            piece = qMin(piece, m_fault.byte - m_written);
        }
        const ssize_t n = ::write(m_fd, data + done, size_t(piece));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) { // no progress on a regular file means no room
            noteFailure(systemReason(n < 0 ? errno : ENOSPC));
            return -1;
        }
        done += n;
        m_written += n;
    }
    return size;
}

// Data to the disk, then the old file's permission bits and owner, then closed: each step
// checked, since a full disk or a broken one may show only here.
bool SafeFile::finishFile()
{
    if (m_fault.point == WriteFault::AtFlush)
        return failWithErrno(m_fault.error);
    if (retryOnInterrupt([this] { return fdatasync(m_fd); }) != 0)
        return failWithErrno(errno);
    if (m_existed) {
        // Changing the owner may clear set-user-ID bits, so the mode comes after it. Only
        // root may give a file away: for others EPERM leaves the file theirs.
        if (fchown(m_fd, m_owner, m_group) != 0 && errno != EPERM)
            return failWithErrno(errno);
        // Folders that keep no permission bits (FAT) refuse with EPERM; nothing is lost.
        if (fchmod(m_fd, m_mode) != 0 && errno != EPERM && errno != EOPNOTSUPP)
            return failWithErrno(errno);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        return failWithErrno(errno);
    return true;
}

bool SafeFile::commit()
{
    if (!isOpen() || m_fd < 0) {
        if (!m_failed)
            setErrorString(QCoreApplication::translate("SafeFile", "The file is not open"));
        return false;
    }
    QIODevice::close();
    if (m_failed) { // a write failed or writing was cancelled
        discard();
        return false;
    }
    if (!finishFile())
        return false;
    if (m_fault.point == WriteFault::AtRename)
        return failWithErrno(m_fault.error);
    if (::rename(m_temporary.constData(), m_final.constData()) != 0)
        return failWithErrno(errno);
    m_temporary.clear();
    return true;
}

void SafeFile::cancelWriting()
{
    if (!isOpen())
        return;
    noteFailure(QCoreApplication::translate("SafeFile", "Writing canceled by the application"));
}

void SafeFile::close()
{
    if (isOpen())
        QIODevice::close();
    discard();
}

void SafeFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
    if (isOpen())
        QIODevice::close();
}
