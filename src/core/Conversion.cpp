#include "Conversion.h"

#include "AppInfo.h"
#include "HtmlGenerator.h"

#include <sys/stat.h>

namespace {

QString inBrackets(const QString &file)
{
    return QStringLiteral(" [") + file + QStringLiteral("].");
}

// Loads `outputfile` and removes its old block. Returns the line after which the new
// block goes, or 0 with `refusal` set.
qint32 prepareMerge(TextFile &page, const NativePath &outputfile, Outcome &refusal)
{
    QString loadError;
    try {
        page.Load(outputfile);
        loadError = page.ErrorMsg;
    } catch (const TextFileError &failure) {
        loadError = QString::fromLocal8Bit(failure.what());
    }
    if (!loadError.isEmpty()) {
        refusal = Outcome::failed(QStringLiteral("Unable to read the file") +
                                  inBrackets(outputfile.display()) + CrLf + loadError);
        return 0;
    }
    const qint32 start = page.FindFirst(Markers::StartKeyword);
    const qint32 end = page.FindFirst(Markers::EndKeyword);
    if (!IsValidMarkerPair(start, end)) {
        refusal = Outcome::refused(
            QStringLiteral("The output file already exists but the form location cannot be "
                           "determined.") +
                CrLf + SelectPositionAdvice(),
            MessageIcon::Critical);
        return 0;
    }
    page.RemoveLines(start, end);
    return start - 1;
}

// Starts a minimal page and returns the line of its <BODY> tag.
qint32 prepareNewPage(TextFile &page)
{
    page.ResetFile("<HTML>");
    qint32 line = 1;
    page.InsertLine(line, "<HEAD>");
    page.InsertLine(line, "<TITLE>Form created with " + AppInfo::Title.toUtf8() + "</TITLE>");
    page.InsertLine(line, "</HEAD>");
    page.InsertLine(line, "<BODY>");
    qint32 append = -1;
    page.InsertLine(append, "</BODY>");
    page.InsertLine(append, "</HTML>");
    return line;
}

// Whether a file (or whatever else) of that name is there, through symbolic links.
bool exists(const NativePath &file)
{
    struct stat info;
    return stat(file.bytes().constData(), &info) == 0;
}

} // namespace

TextFile &PageBuffer()
{
    static TextFile buffer;
    return buffer;
}

bool IsValidMarkerPair(qint32 start, qint32 end)
{
    return start >= 2 && end > start;
}

Outcome ConvertToHtml(const ItemGrid &grid, const WebFormInfo &info, const NativePath &outputfile,
                      bool silent)
{
    TextFile &page = PageBuffer();
    try {
        const bool merge = !silent && !outputfile.hasNul() && exists(outputfile);
        qint32 insertAfter = 0;
        if (merge) {
            Outcome refusal;
            insertAfter = prepareMerge(page, outputfile, refusal);
            if (insertAfter == 0)
                return refusal;
        } else {
            insertAfter = prepareNewPage(page);
        }
        GenerateFormCode(page, insertAfter, grid, info);
        page.Save(outputfile);
    } catch (const std::exception &failure) {
        return Outcome::failed(QStringLiteral("Conversion operation failed.") + CrLf +
                               QString::fromLocal8Bit(failure.what()));
    }
    if (page.ErrorNum != 0) {
        if (silent)
            return Outcome::failed(QString());
        return Outcome::failed(QStringLiteral("Unable to write to the output file") +
                               inBrackets(outputfile.display()) + CrLf + page.ErrorMsg);
    }
    if (silent)
        return Outcome::written();
    return Outcome::written(QStringLiteral("Form successfully written to file") +
                            inBrackets(outputfile.display()));
}

Outcome ConvertDocument(const ItemGrid &grid, const WebFormInfo &info)
{
    if (info.OutputFile.isEmpty())
        return Outcome::refused(NoOutputFileMessage(), MessageIcon::Exclamation);
    return ConvertToHtml(grid, info, NativePath(info.OutputFile), false);
}

QString SelectPositionAdvice()
{
    return QStringLiteral(
        "Please select a new form location ('Select Form Position' on the 'File' menu).");
}

QString NoOutputFileMessage()
{
    return QStringLiteral("Please specify an output file ('Properties' on the 'File' menu).");
}
