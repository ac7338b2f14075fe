// fuzz_wfm: arbitrary bytes read as a Web Form File, put into a grid and written again.
// Whatever the input, the reading must agree with a plain reference reading of the
// format, the written file must read back as the same properties and rows,
// writing that again must give the same bytes, and the form block made from the rows
// must hold no line break of its own.
#include "FuzzChecks.h"
#include "HtmlGenerator.h"
#include "ItemGrid.h"
#include "TextFile.h"
#include "WebFormFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

bool sameProperties(const WebFormInfo &a, const WebFormInfo &b)
{
    return a.OutputFile == b.OutputFile && a.CGIFile == b.CGIFile && a.MethodGet == b.MethodGet &&
           a.MediaType == b.MediaType && a.SubmitText == b.SubmitText && a.ResetText == b.ResetText;
}

bool holdsLineBreak(const QByteArray &text)
{
    return text.contains('\r') || text.contains('\n');
}

// The file as the format describes it, read from the reference lines: six property lines,
// then blocks of eight until a block would start with "[EOF]" or the lines run out.
WebFormFileContents referenceParse(const QByteArray &input)
{
    const QList<QByteArray> lines = referenceLines(input);
    WebFormFileContents contents;
    WebFormInfo &info = contents.properties;
    info.setNewDocumentProperties();
    QByteArray *const properties[] = {&info.OutputFile, &info.CGIFile,    nullptr,
                                      &info.MediaType,  &info.SubmitText, &info.ResetText};
    for (int i = 0; i < 6 && i < lines.size(); ++i) {
        if (properties[i]) {
            *properties[i] = lines[i];
            continue;
        }
        // True or False in any case, or a number: 0 is False, any other True; anything
        // else (the words nan and inf included) is False.
        const QByteArray word = referenceLower(lines[i].trimmed());
        bool isNumber = false;
        const double number = word.toDouble(&isNumber);
        info.MethodGet =
            word == "true" || (word != "false" && isNumber && std::isfinite(number) && number != 0);
    }
    for (int i = 6; i < lines.size(); i += 8) {
        if (lines[i] == "[EOF]") {
            contents.reachedEndLine = true;
            break;
        }
        ItemGrid::Row row{};
        for (int col = 0; col < 8 && i + col < lines.size(); ++col)
            row[col] = lines[i + col];
        contents.rows.append(row);
    }
    if (contents.rows.isEmpty())
        contents.rows.append(ItemGrid::Row{});
    return contents;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzBytes(data, size);
    const WebFormFileContents first = ParseWebFormFile(input);
    const WebFormFileContents expected = referenceParse(input);
    fuzzCheck(sameProperties(first.properties, expected.properties),
              "the properties differ from the reference reading");
    fuzzCheck(first.rows == expected.rows, "the rows differ from the reference reading");
    fuzzCheck(first.reachedEndLine == expected.reachedEndLine,
              "finding [EOF] differs from the reference reading");

    // What parsing can give at all: at least the placeholder row, no line break in any
    // value, and never a row that starts with the end line.
    fuzzCheck(!first.rows.isEmpty(), "no rows, not even the placeholder");
    const WebFormInfo &info = first.properties;
    for (const QByteArray *value :
         {&info.OutputFile, &info.CGIFile, &info.MediaType, &info.SubmitText, &info.ResetText})
        fuzzCheck(!holdsLineBreak(*value), "a property holds a line break");
    for (const ItemGrid::Row &row : first.rows) {
        fuzzCheck(row[ColType] != "[EOF]", "a row starts with the end line");
        for (const QByteArray &cell : row)
            fuzzCheck(!holdsLineBreak(cell), "a cell holds a line break");
    }

    ItemGrid grid;
    FillGrid(grid, first.rows);
    fuzzCheck(grid.rows() == first.rows.size() + 1, "the grid has another number of rows");
    for (int row = 1; row < grid.rows(); ++row) {
        for (int col = 0; col < ItemColumnCount; ++col)
            fuzzCheck(grid.text(row, col) == first.rows[row - 1][col], "the grid lost a cell");
    }

    const QByteArray formatted = FormatWebFormFile(info, grid);
    fuzzCheck(formatted.endsWith("\r\n[EOF]\r\n"), "the written file does not end with [EOF]");
    fuzzCheck(formatted.count("\r\n") == 6 + 8 * first.rows.size() + 1,
              "the written file does not have 6 + 8n + 1 lines");
    fuzzCheck(formatted.count('\r') == formatted.count('\n'), "a stray CR or LF was written");

    const WebFormFileContents second = ParseWebFormFile(formatted);
    fuzzCheck(second.reachedEndLine, "the written file reads back without its [EOF] line");
    fuzzCheck(sameProperties(info, second.properties), "the properties did not round-trip");
    fuzzCheck(second.rows == first.rows, "the rows did not round-trip");

    ItemGrid again;
    FillGrid(again, second.rows);
    fuzzCheck(FormatWebFormFile(second.properties, again) == formatted,
              "writing the file read back gives other bytes");

    // The generated block: marker lines around it, and nothing that would split a line.
    TextFile page;
    page.ResetFile("<HTML>");
    GenerateFormCode(page, 1, grid, info);
    fuzzCheck(page.TextLine(2) == Markers::fullLine(Markers::StartKeyword),
              "the block does not start with the start marker");
    fuzzCheck(page.TextLine(page.LineCount()) == Markers::fullLine(Markers::EndKeyword),
              "the block does not end with the end marker");
    for (qint32 line = 1; line <= page.LineCount(); ++line)
        fuzzCheck(!holdsLineBreak(page.TextLine(line)), "a generated line holds a line break");
    return 0;
}
