// File helpers shared by the core and end-to-end tests.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QString>

namespace TestFiles {

// The bytes of `path`; a null array when it cannot be read.
inline QByteArray read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray bytes = file.readAll();
    return bytes.isNull() ? QByteArray("") : bytes;
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Every line followed by `lineEnd`: the shape of the files the program writes.
inline QByteArray joined(const QByteArrayList &lines, const QByteArray &lineEnd = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + lineEnd;
    return bytes;
}

// Something in the way of writing `target`, without relying on permissions (the tests
// run as root): either a regular file where the target's folder should be, or a folder
// where the target should be. `survivor` holds some bytes and must come through a failed
// write unchanged.
struct Obstacle
{
    QString target;
    QString survivor;
};

inline Obstacle placeObstacle(const QString &dir, bool targetIsDirectory, const QByteArray &bytes)
{
    Obstacle obstacle;
    if (targetIsDirectory) {
        obstacle.target = dir + "/blocked.htm";
        obstacle.survivor = obstacle.target + "/inside.htm";
        QDir(dir).mkdir("blocked.htm");
    } else {
        obstacle.survivor = dir + "/blocked.htm";
        obstacle.target = obstacle.survivor + "/page.htm";
    }
    if (!write(obstacle.survivor, bytes))
        obstacle.survivor.clear();
    return obstacle;
}

// The plain files directly in `dir`, hidden ones included: a temporary file left behind
// by a failed write shows up here.
inline QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace TestFiles
