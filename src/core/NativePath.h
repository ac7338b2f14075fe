// A file name as the bytes the system knows it by. Linux file names are bytes, not text:
// a name that is not valid UTF-8 (a page called "caf\xE9.htm" made by an 8-bit program)
// would come back from QString as a look-alike name with replacement characters, so the
// reading and writing paths carry the bytes and decode them only to show them.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>

class NativePath
{
public:
    NativePath() = default;
    NativePath(const QByteArray &bytes) : m_bytes(bytes) {}
    NativePath(const QString &name) : m_bytes(QFile::encodeName(name)) {}

    const QByteArray &bytes() const { return m_bytes; }
    bool isEmpty() const { return m_bytes.isEmpty(); }
    // The name as shown in messages.
    QString display() const { return QFile::decodeName(m_bytes); }

    // A NUL byte ends a name for every system call, so a name holding one would silently
    // name another file: such a name is refused with this reason, never cut.
    bool hasNul() const { return m_bytes.contains('\0'); }
    static QString nulReason()
    {
        return QCoreApplication::translate("NativePath", "The file name contains a NUL byte");
    }

private:
    QByteArray m_bytes;
};
