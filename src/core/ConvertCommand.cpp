#include "ConvertCommand.h"

#include "Conversion.h"
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
    QStringList files;
    QString error;
};

ConvertArgs parseArgs(const QStringList &args)
{
    ConvertArgs parsed;
    bool optionsEnded = false;
    for (const QString &arg : args) {
        if (!optionsEnded && arg == QLatin1String("--"))
            optionsEnded = true;
        else if (!optionsEnded && arg == QLatin1String("--preview"))
            parsed.preview = true;
        else if (!optionsEnded && (arg == QLatin1String("--help") || arg == QLatin1String("-h")))
            parsed.help = true;
        else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            parsed.error = QStringLiteral("unknown option: ") + arg;
        else
            parsed.files << arg;
    }
    if (parsed.error.isEmpty() && !parsed.help && (parsed.files.isEmpty() || parsed.files.size() > 2))
        parsed.error = QStringLiteral("expected a form file and at most one output file");
    return parsed;
}

} // namespace

QString ConvertUsageText()
{
    return QStringLiteral(
        "Usage: tabrino-convert [--preview] FORM.wfm [OUTPUT]\n"
        "\n"
        "Converts a Web Form File into an HTML page, exactly as Convert to HTML does.\n"
        "OUTPUT defaults to the output file named in the form's properties. When OUTPUT\n"
        "exists, the form replaces the block between its marker lines and the rest of the\n"
        "page is kept; otherwise a new page is written.\n"
        "\n"
        "  --preview  always write a new page, as the internal preview does\n"
        "  --help     show this text\n"
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
