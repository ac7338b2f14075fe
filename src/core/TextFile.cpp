#include "TextFile.h"

#include "LineSplitter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <functional>

namespace {

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

std::string failureText(const QString &what, const QString &file, const QString &reason)
{
    return (what + QStringLiteral(" [") + file + QStringLiteral("]: ") + reason).toStdString();
}

} // namespace

const QByteArray &TextFile::at(qint32 index) const
{
    const size_t i = size_t(index);
    return i < m_gapStart ? m_lines[i] : m_lines[i + gapSize()];
}

void TextFile::moveGapTo(size_t index)
{
    if (index < m_gapStart) {
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

void TextFile::clearLines()
{
    m_lines.clear();
    m_gapStart = m_gapEnd = 0;
    m_content.clear();
}

void TextFile::checkLine(qint32 linenum, const char *operation) const
{
    if (linenum < 1 || linenum > LineCount()) {
        throw TextFileError(std::string(operation) + ": line " + std::to_string(linenum) +
                            " is outside the buffer of " + std::to_string(LineCount()) +
                            " lines");
    }
}

void TextFile::ResetFile(const QByteArray &firstline)
{
    clearLines();
    m_lines.push_back(firstline);
}

void TextFile::Load(const QString &infile)
{
    ErrorNum = 0;
    ErrorMsg.clear();

    // A missing file counts as an empty one and is not created.
    if (!QFileInfo::exists(infile) || QFileInfo(infile).size() == 0) {
        ErrorNum = ErrLoadNothing;
        ErrorMsg = QStringLiteral("LOAD: File does not exist or is zero bytes");
        return;
    }
    QFile file(infile);
    if (!file.open(QIODevice::ReadOnly))
        throw TextFileError(failureText(QStringLiteral("Unable to open"), infile, file.errorString()));
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TextFileError(failureText(QStringLiteral("Unable to read"), infile, file.errorString()));
    file.close();
    if (content.isEmpty()) {
        ErrorNum = ErrLoadNothing;
        ErrorMsg = QStringLiteral("LOAD: File does not exist or is zero bytes");
        return;
    }

    clearLines();
    m_content = std::move(content);

    m_lines.reserve(size_t(m_content.size() / 40 + 16));
    forEachLine(m_content.constData(), m_content.constData() + m_content.size(),
                [this](const char *begin, const char *end) {
                    m_lines.push_back(QByteArray::fromRawData(begin, end - begin));
                    return true;
                });
    m_gapStart = m_gapEnd = m_lines.size();
}

void TextFile::Save(const QString &outfile)
{
    if (LineCount() == 0) {
        ErrorNum = ErrSaveNothing;
        ErrorMsg = QStringLiteral("SAVE: There is nothing to save");
        return;
    }
    if (outfile.isEmpty()) {
        ErrorNum = ErrSaveNoName;
        ErrorMsg = QStringLiteral("SAVE: No file specified");
        return;
    }
    ErrorNum = 0;
    ErrorMsg.clear();

    QSaveFile file(outfile);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        QByteArray buffer;
        buffer.reserve(ChunkSize * 2);
        const qint32 count = LineCount();
        for (qint32 i = 0; ok && i < count; ++i) {
            buffer.append(at(i));
            buffer.append("\r\n", 2);
            if (buffer.size() >= ChunkSize) {
                ok = file.write(buffer) == buffer.size();
                buffer.resize(0);
            }
        }
        if (ok && !buffer.isEmpty())
            ok = file.write(buffer) == buffer.size();
        ok = ok && file.commit();
    }
    if (!ok) {
        ErrorNum = ErrSaveFailed;
        ErrorMsg = QStringLiteral("SAVE: ") + file.errorString();
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
}

qint32 TextFile::FindFirst(const QByteArray &search) const
{
    QByteArray needle = search;
    std::transform(needle.begin(), needle.end(), needle.begin(), asciiLower);
    const auto equal = [](char a, char b) { return asciiLower(a) == b; };
    const qint32 count = LineCount();
    if (needle.isEmpty())
        return count > 0 ? 1 : 0;
    // The needle is already lower case; hashing the lowered byte lets Horspool skip
    // ahead on mixed-case text.
    struct LowerHash
    {
        size_t operator()(char c) const { return std::hash<char>()(asciiLower(c)); }
    };
    const std::boyer_moore_horspool_searcher searcher(needle.cbegin(), needle.cend(),
                                                      LowerHash(), equal);
    for (qint32 i = 0; i < count; ++i) {
        const QByteArray &line = at(i);
        if (line.size() < needle.size())
            continue;
        if (std::search(line.cbegin(), line.cend(), searcher) != line.cend())
            return i + 1;
    }
    return 0;
}

void TextFile::InsertLine(qint32 &linenum, const QByteArray &newline)
{
    if (linenum < 0) {
        moveGapTo(m_lines.size() - gapSize());
        ensureGap();
        m_lines[m_gapStart++] = newline;
        return;
    }
    checkLine(linenum, "InsertLine");
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
