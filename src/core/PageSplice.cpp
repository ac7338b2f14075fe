#include "PageSplice.h"

#include "FoldedSearch.h"
#include "HtmlGenerator.h"
#include "LineSplitter.h"
#include "TextFile.h"

#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <memory>

namespace {

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
            throw TextFileError::about(QStringLiteral("Unable to read"), m_page.m_name,
                                       file.error() != QFileDevice::NoError
                                           ? file.errorString()
                                           : QStringLiteral("the file became shorter"));
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

void PageSplice::Load(const QString &infile)
{
    ErrorNum = 0;
    ErrorMsg.clear();
    m_name = infile;
    m_size = 0;
    const QFileInfo info(infile);
    if (info.exists() && info.size() > 0) {
        m_file.setFileName(infile);
        if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            throw TextFileError::about(QStringLiteral("Unable to open"), infile,
                                       m_file.errorString());
        m_size = m_file.size();
    }
    if (m_size == 0) {
        ErrorNum = TextFile::ErrLoadNothing;
        ErrorMsg = QStringLiteral("LOAD: File does not exist or is zero bytes");
    }
}

std::optional<PageSplice::Block> PageSplice::MarkedBlock() const
{
    static const QByteArray startKey = Markers::StartKeyword.toLower();
    static const QByteArray endKey = Markers::EndKeyword.toLower();
    // Offsets in the page, -1 until found.
    qint64 start = -1;         // the first start keyword
    qint64 startLine = -1;     // where its line begins
    qint64 startLineEnd = -1;  // the line end of that line
    qint64 end = -1;           // the first end keyword
    qint64 lineEndBefore = -1; // the last line end of the pieces before this one
    Reader piece(*this, 0, m_size);
    while (piece.next()) {
        const char *data = piece.data;
        const char *stop = data + piece.size;
        const auto at = [&](const char *p) { return piece.offset + (p - data); };
        const auto find = [&](const QByteArray &key) -> qint64 {
            // A keyword that ends in this piece; it may begin in the one before.
            const char *from = data - std::min<qint64>(piece.before, key.size() - 1);
            const char *hit = findFolded(from, stop, key);
            return hit == stop ? -1 : at(hit);
        };
        if (start < 0 && (start = find(startKey)) >= 0) {
            const char *hit = start > piece.offset ? data + (start - piece.offset) : data;
            const char *lineEnd = hit > data ? lastLineEnd(data, hit) : nullptr;
            startLine = (lineEnd ? at(lineEnd) : lineEndBefore) + 1;
            if (startLine == 0)
                return std::nullopt; // a start marker on line 1 is never valid
        }
        if (end < 0)
            end = find(endKey);
        if (end >= 0 && (start < 0 || end < start))
            return std::nullopt; // the first end marker comes first
        if (start < 0) {
            if (const char *lineEnd = lastLineEnd(data, stop))
                lineEndBefore = at(lineEnd);
            continue;
        }
        if (startLineEnd < 0) {
            const char *from = start > piece.offset ? data + (start - piece.offset) : data;
            const char *lineEnd = findLineEnd(from, stop);
            startLineEnd = lineEnd == stop ? -1 : at(lineEnd);
        }
        if (end < 0)
            continue;
        if (startLineEnd < 0 || startLineEnd > end)
            return std::nullopt; // the end marker is on the start marker's line
        // The block ends after the line end of the end marker's line.
        const char *lineEnd =
            findLineEnd(end > piece.offset ? data + (end - piece.offset) : data, stop);
        if (lineEnd == stop)
            continue; // in a later piece
        const bool crLf =
            *lineEnd == '\r' && (lineEnd + 1 < stop || piece.after) && lineEnd[1] == '\n';
        return Block{startLine, at(lineEnd) + (crLf ? 2 : 1)};
    }
    if (start < 0 || end < 0)
        return std::nullopt;
    return Block{startLine, m_size}; // the end marker is on the last line, without a line end
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
