#include "PageSplice.h"

#include "FileReading.h"
#include "FoldedSearch.h"
#include "HtmlGenerator.h"
#include "LineSplitter.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// A load failure's message: the operation's tag and the reason.
std::string loadFailure(const QString &reason)
{
    return QCoreApplication::translate("TextFile", "LOAD: %1").arg(reason).toStdString();
}

// Pieces at least this long are written straight from where they are; shorter ones are
// gathered first.
constexpr qint64 DirectSize = 64 << 10;
constexpr qint64 BufferSize = 1 << 20;
// Bytes kept before each piece read: enough for a keyword that began in the piece before.
constexpr qint64 Context = 16;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Where the line end at `lineEnd` is over: after CR LF (the LF may be at `limit`'s edge,
// readable up to `limit`), or after the CR or LF alone.
const char *afterLineEnd(const char *lineEnd, const char *limit)
{
    return lineEnd + ((*lineEnd == '\r' && lineEnd + 1 < limit && lineEnd[1] == '\n') ? 2 : 1);
}

// Whether `needle` (lower case) is at `p`, whole before `end`, ignoring ASCII case.
bool matchesFolded(const char *p, const char *end, const QByteArray &needle)
{
    if (end - p < needle.size())
        return false;
    for (qsizetype i = 0; i < needle.size(); ++i) {
        if (asciiLower(p[i]) != needle[i])
            return false;
    }
    return true;
}

// The last line end in [begin, end), or nullptr.
const char *lastLineEnd(const char *begin, const char *end)
{
    while (end > begin) {
        if (isLineEnd(*--end))
            return end;
    }
    return nullptr;
}

} // namespace

// Reads [begin, end) of the page one piece after another into one buffer. Up to Context
// bytes of the range before a piece stay readable before it, and the range's byte after it
// after it, so that a keyword or a CR LF cut by the edge of a piece is seen whole.
class PageSplice::Reader
{
public:
    // With `pageContext`, the bytes around a piece are those of the whole page, not only
    // of [begin, end).
    Reader(const PageSplice &page, qint64 begin, qint64 end, bool pageContext = false)
        : m_page(page), m_begin(begin), m_end(end), m_next(begin),
          m_contextBegin(pageContext ? 0 : begin), m_contextEnd(pageContext ? page.m_size : end),
          m_buffer(new char[size_t(Context + std::min(page.m_readSize, end - begin) + 1)])
    {
    }

    // The next piece; false when the range is done.
    bool next()
    {
        if (m_next >= m_end)
            return false;
        offset = m_next;
        size = std::min(m_page.m_readSize, m_end - offset);
        before = std::min(Context, offset - m_contextBegin);
        after = m_contextEnd - offset > size ? 1 : 0;
        char *piece = m_buffer.get() + Context;
        read(offset - before, piece - before, before + size + after);
        data = piece;
        m_next = offset + size;
        return true;
    }

    const char *data = nullptr; // the piece: bytes [offset, offset + size) of the page
    qint64 offset = 0;
    qint64 size = 0;
    qint64 before = 0; // bytes of the range readable before data
    qint64 after = 0;  // 1 when the range's next byte is readable at data[size]

private:
    void read(qint64 from, char *into, qint64 count)
    {
        QFile &file = m_page.m_file;
        qint64 got = 0;
        if (file.seek(from)) {
            while (got < count) {
                const qint64 n = file.read(into + got, count - got);
                if (n <= 0)
                    break;
                got += n;
            }
        }
        if (got < count) {
            const QString reason =
                file.error() != QFileDevice::NoError
                    ? file.errorString()
                    : QCoreApplication::translate("PageSplice",
                                                  "The file became shorter while it was read");
            throw TextFileError(loadFailure(reason));
        }
    }

    const PageSplice &m_page;
    qint64 m_begin;
    qint64 m_end;
    qint64 m_next;
    qint64 m_contextBegin;
    qint64 m_contextEnd;
    std::unique_ptr<char[]> m_buffer;
};

// Gathers short pieces into one buffer and passes long ones on as they are.
class PageSplice::Writer
{
public:
    explicit Writer(QIODevice *out) : m_out(out), m_buffer(new char[BufferSize]), m_ok(out) {}

