#include "TextFile.h"

#include "FileReading.h"
#include "FoldedSearch.h"
#include "LineSplitter.h"
#include "SafeFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>
#include <sys/stat.h>

namespace {

// A load failure's message: the operation's tag and the reason.
std::string loadFailure(const QString &reason)
{
    return QCoreApplication::translate("TextFile", "LOAD: %1").arg(reason).toStdString();
}

std::uintptr_t address(const char *p)
{
    return reinterpret_cast<std::uintptr_t>(p);
}

} // namespace

const QByteArray &TextFile::at(qint32 index) const
{
    const size_t i = size_t(index);
    return i < m_gapStart ? m_lines[i] : m_lines[i + gapSize()];
}

void TextFile::moveGapTo(size_t index)
{
    if (gapSize() == 0) {
        m_gapStart = m_gapEnd = index;
    } else if (index < m_gapStart) {
        const size_t count = m_gapStart - index;
        std::move_backward(m_lines.begin() + index, m_lines.begin() + m_gapStart,
                           m_lines.begin() + m_gapEnd);
        m_gapStart -= count;
        m_gapEnd -= count;
    } else if (index > m_gapStart) {
        const size_t count = index - m_gapStart;
        std::move(m_lines.begin() + m_gapEnd, m_lines.begin() + m_gapEnd + count,
                  m_lines.begin() + m_gapStart);
        m_gapStart += count;
        m_gapEnd += count;
    }
}

void TextFile::ensureGap()
{
    if (gapSize() > 0)
        return;
    // Double the capacity; the gap sits at m_gapStart, the lines after it move up.
    const size_t oldSize = m_lines.size();
    const size_t grow = std::max<size_t>(64, oldSize);
    m_lines.resize(oldSize + grow);
    std::move_backward(m_lines.begin() + m_gapEnd, m_lines.begin() + oldSize, m_lines.end());
    m_gapEnd += grow;
}

bool TextFile::inContent(const QByteArray &line) const
{
    if (m_content.isEmpty())
        return false;
    const std::uintptr_t begin = address(line.constData());
    return begin >= address(m_content.constData()) &&
           begin + std::uintptr_t(line.size()) <= address(m_content.constData() + m_content.size());
}

// True when `line` lies in the loaded bytes and is followed there by CR LF, so that the
// line and its line end can be written straight from them.
bool TextFile::endsWithCrLfInContent(const QByteArray &line) const
{
    if (!inContent(line))
        return false;
    const char *end = line.constData() + line.size();
    return m_content.constData() + m_content.size() - end >= 2 && end[0] == '\r' && end[1] == '\n';
}

void TextFile::clearLines()
{
    m_pristine = false;
    m_lines.clear();
    m_gapStart = m_gapEnd = 0;
    m_content.clear();
}

void TextFile::checkLine(qint32 linenum, const char *operation) const
{
    if (linenum < 1 || linenum > LineCount()) {
        throw TextFileError(std::string(operation) + ": line " + std::to_string(linenum) +
                            " is outside the buffer of " + std::to_string(LineCount()) + " lines");
    }
}

void TextFile::ResetFile(const QByteArray &firstline)
{
    clearLines();
    m_lines.push_back(firstline);
}

void TextFile::Load(const NativePath &infile)
{
    ErrorNum = 0;
    ErrorMsg.clear();
    if (infile.hasNul())
        throw TextFileError(loadFailure(NativePath::nulReason()));

    // A missing file counts as an empty one and is not created; either keeps the lines.
    struct stat info = {};
    const bool missing = stat(infile.bytes().constData(), &info) != 0 && errno == ENOENT;
    if (missing || (S_ISREG(info.st_mode) && info.st_size == 0)) {
        ErrorNum = ErrLoadNothing;
        ErrorMsg =
            QCoreApplication::translate("TextFile", "LOAD: File does not exist or is zero bytes");
        return;
    }
    // The lines point into m_content, whose memory the reading reuses: they go first.
    m_pristine = false;
    m_lines.clear();
    m_gapStart = m_gapEnd = 0;
    const FileReading read = ReadWholeFile(infile, m_content);
    if (read.status == FileReading::Failed)
        throw TextFileError(loadFailure(read.reason));
    if (m_content.isEmpty()) { // gone or emptied since it was looked at
        ErrorNum = ErrLoadNothing;
        ErrorMsg =
            QCoreApplication::translate("TextFile", "LOAD: File does not exist or is zero bytes");
        return;
    }

    try {
        m_lines.reserve(size_t(m_content.size() / 40 + 16));
        forEachLine(m_content.constData(), m_content.constData() + m_content.size(),
                    [this](const char *begin, const char *end) {
                        m_lines.push_back(QByteArray::fromRawData(begin, end - begin));
                        return true;
                    });
        // Some room for new lines from the start, so that a form block going into a large
        // page does not make the whole line table grow.
        m_gapStart = m_lines.size();
        m_lines.resize(m_gapStart + std::max<size_t>(1024, m_gapStart / 64));
        m_gapEnd = m_lines.size();
    } catch (const std::bad_alloc &) {
        clearLines();
        throw TextFileError(loadFailure(QCoreApplication::translate(
            "FileReading", "The file is too large to be read into memory")));
    }
    m_pristine = true;
}

