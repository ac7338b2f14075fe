// An existing page read straight from its file, for the merge and the converter's form
// position: finds the marker lines, counts and locates lines and writes the page again with
// new lines spliced in, all by scanning the page's bytes as it is read in pieces. No table
// of lines is built and the page is never held whole, so a page of any size costs the same
// few MiB.
#pragma once

#include "NativePath.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

class QIODevice;

class PageSplice
{
public:
    // A part of the new page: the bytes [begin, end) of this page, or a list of lines.
    struct Piece
    {
        qint64 begin = 0;
        qint64 end = 0;
        const QList<QByteArray> *lines = nullptr;
    };

    // The form block of a page: from the first byte of its start marker line up to the
    // first byte after the line end of its end marker line.
    struct Block
    {
        qint64 begin = 0;
        qint64 end = 0;
    };

    // Outcome of Load, as the line buffer reports it: TextFile::ErrLoadNothing with its
    // message for a missing or empty file.
    qint32 ErrorNum = 0;
    QString ErrorMsg;

    // The page is read, scanned and written this many bytes at a time.
    static constexpr qint64 DefaultReadSize = 1 << 20;

    explicit PageSplice(qint64 readSize = DefaultReadSize) : m_readSize(readSize) {}
    PageSplice(const PageSplice &) = delete;
    PageSplice &operator=(const PageSplice &) = delete;

    // Opens `infile`. A file that exists but cannot be opened or is not a regular file
    // raises TextFileError, as TextFile::Load does; so does a read that fails later, in any
    // of the functions below.
    void Load(const NativePath &infile);

    qint64 size() const { return m_size; }

    // What MarkedBlock can count on its way: the page's lines, and where line `skip` + 1
    // begins (the end of the page when there are not that many lines).
    struct LineTally
    {
        qint64 skip = 0;
        qint64 lines = 0;
        qint64 skipStart = -1;
    };

    // The block between the first line that contains "FORM_START_CMD" and the first that
    // contains "FORM_END_CMD" (any case), when they make a valid marker pair. With `tally`,
    // the same pass goes on to the end of the page and fills it in.
    std::optional<Block> MarkedBlock(LineTally *tally = nullptr) const;

    // The number of lines of [begin, end), a range that starts at a line; a final line end
    // adds no empty line.
    qint64 LineCount(qint64 begin, qint64 end) const;
    qint64 LineCount() const { return LineCount(0, m_size); }

    // Where line `skip` + 1 of the lines that start at `begin` begins, or `end` when
    // [begin, end) holds no more than `skip` lines.
    qint64 LineStart(qint64 begin, qint64 end, qint64 skip) const;

    // Writes the pieces one after the other with a CR LF after every line, the last one
    // included, as TextFile::Save writes lines; every other byte goes out as it is. False
    // when `out` refused a write. Ranges of the page should start and end at lines.
    bool Write(QIODevice &out, const std::vector<Piece> &pieces) const;

    // The functions below read the page once: they look for the block, count lines and
    // write the new page as the pieces go by, holding back only the bytes that may still
    // turn out to belong to the block. They write what Write would write of the same
    // pieces. `out` may be nullptr: then the page is only looked through. What went to
    // `out` is of use only when the result says the new page is whole.

    // The merge: the page with its marked block replaced by `lines`, a CR LF after each.
    // Nothing when the page has no valid marker pair (the pass stops where that shows);
    // otherwise whether every byte reached `out`.
    std::optional<bool> ReplaceBlock(QIODevice *out, const QList<QByteArray> &lines) const;

    // The form position: the page with `lines` put after its line `after` (0: before the
    // first), the marked block left out first when `dropBlock`. Writing stops once the
    // page has more than `lineLimit` lines, or has a block that is to stay.
    struct Placed
    {
        std::optional<Block> block; // as MarkedBlock finds it
        qint64 lines = 0;           // the page's lines
        qint64 remaining = 0;       // the lines left once the block is dropped
        bool written = false;       // the new page reached `out` whole
    };
    Placed PlaceLines(QIODevice *out, qint64 after, bool dropBlock, const QList<QByteArray> &lines,
                      qint64 lineLimit) const;

private:
    class Reader;
    class Writer;
    class MarkerSearch;
    class Splicer;
    void writeRange(Writer &writer, qint64 begin, qint64 end) const;

    mutable QFile m_file;
    qint64 m_size = 0;
    qint64 m_readSize;
};