    // Bytes of the page with CR LF for every line end that is not one already; `before`
    // and `after` tell whether the page's byte before `bytes` and after `stop` are readable
    // there, to decide about a CR LF cut by an edge.
    void putPage(const char *bytes, const char *stop, bool before, bool after)
    {
        const char *run = bytes; // bytes from here on go out as they are
        for (const char *pos = bytes;;) {
            const char *bare =
                findBareLineEnd(before ? bytes - 1 : bytes, pos, stop, after ? stop + 1 : stop);
            if (bare == stop)
                break;
            put(run, bare - run);
            put("\r\n", 2);
            run = pos = bare + 1;
        }
        put(run, stop - run);
    }

    void put(const char *bytes, qint64 size)
    {
        if (size >= DirectSize) {
            flush();
            writeOut(bytes, size);
            return;
        }
        if (m_used + size > BufferSize)
            flush();
        std::memcpy(m_buffer.get() + m_used, bytes, size_t(size));
        m_used += size;
    }
    void putLine(const QByteArray &line)
    {
        put(line.constData(), line.size());
        put("\r\n", 2);
    }
    bool finish()
    {
        flush();
        return m_ok;
    }
    bool ok() const { return m_ok; }

private:
    void flush()
    {
        writeOut(m_buffer.get(), m_used);
        m_used = 0;
    }
    void writeOut(const char *bytes, qint64 size)
    {
        if (m_ok && size > 0)
            m_ok = m_out->write(bytes, size) == size;
    }

    QIODevice *m_out;
    std::unique_ptr<char[]> m_buffer;
    qint64 m_used = 0;
    bool m_ok = true;
};

void PageSplice::Load(const NativePath &infile)
{
    ErrorNum = 0;
    ErrorMsg.clear();
    m_file.close();
    m_size = 0;
    int fd = -1;
    qint64 size = 0;
    const FileReading opened = OpenRegularFile(infile, fd, size);
    if (opened.status == FileReading::Failed)
        throw TextFileError(loadFailure(opened.reason));
    if (opened.ok() && size > 0) {
        if (!m_file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                         QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            throw TextFileError(loadFailure(m_file.errorString()));
        }
        // Read from start to end: the system may read ahead further.
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        m_size = size;
    } else if (fd >= 0) {
        ::close(fd);
    }
    if (m_size == 0) {
        ErrorNum = TextFile::ErrLoadNothing;
        ErrorMsg =
            QCoreApplication::translate("TextFile", "LOAD: File does not exist or is zero bytes");
    }
}

// Finds the marked block piece by piece. Offsets are in the page, -1 until found.
class PageSplice::MarkerSearch
{
public:
    bool decided = false;
    std::optional<Block> block;

    void step(const Reader &piece)
    {
        const char *data = piece.data;
        const char *stop = data + piece.size;
        const auto at = [&](const char *p) { return piece.offset + (p - data); };
        const auto from = [&](qint64 offset) {
            return offset > piece.offset ? data + (offset - piece.offset) : data;
        };
        const bool hadStart = m_start >= 0;
        findKeywords(piece);
        if (!hadStart && m_start >= 0) {
            const char *hit = from(m_start);
            const char *lineEnd = hit > data ? lastLineEnd(data, hit) : nullptr;
            m_startLine = (lineEnd ? at(lineEnd) : m_lineEndBefore) + 1;
            if (m_startLine == 0)
                return decide(std::nullopt); // a start marker on line 1 is never valid
        }
        if (m_end >= 0 && (m_start < 0 || m_end < m_start))
            return decide(std::nullopt); // the first end marker comes first
        if (m_start < 0) {
            if (const char *lineEnd = lastLineEnd(data, stop))
                m_lineEndBefore = at(lineEnd);
            return;
        }
        if (m_startLineEnd < 0) {
            const char *lineEnd = findLineEnd(from(m_start), stop);
            m_startLineEnd = lineEnd == stop ? -1 : at(lineEnd);
        }
        if (m_end < 0)
            return;
        if (m_startLineEnd < 0 || m_startLineEnd > m_end)
            return decide(std::nullopt); // the end marker is on the start marker's line
        // The block ends after the line end of the end marker's line.
        const char *lineEnd = findLineEnd(from(m_end), stop);
        if (lineEnd == stop)
            return; // in a later piece
        const bool crLf =
            *lineEnd == '\r' && (lineEnd + 1 < stop || piece.after) && lineEnd[1] == '\n';
        endLineEnd = at(lineEnd);
        decide(Block{m_startLine, endLineEnd + (crLf ? 2 : 1)});
    }

    // After the last piece of a page of `size` bytes.
    void finish(qint64 size)
    {
        if (!decided && m_start >= 0 && m_end >= 0)
            block = Block{m_startLine, size}; // the end marker's line is the last, unended
        decided = true;
    }

