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

// PlacePositionMarkers; raises TextFileError when the page cannot be opened or read. One
// pass over the page counts its lines, finds the block and writes the new page; a refusal
// throws away what was written.
Outcome placeMarkers(const NativePath &htmlfile, qint64 line, bool removeExisting)
{
    const QString shown = htmlfile.display();
    PageSplice page;
    page.Load(htmlfile);
    if (page.ErrorNum != 0)
        return readFailed(shown, page.ErrorMsg);
    const QList<QByteArray> markers{Markers::shortLine(Markers::StartKeyword),
                                    Markers::shortLine(Markers::EndKeyword)};
    SafeFile file(htmlfile);
    const bool opened = file.open(QIODevice::WriteOnly);
    const PageSplice::Placed placed =
        page.PlaceLines(opened ? &file : nullptr, line, removeExisting, markers, MaxPositionLines);
    if (placed.lines > MaxPositionLines)
        return tooManyLines(shown, placed.lines);
    if (placed.block && !removeExisting) {
        return Outcome::refused(
            RemoveBlockQuestion() + CrLf +
                QCoreApplication::translate("PositionMarkers",
                                            "The file has not been changed; add "
                                            "--remove-existing to remove that code."),
            MessageIcon::Exclamation);
    }
    if (line > placed.remaining) {
        return Outcome::refused(QCoreApplication::translate("PositionMarkers",
                                                            "Line %1 is outside the file, which "
                                                            "has %2 lines.")
                                    .arg(line)
                                    .arg(placed.remaining),
                                MessageIcon::Exclamation);
    }
    const bool ok = opened && placed.written && file.commit();
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
