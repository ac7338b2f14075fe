// fuzz_merge: arbitrary bytes as an existing page that a small fixed form is merged into.
// A merge that is written keeps every line before the start marker and after the end
// marker as it was and puts exactly the generated block between them; a refused or
// failed merge leaves the file byte for byte as it was. Which of the two happens must
// follow from the marker lines alone. The line buffer is also held against plain
// reference versions of loading, searching and saving.
#include "Choices.h"
#include "Conversion.h"
#include "FuzzChecks.h"
#include "HtmlGenerator.h"
#include "ItemGrid.h"
#include "TextFile.h"

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
    QList<QByteArray> block; // the lines GenerateFormCode makes for it
};

const Form &fixedForm()
{
    static Form *form = [] {
        auto *f = new Form;
        f->info.setNewDocumentProperties();
        f->info.CGIFile = "/cgi-bin/mail.pl";
        const ItemGrid::Row rows[] = {
            {"Label", "", "", "Your details", "", "", "", ""},
            {"Text Field", "email", "a \"quoted\" value", "E-mail:", "40", "", "60", ""},
            {"Selection", "colour", "Allow multiple selections", "Colour:", "", "3", "",
             EncodeChoices({"Red", "Green", "Blue"})},
            {"Checkbox", "news", "Checked", "Send news", "", "", "", ""},
        };
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                f->grid.addRow(f->grid.rows());
            for (int col = 0; col < ItemColumnCount; ++col)
                f->grid.setText(i + 1, col, rows[i][col]);
        }
        TextFile page;
        page.ResetFile("<HTML>");
        GenerateFormCode(page, 1, f->grid, f->info);
        for (qint32 line = 2; line <= page.LineCount(); ++line)
            f->block.append(page.TextLine(line));
        return f;
    }();
    return *form;
}

// The buffer alone: loading, searching before and after a change, and saving.
void checkLineBuffer(const QString &path, const QByteArray &input, QList<QByteArray> lines)
{
    static TextFile buffer; // kept, as the program keeps its page buffer
    buffer.Load(path);
    if (input.isEmpty()) {
        fuzzCheck(buffer.ErrorNum == TextFile::ErrLoadNothing, "an empty file loaded");
        return;
    }
    fuzzCheck(buffer.ErrorNum == 0, "a file with bytes did not load");
    fuzzCheck(buffer.LineCount() == lines.size(), "loaded another number of lines");
    for (int i = 0; i < lines.size(); ++i)
        fuzzCheck(buffer.TextLine(i + 1) == lines[i], "loaded a line wrongly");

    // Needles: the markers, and a piece of a line of the input in other letter case.
    QList<QByteArray> needles = {Markers::StartKeyword, Markers::EndKeyword, "a\nb"};
    const QByteArray &middle = lines[lines.size() / 2];
    if (!middle.isEmpty()) {
        QByteArray piece = middle.mid(middle.size() / 3, 1 + middle.size() % 19);
        for (char &c : piece)
            c = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
        needles.append(piece);
    }
    for (const QByteArray &needle : needles)
        fuzzCheck(buffer.FindFirst(needle) == referenceFindFirst(lines, needle),
                  "FindFirst on the loaded lines differs from the reference");

    // A change in the middle: a line inserted and, where there are enough, two removed.
    qint32 at = qint32(lines.size() + 1) / 2;
    buffer.InsertLine(at, "<P>inserted</P>");
    lines.insert(at - 1, "<P>inserted</P>");
    if (lines.size() >= 4) {
        buffer.RemoveLines(2, 3);
        lines.remove(1, 2);
    }
    for (const QByteArray &needle : needles)
        fuzzCheck(buffer.FindFirst(needle) == referenceFindFirst(lines, needle),
                  "FindFirst on changed lines differs from the reference");

    const QString saved = workDir().path() + "/saved.htm";
    buffer.Save(saved);
    fuzzCheck(buffer.ErrorNum == 0, "Save failed");
    fuzzCheck(readFile(saved) == crLfText(lines), "Save wrote other bytes than its lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Form &form = fixedForm();
    const QString path = workDir().path() + "/page.htm";
    const QByteArray input = fuzzBytes(data, size);
    writeFile(path, input);

    const QList<QByteArray> lines = referenceLines(input);
    checkLineBuffer(path, input, lines);

    const int start = referenceFindFirst(lines, "FORM_START_CMD");
    const int end = referenceFindFirst(lines, "FORM_END_CMD");
    const Outcome outcome = ConvertToHtml(form.grid, form.info, path, false);
    const QByteArray output = readFile(path);

    if (input.isEmpty()) {
        fuzzCheck(outcome.result == Outcome::Failed &&
                      outcome.message.startsWith("Unable to read the file"),
                  "an empty page was not refused with the read error");
        fuzzCheck(output == input, "a refused merge changed the file");
        return 0;
    }
    if (!(start >= 2 && end > start)) {
        fuzzCheck(outcome.result == Outcome::Refused, "a page without a valid marker pair "
                                                      "was not refused");
        fuzzCheck(output == input, "a refused merge changed the file");
        return 0;
    }
    fuzzCheck(outcome.result == Outcome::Written, "a page with a valid marker pair was not "
                                                  "written");

    // Every line ends with CR LF; the page around the markers is kept line for line.
    fuzzCheck(output.count("\r\n") == output.count('\r') &&
                  output.count('\r') == output.count('\n') && output.endsWith("\r\n"),
              "the merged page has a line end other than CR LF");
    QList<QByteArray> expected = lines.mid(0, start - 1);
    expected += form.block;
    expected += lines.mid(end);
    fuzzCheck(output == crLfText(expected),
              "the merged page is not the old page with the block in place of the markers");

    // The line buffer's search finds the new block in the merged page.
    const int blockEnd = start + int(form.block.size()) - 1;
    TextFile merged;
    merged.Load(path);
    fuzzCheck(merged.FindFirst(Markers::StartKeyword) == start,
              "the start marker is not where the block went");
    fuzzCheck(merged.FindFirst(Markers::EndKeyword) == blockEnd,
              "the end marker is not where the block ends");

    // Converting again replaces the block by itself.
    fuzzCheck(ConvertToHtml(form.grid, form.info, path, false).result == Outcome::Written &&
                  readFile(path) == output,
              "a second merge changed the page");
    return 0;
}
