// What the fuzz targets share: a check that aborts with a message, a work folder with its
// file helpers, and plain reference versions of line splitting and case-blind search to
// hold the core's results against.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

// Aborts (which the fuzzer reports as a crash) when `condition` is false.
inline void fuzzCheck(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// The fuzzer's own folder, removed when it exits normally; run.sh removes what a crash
// leaves behind.
inline const QTemporaryDir &workDir()
{
    static const QTemporaryDir dir(QDir::tempPath() + "/tabrino-fuzz-XXXXXX");
    fuzzCheck(dir.isValid(), "no temporary folder");
    return dir;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile::remove(path);
    QFile file(path);
    fuzzCheck(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
              "cannot write the page");
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    fuzzCheck(file.open(QIODevice::ReadOnly), "cannot read the page back");
    return file.readAll();
}

// `lines`, each followed by CR LF, as the program writes them.
inline QByteArray crLfText(const QList<QByteArray> &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line + "\r\n";
    return text;
}

// Lines as the file formats define them: a line ends at CR LF, at a CR not followed by
// LF, or at an LF; text after the last line end is the last line; a final line end adds
// no empty line. Written byte by byte on purpose, independent of the core's splitter.
inline QList<QByteArray> referenceLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    QByteArray current;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i++];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i < bytes.size() && bytes[i] == '\n')
                ++i;
            lines.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

inline QByteArray referenceLower(QByteArray text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

// The number (from 1) of the first line that contains `needle` ignoring ASCII case; 0 when
// none does.
inline int referenceFindFirst(const QList<QByteArray> &lines, const QByteArray &needle)
{
    const QByteArray lowerNeedle = referenceLower(needle);
    for (int i = 0; i < lines.size(); ++i) {
        if (referenceLower(lines[i]).contains(lowerNeedle))
            return i + 1;
    }
    return 0;
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}
