#include "ConvertCommand.h"

#include "Conversion.h"
#include "PositionMarkers.h"
#include "WebFormFile.h"

#include <QFile>

namespace {

QString printable(QString message)
{
    return message.replace(CrLf, QStringLiteral("\n"));
}

struct ConvertArgs
{
    bool preview = false;
    bool help = false;
    bool position = false;
    bool removeExisting = false;
    qint64 line = -1;
    QStringList files;
    QString error;
};

ConvertArgs parseArgs(const QStringList &args)
{
    ConvertArgs parsed;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!optionsEnded && arg == QLatin1String("--"))
            optionsEnded = true;
        else if (!optionsEnded && arg == QLatin1String("--preview"))
            parsed.preview = true;
        else if (!optionsEnded && arg == QLatin1String("--remove-existing"))
            parsed.removeExisting = true;
        else if (!optionsEnded && arg == QLatin1String("--position")) {
            bool isNumber = false;
            parsed.position = true;
            parsed.line = i + 1 < args.size() ? args.at(++i).toLongLong(&isNumber) : -1;
            if (!isNumber || parsed.line < 0)
                parsed.error = QStringLiteral("--position needs a line number (0 or more)");
        } else if (!optionsEnded && (arg == QLatin1String("--help") || arg == QLatin1String("-h")))
            parsed.help = true;
        else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            parsed.error = QStringLiteral("unknown option: ") + arg;
        else
            parsed.files << arg;
    }
    if (!parsed.error.isEmpty() || parsed.help)
        return parsed;
    if (parsed.position && (parsed.files.size() != 1 || parsed.preview))
        parsed.error = QStringLiteral("--position takes a line number and one page");
    else if (!parsed.position && (parsed.files.isEmpty() || parsed.files.size() > 2))
        parsed.error = QStringLiteral("expected a form file and at most one output file");
    else if (!parsed.position && parsed.removeExisting)
        parsed.error = QStringLiteral("--remove-existing goes with --position");
    return parsed;
}

// Places the short marker lines after line `line` of `pageFile` (0: before the first).
int runPosition(const ConvertArgs &parsed, QTextStream &out, QTextStream &err)
{
    const Outcome outcome =
        PlacePositionMarkers(parsed.files.at(0), parsed.line, parsed.removeExisting);
    (outcome.ok() ? out : err) << printable(outcome.message) << '\n';
    return outcome.ok() ? ConvertWritten : ConvertRefused;
}

} // namespace

QString ConvertUsageText()
{
    return QStringLiteral(
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
        "                     LINE (0: before the first line); the next conversion into\n"
        "                     PAGE.htm fills the space between them\n"
        "  --remove-existing  with --position: first remove a form block written earlier\n"
        "                     (without it such a page is left unchanged)\n"
        "  --help             show this text\n"
        "\n"
        "Exit status: 0 written, 1 refused or failed, 2 bad usage or unreadable form file.\n");
}

int RunConvertCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const ConvertArgs parsed = parseArgs(args);
    if (parsed.help) {
        out << ConvertUsageText();
        return ConvertWritten;
    }
    if (!parsed.error.isEmpty()) {
        err << "tabrino-convert: " << parsed.error << "\n\n" << ConvertUsageText();
        return ConvertUsage;
    }

    if (parsed.position)
        return runPosition(parsed, out, err);

    const QString formFile = parsed.files.at(0);
    const WebFormReadResult read = ReadWebFormFile(formFile);
    if (!read.opened) {
        err << printable(OpenFailedMessage(read.errorText)) << '\n';
        return ConvertUsage;
    }
    if (!read.contents.reachedEndLine)
        err << printable(EndedEarlyMessage(formFile)) << '\n';

    ItemGrid grid;
    FillGrid(grid, read.contents.rows);
    WebFormInfo info = read.contents.properties;
    if (parsed.files.size() > 1)
        info.OutputFile = QFile::encodeName(parsed.files.at(1));

    Outcome outcome;
    if (parsed.preview && !info.OutputFile.isEmpty()) {
        const QString output = QFile::decodeName(info.OutputFile);
        outcome = ConvertToHtml(grid, info, output, true);
        if (!outcome.ok() && outcome.message.isEmpty()) {
            outcome.message = QStringLiteral("Unable to write to the output file [") + output +
                              QStringLiteral("].") + CrLf + PageBuffer().ErrorMsg;
        }
    } else {
        outcome = ConvertDocument(grid, info);
    }
    if (outcome.ok()) {
        if (!outcome.message.isEmpty())
            out << printable(outcome.message) << '\n';
        return ConvertWritten;
    }
    err << printable(outcome.message) << '\n';
    return ConvertRefused;
}
