#include "PositionMarkers.h"

#include "Conversion.h"
#include "HtmlGenerator.h"
#include "PageSplice.h"
#include "SafeFile.h"

#include <QCoreApplication>

namespace {

Outcome readFailed(const QString &htmlfile, const QString &reason)
{
    return Outcome::failed(
        QCoreApplication::translate("PositionMarkers", "Unable to read the file [%1].")
            .arg(htmlfile) +
        CrLf + reason);
}

Outcome tooManyLines(const QString &htmlfile, qint64 lines)
{
    return Outcome::refused(
        QCoreApplication::translate("PositionMarkers",
                                    "The file [%1] has %2 lines, too many to list for "
                                    "choosing a form position.")
                .arg(htmlfile, QString::number(lines)) +
            CrLf + QCoreApplication::translate("PositionMarkers", "The file has not been changed."),
        MessageIcon::Critical);
}

Outcome positionSaved(const QString &htmlfile, const QString &saveError)
{
    if (!saveError.isEmpty()) {
        return Outcome::failed(QCoreApplication::translate(
                                   "PositionMarkers", "Unable to set form position in file [%1].")
                                   .arg(htmlfile) +
                               CrLf + saveError);
    }
    return Outcome::written(
        QCoreApplication::translate("PositionMarkers", "Form position set in file [%1].")
            .arg(htmlfile));
}

// The pieces of the page less the bytes [cut.begin, cut.end), which `linesBefore` lines
// precede, with `markers` after line `line` of what remains.
std::vector<PageSplice::Piece> piecesWithMarkers(const PageSplice &page, PageSplice::Block cut,
                                                 qint64 linesBefore, qint64 line,
                                                 const QList<QByteArray> &markers)
{
    const PageSplice::Piece inserted{0, 0, &markers};
    if (line <= linesBefore) {
        const qint64 at = page.LineStart(0, cut.begin, line);
        return {{0, at}, inserted, {at, cut.begin}, {cut.end, page.size()}};
    }
    const qint64 at = page.LineStart(cut.end, page.size(), line - linesBefore);
    return {{0, cut.begin}, {cut.end, at}, inserted, {at, page.size()}};
}

// PlacePositionMarkers; raises TextFileError when the page cannot be opened or read.
Outcome placeMarkers(const NativePath &htmlfile, qint64 line, bool removeExisting)
{
    const QString shown = htmlfile.display();
    PageSplice page;
    page.Load(htmlfile);
    if (page.ErrorNum != 0)
        return readFailed(shown, page.ErrorMsg);
    // One pass finds the block, counts the lines and finds where the markers go.
    PageSplice::LineTally tally{line};
    const std::optional<PageSplice::Block> block = page.MarkedBlock(&tally);
    qint64 lines = tally.lines;
    if (lines > MaxPositionLines)
        return tooManyLines(shown, lines);
    PageSplice::Block cut{page.size(), page.size()}; // nothing removed
    qint64 linesBefore = lines;
    if (block) {
        if (!removeExisting) {
            return Outcome::refused(
                RemoveBlockQuestion() + CrLf +
                    QCoreApplication::translate("PositionMarkers",
                                                "The file has not been changed; add "
                                                "--remove-existing to remove that code."),
                MessageIcon::Exclamation);
        }
        cut = *block;
        linesBefore = page.LineCount(0, cut.begin);
        lines -= page.LineCount(cut.begin, cut.end);
    }
    if (line > lines) {
        return Outcome::refused(
            QCoreApplication::translate("PositionMarkers",
                                        "Line %1 is outside the file, which has %2 lines.")
                .arg(line)
                .arg(lines),
            MessageIcon::Exclamation);
    }
    const QList<QByteArray> markers{Markers::shortLine(Markers::StartKeyword),
                                    Markers::shortLine(Markers::EndKeyword)};
    const std::vector<PageSplice::Piece> pieces =
        block ? piecesWithMarkers(page, cut, linesBefore, line, markers)
              : std::vector<PageSplice::Piece>{
                    {0, tally.skipStart}, {0, 0, &markers}, {tally.skipStart, page.size()}};
    SafeFile file(htmlfile);
    const bool ok = file.open(QIODevice::WriteOnly) && page.Write(file, pieces) && file.commit();
    return positionSaved(
        shown, ok ? QString()
                  : QCoreApplication::translate("TextFile", "SAVE: %1").arg(file.errorString()));
}

} // namespace

Outcome LoadPositionPage(TextFile &page, const NativePath &htmlfile)
{
    const QString shown = htmlfile.display();
    try {
        page.Load(htmlfile);
    } catch (const TextFileError &failure) {
        return readFailed(shown, QString::fromLocal8Bit(failure.what()));
    }
    if (page.ErrorNum != 0)
        return readFailed(shown, page.ErrorMsg);
    if (page.LineCount() > MaxPositionLines)
        return tooManyLines(shown, page.LineCount());
    return Outcome::written();
}

bool HasGeneratedBlock(const TextFile &page)
{
    return IsValidMarkerPair(page.FindFirst(Markers::StartKeyword),
                             page.FindFirst(Markers::EndKeyword));
}

void RemoveGeneratedBlock(TextFile &page)
{
    page.RemoveLines(page.FindFirst(Markers::StartKeyword), page.FindFirst(Markers::EndKeyword));
}

void InsertPositionMarkers(QList<QByteArray> &lines, int selected)
{
    const int at = qBound(0, selected + 1, int(lines.size()));
    lines.insert(at, Markers::shortLine(Markers::EndKeyword));
    lines.insert(at, Markers::shortLine(Markers::StartKeyword));
}

Outcome SavePositionPage(TextFile &page, const QList<QByteArray> &lines, const NativePath &htmlfile)
{
    const QString shown = htmlfile.display();
    page.FromListbox(lines);
    page.Save(htmlfile);
    return positionSaved(shown, page.ErrorNum != 0 ? page.ErrorMsg : QString());
}

Outcome PlacePositionMarkers(const NativePath &htmlfile, qint64 line, bool removeExisting)
{
    try {
        return placeMarkers(htmlfile, line, removeExisting);
    } catch (const TextFileError &failure) {
        return readFailed(htmlfile.display(), QString::fromLocal8Bit(failure.what()));
    }
}

QString RemoveBlockQuestion()
{
    return QCoreApplication::translate("PositionMarkers",
                                       "HTML code generated by this application was found in "
                                       "the selected file.  Remove the existing code?");
}