    // The first start keyword, or -1.
    qint64 start() const { return m_start; }
    // Where the bytes begin that may still turn out to be the block's: the start of the
    // start marker's line, or of the last line begun before it is found.
    qint64 blockMayBegin() const { return m_start >= 0 ? m_startLine : m_lineEndBefore + 1; }
    // The line end of the end marker's line, when the block ends after one.
    qint64 endLineEnd = -1;

private:
    void decide(std::optional<Block> found)
    {
        block = found;
        decided = true;
    }

    // Both keywords with one scan: every place where their common beginning is found is
    // looked at for either. A keyword counts in the piece it ends in; it may begin in the
    // one before.
    void findKeywords(const Reader &piece)
    {
        static const QByteArray startKey = Markers::StartKeyword.toLower();
        static const QByteArray endKey = Markers::EndKeyword.toLower();
        static const QByteArray common = [] {
            qsizetype n = 0;
            while (n < startKey.size() && n < endKey.size() && startKey[n] == endKey[n])
                ++n;
            Q_ASSERT(n > 0);
            return startKey.left(n);
        }();
        const char *stop = piece.data + piece.size;
        const qint64 longest = std::max(startKey.size(), endKey.size());
        const char *p = piece.data - std::min<qint64>(piece.before, longest - 1);
        while (m_start < 0 || m_end < 0) {
            p = findFolded(p, stop, common);
            if (p == stop)
                return;
            const qint64 at = piece.offset + (p - piece.data);
            if (m_start < 0 && matchesFolded(p, stop, startKey))
                m_start = at;
            else if (m_end < 0 && matchesFolded(p, stop, endKey))
                m_end = at;
            ++p;
        }
    }

    qint64 m_start = -1;         // the first start keyword
    qint64 m_startLine = -1;     // where its line begins
    qint64 m_startLineEnd = -1;  // the line end of that line
    qint64 m_end = -1;           // the first end keyword
    qint64 m_lineEndBefore = -1; // the last line end of the pieces before this one
};

std::optional<PageSplice::Block> PageSplice::MarkedBlock(LineTally *tally) const
{
    MarkerSearch search;
    if (tally) {
        *tally = LineTally{tally->skip};
        if (tally->skip <= 0)
            tally->skipStart = 0;
    }
    char last = '\n';
    Reader piece(*this, 0, m_size);
    while ((!search.decided || tally) && piece.next()) {
        if (!search.decided)
            search.step(piece);
        if (tally) {
            // The same piece, while it is still in the processor's cache.
            const char *stop = piece.data + piece.size;
            const char *limit = stop + piece.after;
            const qint64 lineEnds = countLineEnds(piece.data, stop, limit);
            if (tally->skipStart < 0 && tally->lines + lineEnds >= tally->skip) {
                const char *pos = piece.data;
                for (qint64 n = tally->skip - tally->lines; n > 0; --n)
                    pos = afterLineEnd(findLineEnd(pos, stop), limit);
                tally->skipStart = piece.offset + (pos - piece.data);
            }
            tally->lines += lineEnds;
            last = stop[-1];
        }
    }
    search.finish(m_size);
    if (tally) {
        if (!isLineEnd(last))
            ++tally->lines; // the last line has no line end
        if (tally->skipStart < 0)
            tally->skipStart = m_size;
    }
    return search.block;
}

qint64 PageSplice::LineCount(qint64 begin, qint64 end) const
{
    qint64 count = 0;
    char last = '\n';
    Reader piece(*this, begin, end);
    while (piece.next()) {
        const char *stop = piece.data + piece.size;
        count += countLineEnds(piece.data, stop, stop + piece.after);
        last = stop[-1];
    }
    return isLineEnd(last) ? count : count + 1; // the last line may have no line end
}

qint64 PageSplice::LineStart(qint64 begin, qint64 end, qint64 skip) const
{
    Reader piece(*this, begin, end);
    while (skip > 0 && piece.next()) {
        // Whole pieces are counted; the line is looked for only in its own piece.
        const char *stop = piece.data + piece.size;
        const char *limit = stop + piece.after;
        const qint64 lineEnds = countLineEnds(piece.data, stop, limit);
        if (lineEnds < skip) {
            skip -= lineEnds;
            continue;
        }
        const char *pos = piece.data;
        for (; skip > 0; --skip) {
            const char *lineEnd = findLineEnd(pos, stop);
            pos =
                lineEnd + ((*lineEnd == '\r' && lineEnd + 1 < limit && lineEnd[1] == '\n') ? 2 : 1);
        }
        return piece.offset + (pos - piece.data);
    }
    return skip > 0 ? end : begin;
}

