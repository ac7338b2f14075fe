#include "WebFormFile.h"

#include "FileReading.h"
#include "LineSplitter.h"
#include "Outcome.h"
#include "SafeFile.h"

#include <QCoreApplication>

#include <cmath>

namespace {

const QByteArray EndLine = QByteArrayLiteral("[EOF]");
constexpr int PropertyLines = 6;

// "True"/"False" in any letter case, or a number (0 is False); anything else is False.
// toDouble also accepts "nan" and "inf", which are words, not numbers.
bool parseBoolean(const QByteArray &text)
{
    const QByteArray word = text.trimmed().toLower();
    if (word == "true")
        return true;
    if (word == "false")
        return false;
    bool isNumber = false;
    const double value = word.toDouble(&isNumber);
    return isNumber && std::isfinite(value) && value != 0.0;
}

// Property line 1 to 6: output file, CGI file, method, media type, submit and reset text.
void setProperty(WebFormInfo &info, int lineNumber, const QByteArray &line)
{
    switch (lineNumber) {
    case 1:
        info.OutputFile = line;
        break;
    case 2:
        info.CGIFile = line;
        break;
    case 3:
        info.MethodGet = parseBoolean(line);
        break;
    case 4:
        info.MediaType = line;
        break;
    case 5:
        info.SubmitText = line;
        break;
    case 6:
        info.ResetText = line;
        break;
    }
}

} // namespace

WebFormFileContents ParseWebFormFile(const QByteArray &bytes)
{
    WebFormFileContents contents;
    WebFormInfo &info = contents.properties;
    info.setNewDocumentProperties();

    int lineNumber = 0;
    int column = ItemColumnCount; // the column the next line fills; 8 = between rows
    forEachLine(bytes.constData(), bytes.constData() + bytes.size(),
                [&](const char *begin, const char *end) {
                    const QByteArray line(begin, end - begin);
                    ++lineNumber;
                    if (lineNumber <= PropertyLines) {
                        setProperty(info, lineNumber, line);
                        return true;
                    }
                    if (column == ItemColumnCount) {
                        if (line == EndLine) {
                            contents.reachedEndLine = true;
                            return false;
                        }
                        contents.rows.append(ItemGrid::Row{});
                        column = 0;
                    }
                    contents.rows.last()[column++] = line;
                    return true;
                });
    if (contents.rows.isEmpty())
        contents.rows.append(ItemGrid::Row{});
    return contents;
}

WebFormReadResult ReadWebFormFile(const NativePath &filename)
{
    WebFormReadResult result;
    QByteArray bytes;
    const FileReading read = ReadWholeFile(filename, bytes);
    if (!read.ok()) {
        result.errorText = read.reason;
        return result;
    }
    result.opened = true;
    result.contents = ParseWebFormFile(bytes);
    return result;
}

QByteArray FormatWebFormFile(const WebFormInfo &info, const ItemGrid &grid)
{
    QByteArray out;
    const auto line = [&out](const QByteArray &text) {
        out.append(text);
        out.append("\r\n", 2);
    };
    line(info.OutputFile);
    line(info.CGIFile);
    line(info.MethodGet ? "True" : "False");
    line(info.MediaType);
    line(info.SubmitText);
    line(info.ResetText);
    for (int row = 1; row < grid.rows(); ++row) {
        for (int col = 0; col < grid.cols(); ++col)
            line(grid.text(row, col));
    }
    line(EndLine);
    return out;
}

QString WriteWebFormFile(const NativePath &filename, const WebFormInfo &info, const ItemGrid &grid)
{
    SafeFile file(filename);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray bytes = FormatWebFormFile(info, grid);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return QString();
}

void FillGrid(ItemGrid &grid, const QList<ItemGrid::Row> &rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        const int row = i + 1;
        if (row >= grid.rows())
            grid.addRow(row);
        for (int col = 0; col < ItemColumnCount; ++col)
            grid.setText(row, col, rows.at(i)[col]);
    }
}

QString OpenFailedMessage(const QString &errorText)
{
    return QCoreApplication::translate("WebFormFile", "Unable to open the file.") + CrLf +
           errorText;
}

QString SaveFailedMessage(const QString &filename, const QString &errorText)
{
    return QCoreApplication::translate("WebFormFile", "Unable to save the file [%1].")
               .arg(filename) +
           CrLf + errorText;
}

QString TooManyFilesToOpenMessage()
{
    return QCoreApplication::translate(
        "WebFormFile",
        "The maximum number of files is already open.  Unable to open the selected file.");
}

QString EndedEarlyMessage(const QString &filename)
{
    return QCoreApplication::translate("WebFormFile",
                                       "The file [%1] ended before its closing [EOF] line.")
               .arg(filename) +
           CrLf +
           QCoreApplication::translate("WebFormFile",
                                       "The items read up to that point have been loaded.");
}
