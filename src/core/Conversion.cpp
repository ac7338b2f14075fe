#include "Conversion.h"

#include "AppInfo.h"
#include "HtmlGenerator.h"
#include "PageSplice.h"
#include "SafeFile.h"

#include <QCoreApplication>

#include <sys/stat.h>

namespace {

QString locationMessage()
{
    return QCoreApplication::translate("Conversion",
                                       "The output file already exists but the form location "
                                       "cannot be determined.") +
           CrLf + SelectPositionAdvice();
}

QString unableToRead(const QString &file)
{
    return QCoreApplication::translate("Conversion", "Unable to read the file [%1].").arg(file);
}

QString unableToWrite(const QString &file)
{
    return QCoreApplication::translate("Conversion", "Unable to write to the output file [%1].")
        .arg(file);
}

QString writtenMessage(const QString &file)
{
    return QCoreApplication::translate("Conversion", "Form successfully written to file [%1].")
        .arg(file);
}

// The lines of the form block, made by the generator in a buffer of their own.
QList<QByteArray> formBlockLines(const ItemGrid &grid, const WebFormInfo &info)
{
    TextFile block;
    block.ResetFile(QByteArray());
    GenerateFormCode(block, 1, grid, info);
    QList<QByteArray> lines;
    for (qint32 line = 2; line <= block.LineCount(); ++line)
        lines.append(block.TextLine(line));
    return lines;
}

// Merges the block into the existing page `outputfile`: the page is read straight from its
// file, once, and written anew around the block as it is read, line ends made CR LF, so
// that its size costs no memory. The new file is written while the markers are still being
// looked for: a page without them is refused all the same, and the new file is thrown away.
Outcome mergeIntoPage(const ItemGrid &grid, const WebFormInfo &info, const NativePath &outputfile)
{
    const QString shown = outputfile.display();
    PageSplice page;
    SafeFile file(outputfile);
    bool ok = false;
    try {
        page.Load(outputfile);
        if (page.ErrorNum != 0) {
            return Outcome::failed(unableToRead(shown) + CrLf + page.ErrorMsg);
        }
        const QList<QByteArray> block = formBlockLines(grid, info);
        const bool opened = file.open(QIODevice::WriteOnly);
        const std::optional<bool> written = page.ReplaceBlock(opened ? &file : nullptr, block);
        if (!written)
            return Outcome::refused(locationMessage(), MessageIcon::Critical);
        ok = opened && *written && file.commit();
    } catch (const TextFileError &failure) {
        return Outcome::failed(unableToRead(shown) + CrLf + QString::fromLocal8Bit(failure.what()));
    }
    if (!ok) {
        return Outcome::failed(
            unableToWrite(shown) + CrLf +
            QCoreApplication::translate("TextFile", "SAVE: %1").arg(file.errorString()));
    }
    return Outcome::written(writtenMessage(shown));
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
        if (!silent && !outputfile.hasNul() && exists(outputfile))
            return mergeIntoPage(grid, info, outputfile);
        GenerateFormCode(page, prepareNewPage(page), grid, info);
        page.Save(outputfile);
    } catch (const std::exception &failure) {
        return Outcome::failed(
            QCoreApplication::translate("Conversion", "Conversion operation failed.") + CrLf +
            QString::fromLocal8Bit(failure.what()));
    }
    if (page.ErrorNum != 0) {
        if (silent)
            return Outcome::failed(QString());
        return Outcome::failed(unableToWrite(outputfile.display()) + CrLf + page.ErrorMsg);
    }
    if (silent)
        return Outcome::written();
    return Outcome::written(writtenMessage(outputfile.display()));
}

Outcome ConvertDocument(const ItemGrid &grid, const WebFormInfo &info)
{
    if (info.OutputFile.isEmpty())
        return Outcome::refused(NoOutputFileMessage(), MessageIcon::Exclamation);
    return ConvertToHtml(grid, info, NativePath(info.OutputFile), false);
}

QString SelectPositionAdvice()
{
    return QCoreApplication::translate(
        "Conversion",
        "Please select a new form location ('Select Form Position' on the 'File' menu).");
}

QString NoOutputFileMessage()
{
    return QCoreApplication::translate(
        "Conversion", "Please specify an output file ('Properties' on the 'File' menu).");
}
