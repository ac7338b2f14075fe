#include "RecoveryStore.h"

#include "FileReading.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A path longer than the system's limit names no file the document could have come from.
constexpr qsizetype LongestPath = 4096;

const QRegularExpression &copyPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{1,10}-[0-9a-f]{8})\\.([0-9]{1,9})\\.(wfm|path)$"));
    return pattern;
}

const QRegularExpression &lockPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,10}-[0-9a-f]{8})\\.lock$"));
    return pattern;
}

// Opens (creating it when it is gone) and locks an instance's lock file without waiting;
// -1 when another process holds it or it cannot be had.
int takeLock(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QString writeBytes(const QString &path, const QByteArray &bytes)
{
    SafeFile file{NativePath(path)};
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return QString();
}

bool validPath(const QByteArray &path)
{
    return path.isEmpty() ||
           (path.startsWith('/') && path.size() <= LongestPath && !path.contains('\0'));
}

} // namespace

QString RecoveryStore::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tabrino/recovery");
}

RecoveryStore::RecoveryStore(const QString &folder)
    : m_folder(folder),
      m_instance(QStringLiteral("%1-%2")
                     .arg(::getpid())
                     .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')))
{
}

RecoveryStore::~RecoveryStore()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    for (const int fd : std::as_const(m_heldOrphanLocks))
        ::close(fd);
}

QString RecoveryStore::copyName(const QString &instance, int docId, const char *suffix) const
{
    return m_folder + QLatin1Char('/') + instance + QLatin1Char('.') + QString::number(docId) +
           QLatin1Char('.') + QLatin1String(suffix);
}