void TextFile::Save(const NativePath &outfile)
{
    if (LineCount() == 0) {
        ErrorNum = ErrSaveNothing;
        ErrorMsg = QCoreApplication::translate("TextFile", "SAVE: There is nothing to save");
        return;
    }
    if (outfile.isEmpty()) {
        ErrorNum = ErrSaveNoName;
        ErrorMsg = QCoreApplication::translate("TextFile", "SAVE: No file specified");
        return;
    }
    ErrorNum = 0;
    ErrorMsg.clear();

    SafeFile file(outfile);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        // Lines go through a write buffer flushed at ChunkSize; a long run of loaded lines
        // that still sit in order, each followed by CR LF, is written straight from the
        // loaded bytes instead (the same bytes, without copying them first).
        QByteArray buffer;
        buffer.reserve(ChunkSize * 2);
        const auto flush = [&] {
            if (ok && !buffer.isEmpty())
                ok = file.write(buffer) == buffer.size();
            buffer.resize(0);
        };
        const char *runBegin = nullptr;
        const char *runEnd = nullptr;
        const auto closeRun = [&] {
            if (!runBegin)
                return;
            const qsizetype runSize = runEnd - runBegin;
            if (runSize < ChunkSize) {
                buffer.append(runBegin, runSize);
                if (buffer.size() >= ChunkSize)
                    flush();
            } else {
                flush();
                ok = ok && file.write(runBegin, runSize) == runSize;
            }
            runBegin = nullptr;
        };
        const qint32 count = LineCount();
        for (qint32 i = 0; ok && i < count; ++i) {
            const QByteArray &line = at(i);
            if (endsWithCrLfInContent(line)) {
                if (runBegin && line.constData() == runEnd) {
                    runEnd += line.size() + 2;
                    continue;
                }
                closeRun();
                runBegin = line.constData();
                runEnd = runBegin + line.size() + 2;
                continue;
            }
            closeRun();
            buffer.append(line);
            buffer.append("\r\n", 2);
            if (buffer.size() >= ChunkSize)
                flush();
        }
        closeRun();
        flush();
        ok = ok && file.commit();
    }
    if (!ok) {
        ErrorNum = ErrSaveFailed;
        ErrorMsg = QCoreApplication::translate("TextFile", "SAVE: %1").arg(file.errorString());
    }
}

QByteArray TextFile::TextLine(qint32 linenum) const
{
    if (linenum < 1 || linenum > LineCount())
        return QByteArray();
    const QByteArray &line = at(linenum - 1);
    return QByteArray(line.constData(), line.size()); // a copy that owns its bytes
}

void TextFile::setTextLine(qint32 linenum, QByteArray textin)
{
    checkLine(linenum, "TextLine");
    if (textin.endsWith('\n'))
        textin.chop(1);
    if (textin.endsWith('\r'))
        textin.chop(1);
    const size_t i = size_t(linenum - 1);
    (i < m_gapStart ? m_lines[i] : m_lines[i + gapSize()]) = textin;
    m_pristine = false;
}

qint32 TextFile::FindFirst(const QByteArray &search) const
{
    QByteArray needle = search;
    std::transform(needle.begin(), needle.end(), needle.begin(), asciiLower);
    const qint32 count = LineCount();
    if (needle.isEmpty())
        return count > 0 ? 1 : 0;
    if (m_pristine && !needle.contains('\r') && !needle.contains('\n')) {
        // The lines are still those just loaded, in order and with the gap after them:
        // search the loaded bytes at once. With no line end in the needle, a hit lies
        // within one line, the last one that starts at or before it.
        const char *end = m_content.constData() + m_content.size();
        const char *hit = findFolded(m_content.constData(), end, needle);
        if (hit == end)
            return 0;
        const auto after = std::upper_bound(m_lines.begin(), m_lines.begin() + count, hit,
                                            [](const char *p, const QByteArray &line) {
                                                return address(p) < address(line.constData());
                                            });
        return qint32(after - m_lines.begin());
    }
    for (qint32 i = 0; i < count; ++i) {
        const QByteArray &line = at(i);
        const char *end = line.constData() + line.size();
        if (findFolded(line.constData(), end, needle) != end)
            return i + 1;
    }
    return 0;
}

void TextFile::InsertLine(qint32 &linenum, const QByteArray &newline)
{
    if (linenum < 0) {
        m_pristine = false;
        moveGapTo(m_lines.size() - gapSize());
        ensureGap();
        m_lines[m_gapStart++] = newline;
        return;
    }
    checkLine(linenum, "InsertLine");
    m_pristine = false;
    moveGapTo(size_t(linenum));
    ensureGap();
    m_lines[m_gapStart++] = newline;
    ++linenum;
}

void TextFile::RemoveLines(qint32 startline, qint32 endline)
{
    checkLine(startline, "RemoveLines");
    checkLine(endline, "RemoveLines");
    if (endline < startline)
        throw TextFileError("RemoveLines: the end line is before the start line");
    m_pristine = false;
    moveGapTo(size_t(startline - 1));
    const size_t count = size_t(endline - startline + 1);
    for (size_t i = m_gapEnd; i < m_gapEnd + count; ++i)
        m_lines[i] = QByteArray();
    m_gapEnd += count;
}

void TextFile::ToListbox(QList<QByteArray> &lbox) const
{
    const qint32 count = LineCount();
    lbox.reserve(lbox.size() + count);
    for (qint32 i = 0; i < count; ++i) {
        const QByteArray &line = at(i);
        lbox.append(QByteArray(line.constData(), line.size()));
    }
}

void TextFile::FromListbox(const QList<QByteArray> &lbox)
{
    if (lbox.isEmpty())
        throw TextFileError("FromListbox: the list holds no lines");
    clearLines();
    m_lines.assign(lbox.cbegin(), lbox.cend());
    m_gapStart = m_gapEnd = m_lines.size();
}