void PageSplice::writeRange(Writer &writer, qint64 begin, qint64 end) const
{
    char last = '\n';
    Reader piece(*this, begin, end);
    while (piece.next()) {
        const char *stop = piece.data + piece.size;
        writer.putPage(piece.data, stop, piece.before > 0, piece.after > 0);
        last = stop[-1];
    }
    if (!isLineEnd(last))
        writer.put("\r\n", 2); // the last line had no line end
}

bool PageSplice::Write(QIODevice &out, const std::vector<Piece> &pieces) const
{
    Writer writer(&out);
    for (const Piece &piece : pieces) {
        if (piece.lines) {
            for (const QByteArray &line : *piece.lines)
                writer.putLine(line);
        } else {
            writeRange(writer, piece.begin, piece.end);
        }
    }
    return writer.finish();
}

// One pass over the page that finds the block, counts lines and writes the new page as it
// goes. Bytes that may still turn out to be the block's are held back until the search has
// decided; the few of them that are no longer in the piece when they can go out, the start
// of a line cut by a piece's edge, are read again.
class PageSplice::Splicer
{
public:
    Splicer(const PageSplice &page, QIODevice *out)
        : m_page(page), m_writer(out), m_writing(out != nullptr)
    {
    }

    // The new page: the block left out (and `replacement` put in its place) when
    // `dropBlock`; `inserted` put after line `insertAfter` of what remains.
    bool dropBlock = false;
    const QList<QByteArray> *replacement = nullptr;
    const QList<QByteArray> *inserted = nullptr;
    qint64 insertAfter = -1;
    bool needBlock = false;  // stop where it shows that the page has no valid block
    qint64 lineLimit = -1;   // stop writing once the page has more lines
    bool blockStops = false; // stop writing once a block is found that is to stay

    MarkerSearch search;
    qint64 lines = 0;      // counted when lines are inserted
    qint64 blockLines = 0; // the lines of a dropped block

    // Whether the new page went out whole.
    bool run()
    {
        const qint64 size = m_page.m_size;
        const bool counting = inserted != nullptr;
        m_target = insertAfter;
        if (counting && m_target <= 0)
            m_insertAt = 0;
        Reader piece(m_page, 0, size, true);
        m_piece = &piece;
        while (piece.next()) {
            if (!search.decided) {
                const bool hadStart = search.start() >= 0;
                search.step(piece);
                if (counting && !hadStart && search.start() >= 0)
                    m_linesBefore = lines + countBefore(piece, search.start());
                if (search.decided) {
                    if (!search.block && needBlock)
                        return false;
                    const qint64 endLineEnd = search.endLineEnd;
                    decided(counting ? lines + countBefore(piece, endLineEnd) + 1 : 0);
                }
            }
            if (counting)
                count(piece);
            else if (search.decided && !writing())
                return false; // nothing left to find, and nothing more goes out
            emitUpTo(dropBlock && !search.decided ? search.blockMayBegin()
                                                  : piece.offset + piece.size);
        }
        if (!search.decided) {
            search.finish(size);
            if (!search.block && needBlock)
                return false;
            decided(lines + (m_last != '\n' && m_last != '\r' ? 1 : 0));
        }
        if (counting) {
            if (!isLineEnd(m_last))
                ++lines; // the last line has no line end
            if (m_insertAt < 0)
                m_insertAt = size;
        }
        emitUpTo(size);
        return m_writing && m_writer.finish();
    }

private:
    // The line ends of the piece before `offset`, which is in it or just before it.
    static qint64 countBefore(const Reader &piece, qint64 offset)
    {
        if (offset <= piece.offset)
            return 0;
        const char *stop = piece.data + piece.size;
        return countLineEnds(piece.data, piece.data + (offset - piece.offset), stop + piece.after);
    }

    // The search has decided; `endLines` are the lines up to the end of the block.
    void decided(qint64 endLines)
    {
        if (!search.block)
            return;
        if (!dropBlock) {
            if (blockStops)
                m_writing = false;
            return;
        }
        m_skip = true;
        blockLines = endLines - m_linesBefore;
        // Lines after the block count as if it were not there.
        if (inserted && insertAfter > m_linesBefore) {
            m_target = insertAfter + blockLines;
            m_insertAt = -1;
        }
    }

