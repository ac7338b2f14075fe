#include "ConvertCommand.h"

#include "AppInfo.h"
#include "Conversion.h"
#include "PositionMarkers.h"
#include "WebFormFile.h"

#include <QCoreApplication>

namespace {

const QString Program = QStringLiteral("tabrino-convert");

// A message of the program as error lines, each starting with the program's name and the
// file it concerns.
void printError(QTextStream &err, const NativePath &file, const QString &message)
{
    const QString prefix = Program + QStringLiteral(": ") + file.display() + QStringLiteral(": ");
    for (const QString &line : message.split(CrLf))
        err << prefix << line << '\n';
}

// The program's messages send a user to its menus; on the command line the same advice
// names the converter's own options instead.
QString commandLineWording(QString message, const NativePath &page)
{
    message.replace(SelectPositionAdvice(),
                    QCoreApplication::translate("ConvertCommand",
                                                "Please select a new form location first "
                                                "(tabrino-convert --position LINE %1).")
                        .arg(page.display()));
    message.replace(NoOutputFileMessage(),
                    QCoreApplication::translate("ConvertCommand",
                                                "Please specify an output file (tabrino-convert "
                                                "FORM.wfm OUTPUT)."));
    return message;
}

struct ConvertArgs
{
    bool preview = false;
    bool help = false;
    bool version = false;
    bool position = false;
    bool removeExisting = false;
    qint64 line = -1;
    QByteArrayList files;
    QString error;
};

ConvertArgs parseArgs(const QByteArrayList &args)
{
    ConvertArgs parsed;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QByteArray &arg = args.at(i);
        if (!optionsEnded && arg == "--")
            optionsEnded = true;
        else if (!optionsEnded && arg == "--preview")
            parsed.preview = true;
        else if (!optionsEnded && arg == "--remove-existing")
            parsed.removeExisting = true;
        else if (!optionsEnded && arg == "--position") {
            bool isNumber = false;
            parsed.position = true;
            parsed.line = i + 1 < args.size() ? args.at(++i).toLongLong(&isNumber) : -1;
            if (!isNumber || parsed.line < 0)
                parsed.error = QCoreApplication::translate(
                    "ConvertCommand", "--position needs a line number (1 or more)");
        } else if (!optionsEnded && (arg == "--help" || arg == "-h"))
            parsed.help = true;
        else if (!optionsEnded && arg == "--version")
            parsed.version = true;
        else if (!optionsEnded && arg.startsWith('-') && arg.size() > 1)
            parsed.error = QCoreApplication::translate("ConvertCommand", "unknown option: %1")
                               .arg(NativePath(arg).display());
        else
            parsed.files << arg;
    }
    if (!parsed.error.isEmpty() || parsed.help || parsed.version)
        return parsed;
    if (parsed.position && (parsed.files.size() != 1 || parsed.preview))
        parsed.error = QCoreApplication::translate("ConvertCommand",
                                                   "--position takes a line number and one page");
    else if (!parsed.position && (parsed.files.isEmpty() || parsed.files.size() > 2))
        parsed.error = QCoreApplication::translate(
            "ConvertCommand", "expected a form file and at most one output file");
    else if (!parsed.position && parsed.removeExisting)
        parsed.error =
            QCoreApplication::translate("ConvertCommand", "--remove-existing goes with --position");
    return parsed;
}

// Places the short marker lines after line `line` of the page. Line 0 is refused: the
// start marker would land on line 1, and no conversion accepts a page marked so.
int runPosition(const ConvertArgs &parsed, QTextStream &out, QTextStream &err)
{
    const NativePath pageFile(parsed.files.at(0));
    if (parsed.line == 0) {
        printError(err, pageFile,
                   QCoreApplication::translate("ConvertCommand",
                                               "Line 0 would put the form's start marker on "
                                               "the first line, where no conversion accepts it.") +
                       CrLf +
                       QCoreApplication::translate("ConvertCommand",
                                                   "Give the line after which the form goes (1 or "
                                                   "more); the file has not been changed."));
        return ConvertRefused;
    }
    const Outcome outcome = PlacePositionMarkers(pageFile, parsed.line, parsed.removeExisting);
    if (!outcome.ok()) {
        printError(err, pageFile, outcome.message);
        return ConvertRefused;
    }
    out << outcome.message << '\n';
    return ConvertWritten;
}

} // namespace

QString ConvertUsageText()
{
    return QCoreApplication::translate(
        "ConvertCommand",
        "Usage: tabrino-convert [--preview] FORM.wfm [OUTPUT]\n"
        "       tabrino-convert --position LINE [--remove-existing] PAGE.htm\n"
        "\n"
        "Converts a Web Form File into an HTML page, exactly as Convert to HTML does.\n"
        "OUTPUT defaults to the output file named in the form's properties. When OUTPUT\n"
        "exists, the form replaces the block between its marker lines and the rest of the\n"
        "page is kept; otherwise a new page is written.\n"
        "\n"
        "  --preview          always write a new page, as the internal preview does\n"
        "  --position LINE    mark PAGE.htm for a form: put the marker lines after line\n"
        "                     LINE (1 or more); the next conversion into PAGE.htm fills\n"
        "                     the space between them\n"
        "  --remove-existing  with --position: first remove a form block written earlier\n"
        "                     (without it such a page is left unchanged)\n"
        "  --help             show this text\n"
        "  --version          show the version\n"
        "\n"
        "Exit status: 0 written, 1 refused or failed, 2 bad usage or unreadable form file.\n");
}

int RunConvertCommand(const QByteArrayList &args, QTextStream &out, QTextStream &err)
{
    const ConvertArgs parsed = parseArgs(args);
    if (parsed.help) {
        out << ConvertUsageText();
        return ConvertWritten;
    }
    if (parsed.version && parsed.error.isEmpty()) {
        out << Program << " (" << AppInfo::Title << ") " << AppInfo::versionText() << '\n';
        return ConvertWritten;
    }
    if (!parsed.error.isEmpty()) {
        err << Program << ": " << parsed.error << "\n\n" << ConvertUsageText();
        return ConvertUsage;
    }

    if (parsed.position)
        return runPosition(parsed, out, err);

    const NativePath formFile(parsed.files.at(0));
    const WebFormReadResult read = ReadWebFormFile(formFile);
    if (!read.opened) {
        printError(err, formFile, OpenFailedMessage(read.errorText));
        return ConvertUsage;
    }
    if (!read.contents.reachedEndLine)
        printError(err, formFile, EndedEarlyMessage(formFile.display()));

    ItemGrid grid;
    FillGrid(grid, read.contents.rows);
    WebFormInfo info = read.contents.properties;
    if (parsed.files.size() > 1)
        info.OutputFile = parsed.files.at(1);

    const NativePath output(info.OutputFile);
    Outcome outcome;
    if (parsed.preview && !output.isEmpty()) {
        outcome = ConvertToHtml(grid, info, output, true);
        if (!outcome.ok() && outcome.message.isEmpty()) {
            outcome.message = QCoreApplication::translate(
                                  "Conversion", "Unable to write to the output file [%1].")
                                  .arg(output.display()) +
                              CrLf + PageBuffer().ErrorMsg;
        }
    } else {
        outcome = ConvertDocument(grid, info);
    }
    if (outcome.ok()) {
        if (!outcome.message.isEmpty())
            out << outcome.message << '\n';
        return ConvertWritten;
    }
    printError(err, output.isEmpty() ? formFile : output,
               commandLineWording(outcome.message, output));
    return ConvertRefused;
}