// The lock is put in place under a name no scan looks at and renamed once it is held, so
// that no other program ever sees this instance's lock file unlocked.
bool RecoveryStore::lockOwnInstance()
{
    if (m_lockFd >= 0)
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    // The copies are the user's forms: the folder is the user's alone.
    ::chmod(QFile::encodeName(m_folder).constData(), 0700);
    const QString lockFile = m_folder + QLatin1Char('/') + m_instance + QStringLiteral(".lock");
    const QString newLock = m_folder + QStringLiteral("/.") + m_instance + QStringLiteral(".new");
    const int fd = takeLock(newLock);
    if (fd < 0)
        return false;
    if (::rename(QFile::encodeName(newLock).constData(), QFile::encodeName(lockFile).constData()) !=
        0) {
        ::unlink(QFile::encodeName(newLock).constData());
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

QString RecoveryStore::save(int docId, const WebFormInfo &info, const ItemGrid &grid,
                            const NativePath &originalPath)
{
    if (!lockOwnInstance())
        return QString::fromLocal8Bit(std::strerror(errno));
    // The path goes first: a .wfm is never beside the path of another document.
    const auto written = m_writtenPaths.constFind(docId);
    if (written == m_writtenPaths.cend() || written->bytes() != originalPath.bytes()) {
        const QString error = writeBytes(copyName(m_instance, docId, "path"), originalPath.bytes());
        if (!error.isEmpty())
            return error;
        m_writtenPaths.insert(docId, originalPath);
    }
    return WriteWebFormFile(NativePath(copyName(m_instance, docId, "wfm")), info, grid);
}

void RecoveryStore::remove(int docId)
{
    QFile::remove(copyName(m_instance, docId, "wfm"));
    QFile::remove(copyName(m_instance, docId, "path"));
    m_writtenPaths.remove(docId);
}

void RecoveryStore::removeAll()
{
    const QString prefix = m_instance + QLatin1Char('.');
    for (const QString &name : QDir(m_folder).entryList(QDir::Files | QDir::System)) {
        const QRegularExpressionMatch match = copyPattern().match(name);
        if (match.hasMatch() && match.captured(1) == m_instance)
            QFile::remove(m_folder + QLatin1Char('/') + name);
    }
    m_writtenPaths.clear();
    if (m_lockFd >= 0) {
        QFile::remove(m_folder + QLatin1Char('/') + m_instance + QStringLiteral(".lock"));
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

bool RecoveryStore::readCopy(const QString &wfm, RecoveryCopy &copy) const
{
    copy.copyFile = wfm;
    QByteArray bytes;
    if (!ReadWholeFile(NativePath(wfm), bytes).ok())
        return false;
    copy.contents = ParseWebFormFile(bytes);
    if (!copy.contents.reachedEndLine)
        return false;
    QString pathFile = wfm;
    pathFile.replace(pathFile.size() - 3, 3, QStringLiteral("path"));
    QByteArray path;
    const FileReading read = ReadWholeFile(NativePath(pathFile), path);
    if (read.status == FileReading::Failed || !validPath(path))
        return false;
    copy.originalPath = NativePath(path); // a missing path file: an untitled document
    return true;
}

QList<RecoveryCopy> RecoveryStore::orphans()
{
    QHash<QString, QStringList> copiesOf; // instance -> its .wfm and .path names
    const QStringList names = QDir(m_folder).entryList(QDir::Files | QDir::System, QDir::Name);
    for (const QString &name : names) {
        QRegularExpressionMatch match = copyPattern().match(name);
        if (!match.hasMatch())
            match = lockPattern().match(name);
        if (match.hasMatch())
            copiesOf[match.captured(1)].append(name);
    }
    QList<RecoveryCopy> found;
    for (auto it = copiesOf.cbegin(); it != copiesOf.cend(); ++it) {
        const QString &instance = it.key();
        if (instance == m_instance)
            continue;
        if (!m_heldOrphanLocks.contains(instance)) {
            const int fd =
                takeLock(m_folder + QLatin1Char('/') + instance + QStringLiteral(".lock"));
            if (fd < 0)
                continue; // its program is running
            m_heldOrphanLocks.insert(instance, fd);
        }
        for (const QString &name : it.value()) {
            if (!name.endsWith(QLatin1String(".wfm")))
                continue;
            RecoveryCopy copy;
            if (readCopy(m_folder + QLatin1Char('/') + name, copy))
                found.append(copy);
            else
                discard(copy);
        }
        releaseIfDone(instance);
    }
    std::sort(found.begin(), found.end(),
              [](const RecoveryCopy &a, const RecoveryCopy &b) { return a.copyFile < b.copyFile; });
    return found;
}

void RecoveryStore::discard(const RecoveryCopy &copy)
{
    const QRegularExpressionMatch match =
        copyPattern().match(copy.copyFile.mid(m_folder.size() + 1));
    if (!copy.copyFile.startsWith(m_folder + QLatin1Char('/')) || !match.hasMatch())
        return;
    QFile::remove(copy.copyFile);
    QFile::remove(copyName(match.captured(1), match.captured(2).toInt(), "path"));
    releaseIfDone(match.captured(1));
}

bool RecoveryStore::adopt(const RecoveryCopy &copy, int docId)
{
    const QRegularExpressionMatch match =
        copyPattern().match(copy.copyFile.mid(m_folder.size() + 1));
    if (!copy.copyFile.startsWith(m_folder + QLatin1Char('/')) || !match.hasMatch() ||
        !m_heldOrphanLocks.contains(match.captured(1)) || !lockOwnInstance())
        return false;
    remove(docId);
    const QString oldPath = copyName(match.captured(1), match.captured(2).toInt(), "path");
    const bool pathMoved = QFile::rename(oldPath, copyName(m_instance, docId, "path"));
    const bool moved = QFile::rename(copy.copyFile, copyName(m_instance, docId, "wfm"));
    if (moved && pathMoved)
        m_writtenPaths.insert(docId, copy.originalPath);
    releaseIfDone(match.captured(1));
    return moved;
}

// Once a dead instance has no copy left, its leftovers and its lock file go.
void RecoveryStore::releaseIfDone(const QString &instance)
{
    const auto held = m_heldOrphanLocks.find(instance);
    if (held == m_heldOrphanLocks.end())
        return;
    QStringList leftovers;
    for (const QString &name : QDir(m_folder).entryList(QDir::Files | QDir::System)) {
        const QRegularExpressionMatch match = copyPattern().match(name);
        if (!match.hasMatch() || match.captured(1) != instance)
            continue;
        if (match.captured(3) == QLatin1String("wfm"))
            return;
        leftovers.append(name);
    }
    for (const QString &name : leftovers)
        QFile::remove(m_folder + QLatin1Char('/') + name);
    QFile::remove(m_folder + QLatin1Char('/') + instance + QStringLiteral(".lock"));
    ::close(*held);
    m_heldOrphanLocks.erase(held);
}