    // Counts the piece's lines and finds where line m_target + 1 begins.
    void count(const Reader &piece)
    {
        const char *stop = piece.data + piece.size;
        const char *limit = stop + piece.after;
        const qint64 lineEnds = countLineEnds(piece.data, stop, limit);
        if (m_insertAt < 0 && lines + lineEnds >= m_target) {
            const char *pos = piece.data;
            for (qint64 n = m_target - lines; n > 0; --n)
                pos = afterLineEnd(findLineEnd(pos, stop), limit);
            m_insertAt = piece.offset + (pos - piece.data);
        }
        lines += lineEnds;
        m_last = stop[-1];
        if (lineLimit >= 0 && lines > lineLimit)
            m_writing = false;
    }

    // Writes the new page as far as the page's byte `limit`.
    bool writing() const { return m_writing && m_writer.ok(); }

    void emitUpTo(qint64 limit)
    {
        if (!writing())
            return;
        for (;;) {
            const qint64 at = m_emitted;
            if (inserted && !m_inserted && m_insertAt == at) {
                putLines(*inserted);
                m_inserted = true;
            }
            if (m_skip && search.block->begin == at) {
                if (replacement)
                    putLines(*replacement);
                m_skip = false;
                m_emitted = search.block->end;
                continue;
            }
            if (at >= limit)
                return;
            qint64 to = limit;
            if (inserted && !m_inserted && m_insertAt > at)
                to = std::min(to, m_insertAt);
            if (m_skip && search.block->begin > at)
                to = std::min(to, search.block->begin);
            emitPage(at, to);
            m_emitted = to;
        }
    }

    void putLines(const QList<QByteArray> &lines)
    {
        for (const QByteArray &line : lines)
            m_writer.putLine(line);
    }

    // The page's bytes [begin, end), from the piece at hand or read again when they came
    // before it, and a CR LF after the last one when the page ends there without one.
    void emitPage(qint64 begin, qint64 end)
    {
        const Reader &piece = *m_piece;
        char last = '\n';
        if (begin < piece.offset) {
            Reader again(m_page, begin, std::min(end, piece.offset), true);
            while (again.next()) {
                const char *stop = again.data + again.size;
                m_writer.putPage(again.data, stop, again.before > 0, again.after > 0);
                last = stop[-1];
            }
        }
        const qint64 from = std::max(begin, piece.offset);
        if (from < end) {
            const char *first = piece.data + (from - piece.offset);
            const char *stop = piece.data + (end - piece.offset);
            const qint64 pieceEnd = piece.offset + piece.size;
            m_writer.putPage(first, stop, first > piece.data || piece.before > 0,
                             end < pieceEnd || piece.after > 0);
            last = stop[-1];
        }
        if (end == m_page.m_size && begin < end && !isLineEnd(last))
            m_writer.put("\r\n", 2); // the last line had no line end
    }

    const PageSplice &m_page;
    Writer m_writer;
    const Reader *m_piece = nullptr;
    bool m_writing;
    qint64 m_emitted = 0;   // the page's bytes before this are done with
    qint64 m_target = -1;   // the line after which `inserted` go, in the page
    qint64 m_insertAt = -1; // where they go, once known
    bool m_inserted = false;
    bool m_skip = false;      // the block is still to be left out
    qint64 m_linesBefore = 0; // the lines before the start marker's line
    char m_last = '\n';       // the last byte counted
};

std::optional<bool> PageSplice::ReplaceBlock(QIODevice *out, const QList<QByteArray> &lines) const
{
    Splicer splicer(*this, out);
    splicer.dropBlock = true;
    splicer.replacement = &lines;
    splicer.needBlock = true;
    const bool written = splicer.run();
    if (!splicer.search.block)
        return std::nullopt;
    return written;
}

PageSplice::Placed PageSplice::PlaceLines(QIODevice *out, qint64 after, bool dropBlock,
                                          const QList<QByteArray> &lines, qint64 lineLimit) const
{
    Splicer splicer(*this, out);
    splicer.dropBlock = dropBlock;
    splicer.inserted = &lines;
    splicer.insertAfter = after;
    splicer.lineLimit = lineLimit;
    splicer.blockStops = true;
    Placed placed;
    placed.written = splicer.run();
    placed.block = splicer.search.block;
    placed.lines = splicer.lines;
    placed.remaining = splicer.lines - (placed.block && dropBlock ? splicer.blockLines : 0);
    return placed;
}
