#include "PageSplice.h"

#include "FoldedSearch.h"
#include "HtmlGenerator.h"
#include "LineSplitter.h"
#include "TextFile.h"

#include <QFileInfo>
#include <QIODevice>
#include <cstdint>
#include <cstring>
#include <memory>
#ifdef Q_OS_UNIX
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Pieces at least this long are written straight from the page; shorter ones are gathered.
constexpr qint64 DirectSize = 64 << 10;
constexpr qint64 BufferSize = 1 << 20;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Where the line end at `lineEnd` is over: after CR LF, or after the CR or LF alone.
const char *afterLineEnd(const char *lineEnd, const char *end)
{
    if (lineEnd == end)
        return end;
    return lineEnd + ((*lineEnd == '\r' && end - lineEnd > 1 && lineEnd[1] == '\n') ? 2 : 1);
}

} // namespace

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

PageSplice::~PageSplice()
{
    if (m_mapped)
        m_file.unmap(reinterpret_cast<uchar *>(const_cast<char *>(m_data)));
}

void PageSplice::Load(const QString &infile)
{
    ErrorNum = 0;
    ErrorMsg.clear();
    const QFileInfo info(infile);
    if (info.exists() && info.size() > 0) {
        m_file.setFileName(infile);
        if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            throw TextFileError::about(QStringLiteral("Unable to open"), infile,
                                       m_file.errorString());
        m_size = m_file.size();
        if (uchar *mapped = m_size > 0 ? m_file.map(0, m_size) : nullptr) {
            m_data = reinterpret_cast<const char *>(mapped);
            m_mapped = true;
#ifdef Q_OS_UNIX
            ::madvise(mapped, size_t(m_size), MADV_SEQUENTIAL);
#endif
        } else {
            // Not a file that can be mapped: read it, as the line buffer does.
            m_read = m_file.readAll();
            if (m_file.error() != QFileDevice::NoError)
                throw TextFileError::about(QStringLiteral("Unable to read"), infile,
                                           m_file.errorString());
            m_data = m_read.constData();
            m_size = m_read.size();
        }
    }
    if (m_size == 0) {
        ErrorNum = TextFile::ErrLoadNothing;
        ErrorMsg = QStringLiteral("LOAD: File does not exist or is zero bytes");
    }
}

// Gives the mapped pages that lie wholly in [from, to) back to the system; they stay in
// the page cache and are read from there again should they be needed.
void PageSplice::release(const char *from, const char *to) const
{
#ifdef Q_OS_UNIX
    if (!m_mapped)
        return;
    static const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(from) + page - 1) / page * page;
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(to) / page * page;
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_DONTNEED);
#else
    Q_UNUSED(from);
    Q_UNUSED(to);
#endif
}

// The first place of `lowerNeedle` in the page, ignoring case; nullptr when it is absent.
const char *PageSplice::find(const QByteArray &lowerNeedle) const
{
    const char *end = m_data + m_size;
    const qint64 overlap = lowerNeedle.size() - 1;
    for (const char *pos = m_data; pos < end;) {
        const char *segmentEnd = end - pos > m_segment ? pos + m_segment : end;
        const char *searchEnd = end - segmentEnd > overlap ? segmentEnd + overlap : end;
        const char *hit = findFolded(pos, searchEnd, lowerNeedle);
        if (hit != searchEnd)
            return hit;
        release(pos, segmentEnd);
        pos = segmentEnd;
    }
    return nullptr;
}

std::optional<PageSplice::Block> PageSplice::MarkedBlock() const
{
    static const QByteArray start = Markers::StartKeyword.toLower();
    static const QByteArray stop = Markers::EndKeyword.toLower();
    const char *end = m_data + m_size;
    const char *startHit = find(start);
    if (!startHit)
        return std::nullopt;
    const char *lineBegin = startHit;
    while (lineBegin > m_data && !isLineEnd(lineBegin[-1]))
        --lineBegin;
    if (lineBegin == m_data) // a start marker on line 1 is never valid
        return std::nullopt;
    const char *endHit = find(stop);
    if (!endHit || endHit < startHit || findLineEnd(startHit, endHit) == endHit)
        return std::nullopt; // no end marker on a line after the start marker
    return Block{lineBegin - m_data, afterLineEnd(findLineEnd(endHit, end), end) - m_data};
}

qint64 PageSplice::LineCount(qint64 begin, qint64 end) const
{
    qint64 count = 0;
    const char *stop = m_data + end;
    for (const char *pos = m_data + begin; pos < stop;) {
        const char *segmentEnd = stop - pos > m_segment ? pos + m_segment : stop;
        if (segmentEnd < stop && segmentEnd[-1] == '\r' && *segmentEnd == '\n')
            ++segmentEnd; // keep CR LF in one segment
        count += countLineEnds(pos, segmentEnd);
        release(pos, segmentEnd);
        pos = segmentEnd;
    }
    if (end > begin && !isLineEnd(m_data[end - 1]))
        ++count; // the last line has no line end
    return count;
}

qint64 PageSplice::LineStart(qint64 begin, qint64 end, qint64 skip) const
{
    const char *stop = m_data + end;
    const char *pos = m_data + begin;
    const char *released = pos;
    for (; skip > 0 && pos < stop; --skip) {
        pos = afterLineEnd(findLineEnd(pos, stop), stop);
        if (pos - released > m_segment) {
            release(released, pos);
            released = pos;
        }
    }
    return pos - m_data;
}

void PageSplice::writeRange(Writer &writer, qint64 begin, qint64 end) const
{
    const char *first = m_data + begin;
    const char *stop = m_data + end;
    const char *run = first; // bytes from here on go out as they are
    for (const char *pos = first; pos < stop;) {
        const char *segment = pos;
        const char *limit = stop - pos > m_segment ? pos + m_segment : stop;
        for (;;) {
            const char *bare = findBareLineEnd(first, pos, limit, stop);
            if (bare == limit)
                break;
            writer.put(run, bare - run);
            writer.put("\r\n", 2);
            run = pos = bare + 1;
        }
        writer.put(run, limit - run);
        run = pos = limit;
        release(segment, limit);
    }
    if (stop > first && !isLineEnd(stop[-1]))
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
