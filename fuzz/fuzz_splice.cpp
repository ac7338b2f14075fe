// fuzz_splice: the streaming merge and form position against the line buffer's. Arbitrary
// bytes are a page; a form is merged into it, or the position markers are placed in it,
// once by the line buffer (load, find, remove, insert, save: the reference) and once by
// PageSplice straight from the file. Outcome, message and the bytes left in the file must
// be the same. PageSplice is also run with tiny segments against plain reference lines, so
// that every place where a segment ends falls somewhere in a page: in a CR LF, a keyword.
//
// Input: byte 0 chooses merge or position (bit 0), --remove-existing (bit 1) and the
// segment size (bits 2-7, 1 to 64 bytes); byte 1 the line for the markers; the rest is the
// page.
#include "Choices.h"
#include "Conversion.h"
#include "FuzzChecks.h"
#include "HtmlGenerator.h"
#include "ItemGrid.h"
#include "PageSplice.h"
#include "PositionMarkers.h"
#include "TextFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

struct Form
{
    ItemGrid grid;
    WebFormInfo info;
};

const Form &fixedForm()
{
    static Form *form = [] {
        auto *f = new Form;
        f->info.setNewDocumentProperties();
        f->info.CGIFile = "/cgi-bin/mail.pl";
        const ItemGrid::Row rows[] = {
            {"Label", "", "", "Line\rbreaks\nin a label", "", "", "", ""},
            {"Selection", "colour", "", "Colour:", "", "3", "", EncodeChoices({"Red", "Blue"})},
        };
        for (int i = 0; i < 2; ++i) {
            if (i > 0)
                f->grid.addRow(f->grid.rows());
            for (int col = 0; col < ItemColumnCount; ++col)
                f->grid.setText(i + 1, col, rows[i][col]);
        }
        return f;
    }();
    return *form;
}

QString inBrackets(const QString &file)
{
    return " [" + file + "].";
}

// The merge as the line buffer does it.
Outcome referenceMerge(const QString &path)
{
    TextFile page;
    try {
        page.Load(path);
        if (page.ErrorNum != 0)
            return Outcome::failed("Unable to read the file" + inBrackets(path) + CrLf +
                                   page.ErrorMsg);
        const qint32 start = page.FindFirst(Markers::StartKeyword);
        const qint32 end = page.FindFirst(Markers::EndKeyword);
        if (!IsValidMarkerPair(start, end)) {
            return Outcome::refused(
                "The output file already exists but the form location cannot be "
                "determined.\r\nPlease select a new form location ('Select Form Position' on "
                "the 'File' menu).",
                MessageIcon::Critical);
        }
        page.RemoveLines(start, end);
        GenerateFormCode(page, start - 1, fixedForm().grid, fixedForm().info);
        page.Save(path);
    } catch (const std::exception &failure) {
        return Outcome::failed("Conversion operation failed." + CrLf + failure.what());
    }
    if (page.ErrorNum != 0)
        return Outcome::failed("Unable to write to the output file" + inBrackets(path) + CrLf +
                               page.ErrorMsg);
    return Outcome::written("Form successfully written to file" + inBrackets(path));
}

// The converter's form position as the line buffer does it.
Outcome referencePosition(const QString &path, qint64 line, bool removeExisting)
{
    TextFile page;
    const Outcome loaded = LoadPositionPage(page, path);
    if (!loaded.ok())
        return loaded;
    if (HasGeneratedBlock(page)) {
        if (!removeExisting) {
            return Outcome::refused(RemoveBlockQuestion() + CrLf +
                                        "The file has not been changed; add --remove-existing "
                                        "to remove that code.",
                                    MessageIcon::Exclamation);
        }
        RemoveGeneratedBlock(page);
    }
    if (line > page.LineCount()) {
        return Outcome::refused(QStringLiteral("Line %1 is outside the file, which has %2 lines.")
                                    .arg(line)
                                    .arg(page.LineCount()),
                                MessageIcon::Exclamation);
    }
    QList<QByteArray> lines;
    page.ToListbox(lines);
    InsertPositionMarkers(lines, int(line) - 1);
    return SavePositionPage(page, lines, path);
}

