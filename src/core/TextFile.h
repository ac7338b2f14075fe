// A text file held in memory as lines numbered from 1: loaded, searched, edited line by
// line and written back with CR LF line ends.
#pragma once

#include "NativePath.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <stdexcept>
#include <vector>

// Raised for misuse (a line number outside the buffer) and for a file that exists but
// cannot be read (its text is then "LOAD: " and the reason); the expected problems of Load and Save
// are reported through ErrorNum and ErrorMsg instead.
class TextFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TextFile
{
public:
    static constexpr qint32 ErrLoadNothing = qint32(0x80040001u);
    static constexpr qint32 ErrSaveNothing = qint32(0x80040002u);
    static constexpr qint32 ErrSaveNoName = qint32(0x80040003u);
    static constexpr qint32 ErrSaveFailed = qint32(0x80040004u);
    static constexpr qsizetype ChunkSize = 32768;

    qint32 ErrorNum = 0;
    QString ErrorMsg;

    // Discards all lines; the buffer then holds `firstline` alone.
    void ResetFile(const QByteArray &firstline);

    // Replaces the lines with those of `infile`. A missing or empty file sets
    // ErrLoadNothing and keeps the previous lines; nothing is created. A file that is not
    // a regular file or cannot be read raises TextFileError and leaves the buffer empty.
    void Load(const NativePath &infile);

    // Writes every line followed by CR LF through SafeFile, so a failed save leaves an
    // existing file as it was and ErrorMsg gives the system's reason.
    void Save(const NativePath &outfile);

    // Line `linenum`; an empty line for any number outside the buffer.
    QByteArray TextLine(qint32 linenum) const;
    // Stores `textin`, less one final LF and then one final CR, as line `linenum`.
    void setTextLine(qint32 linenum, QByteArray textin);

    // The first line containing `search`, ignoring ASCII case; 0 when there is none.
    qint32 FindFirst(const QByteArray &search) const;

    // linenum >= 1: inserts after that line and advances linenum to the new line.
    // linenum < 0: appends and leaves linenum alone. 0 or past the end raises.
    void InsertLine(qint32 &linenum, const QByteArray &newline);

    // Removes lines startline to endline, both included.
    void RemoveLines(qint32 startline, qint32 endline);

    // The list-box operations, on a plain list of lines.
    void ToListbox(QList<QByteArray> &lbox) const;
    void FromListbox(const QList<QByteArray> &lbox);

    qint32 LineCount() const { return qint32(m_lines.size() - gapSize()); }

private:
    // The lines live in a gap buffer, so that consecutive insertions at an advancing
    // position cost O(1) each. Lines read by Load point into m_content without copying;
    // until the first change they are searched there in one go, and runs of them that
    // still follow each other are written from there in one go, which keeps a large page
    // nearly as fast to merge as to copy.
    size_t gapSize() const { return m_gapEnd - m_gapStart; }
    const QByteArray &at(qint32 index) const; // index from 0
    bool inContent(const QByteArray &line) const;
    bool endsWithCrLfInContent(const QByteArray &line) const;
    void moveGapTo(size_t index);
    void ensureGap();
    void clearLines();
    void checkLine(qint32 linenum, const char *operation) const;

    std::vector<QByteArray> m_lines;
    size_t m_gapStart = 0;
    size_t m_gapEnd = 0;
    QByteArray m_content;
    bool m_pristine = false; // the lines are exactly those split from m_content by Load
};
