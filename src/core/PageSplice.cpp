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
    Reader(const PageSplice &page, qint64 begin, qint64 end)
        : m_page(page), m_begin(begin), m_end(end), m_next(begin),
          m_buffer(new char[size_t(Context + page.m_readSize + 1)])
    {
    }

    // The next piece; false when the range is done.
    bool next()
    {
        if (m_next >= m_end)
            return false;
        offset = m_next;
        size = std::min(m_page.m_readSize, m_end - offset);
        before = std::min(Context, offset - m_begin);
        after = m_end - offset > size ? 1 : 0;
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
    std::unique_ptr<char[]> m_buffer;
};

// Gathers short pieces into one buffer and passes long ones on as they are.
class PageSplice::Writer
{
public:
    explicit Writer(QIODevice &out) : m_out(out), m_buffer(new char[BufferSize]) {}

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

private:
    void flush()
    {
        writeOut(m_buffer.get(), m_used);
        m_used = 0;
    }
    void writeOut(const char *bytes, qint64 size)
    {
        if (m_ok && size > 0)
            m_ok = m_out.write(bytes, size) == size;
    }

    QIODevice &m_out;
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
        static const QByteArray startKey = Markers::StartKeyword.toLower();
        static const QByteArray endKey = Markers::EndKeyword.toLower();
        const char *data = piece.data;
        const char *stop = data + piece.size;
        const auto at = [&](const char *p) { return piece.offset + (p - data); };
        const auto from = [&](qint64 offset) {
            return offset > piece.offset ? data + (offset - piece.offset) : data;
        };
        const auto find = [&](const QByteArray &key) -> qint64 {
            // A keyword that ends in this piece; it may begin in the one before.
            const char *first = data - std::min<qint64>(piece.before, key.size() - 1);
            const char *hit = findFolded(first, stop, key);
            return hit == stop ? -1 : at(hit);
        };
        if (m_start < 0 && (m_start = find(startKey)) >= 0) {
            const char *hit = from(m_start);
            const char *lineEnd = hit > data ? lastLineEnd(data, hit) : nullptr;
            m_startLine = (lineEnd ? at(lineEnd) : m_lineEndBefore) + 1;
            if (m_startLine == 0)
                return decide(std::nullopt); // a start marker on line 1 is never valid
        }
        if (m_end < 0)
            m_end = find(endKey);
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
        decide(Block{m_startLine, at(lineEnd) + (crLf ? 2 : 1)});
    }

    // After the last piece of a page of `size` bytes.
    void finish(qint64 size)
    {
        if (!decided && m_start >= 0 && m_end >= 0)
            block = Block{m_startLine, size}; // the end marker's line is the last, unended
        decided = true;
    }

private:
    void decide(std::optional<Block> found)
    {
        block = found;
        decided = true;
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
        const char *data = piece.data;
        const char *stop = data + piece.size;
        const char *run = data; // bytes from here on go out as they are
        for (const char *pos = data;;) {
            const char *bare = findBareLineEnd(data - std::min<qint64>(piece.before, 1), pos, stop,
                                               stop + piece.after);
            if (bare == stop)
                break;
            writer.put(run, bare - run);
            writer.put("\r\n", 2);
            run = pos = bare + 1;
        }
        writer.put(run, stop - run);
        last = stop[-1];
    }
    if (!isLineEnd(last))
        writer.put("\r\n", 2); // the last line had no line end
}

bool PageSplice::Write(QIODevice &out, const std::vector<Piece> &pieces) const
{
    Writer writer(out);
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