QByteArray written(const PageSplice &page, qint64 begin, qint64 end)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    fuzzCheck(page.Write(out, {{begin, end}}), "writing into a buffer failed");
    return out.data();
}

// PageSplice with segments of `segment` bytes against the reference lines.
void checkScanning(const QString &path, const QByteArray &input, qint64 segment, qint64 skip)
{
    PageSplice page(segment);
    page.Load(path);
    if (input.isEmpty()) {
        fuzzCheck(page.ErrorNum == TextFile::ErrLoadNothing, "an empty page loaded");
        return;
    }
    fuzzCheck(page.ErrorNum == 0 && page.size() == input.size(), "the page did not load");
    const QList<QByteArray> lines = referenceLines(input);
    fuzzCheck(page.LineCount() == lines.size(), "LineCount differs from the reference");
    fuzzCheck(written(page, 0, page.size()) == crLfText(lines),
              "the page is not written as its lines with CR LF");
    const qint64 at = page.LineStart(0, page.size(), skip);
    fuzzCheck(page.LineCount(0, at) == qMin<qint64>(skip, lines.size()) &&
                  written(page, 0, at) == crLfText(lines.mid(0, qMin<qint64>(skip, lines.size()))),
              "LineStart is not where that line starts");

    const int start = referenceFindFirst(lines, Markers::StartKeyword);
    const int end = referenceFindFirst(lines, Markers::EndKeyword);
    const std::optional<PageSplice::Block> block = page.MarkedBlock();
    fuzzCheck(block.has_value() == IsValidMarkerPair(start, end),
              "MarkedBlock disagrees with the reference on the marker pair");
    PageSplice::LineTally tally{skip};
    const std::optional<PageSplice::Block> counted = page.MarkedBlock(&tally);
    fuzzCheck(counted.has_value() == block.has_value() &&
                  (!block || (counted->begin == block->begin && counted->end == block->end)),
              "MarkedBlock finds another block when it counts lines too");
    fuzzCheck(tally.lines == lines.size() && tally.skipStart == at,
              "the lines MarkedBlock counts differ from LineCount and LineStart");
    if (block) {
        fuzzCheck(written(page, 0, block->begin) == crLfText(lines.mid(0, start - 1)) &&
                      page.LineCount(block->begin, block->end) == end - start + 1 &&
                      written(page, block->end, page.size()) == crLfText(lines.mid(end)),
                  "MarkedBlock is not the lines from the start to the end marker");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const bool position = data[0] & 1;
    const bool removeExisting = data[0] & 2;
    const qint64 segment = 1 + (data[0] >> 2);
    const QByteArray input = fuzzBytes(data + 2, size - 2);
    const qint64 lineCount = referenceLines(input).size();
    const qint64 line = (data[1] & 0x80) ? (data[1] & 0x7f) : data[1] % (lineCount + 2);

    const QString path = workDir().path() + "/page.htm";
    writeFile(path, input);
    checkScanning(path, input, segment, line);

    const Outcome expected =
        position ? referencePosition(path, line, removeExisting) : referenceMerge(path);
    const QByteArray expectedBytes = readFile(path);
    writeFile(path, input);
    const Outcome outcome = position
                                ? PlacePositionMarkers(path, line, removeExisting)
                                : ConvertToHtml(fixedForm().grid, fixedForm().info, path, false);
    fuzzCheck(outcome.result == expected.result, "the outcome differs from the line buffer's");
    fuzzCheck(outcome.message == expected.message, "the message differs from the line buffer's");
    fuzzCheck(outcome.icon == expected.icon, "the icon differs from the line buffer's");
    fuzzCheck(readFile(path) == expectedBytes, "the file differs from the line buffer's");
    fuzzCheck(QDir(workDir().path()).entryList(QDir::Files | QDir::Hidden) ==
                  QStringList{"page.htm"},
              "a file was left beside the page");
    return 0;
}
