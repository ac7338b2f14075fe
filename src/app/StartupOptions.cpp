#include "StartupOptions.h"

#include "AppInfo.h"

#include <QCoreApplication>
#include <QDir>

QString StartupOptions::commandLinePath() const
{
    const QString path = arguments.join(QLatin1Char(' '));
    if (path.isEmpty())
        return path;
    return QDir(startFolder).absoluteFilePath(path);
}

QString StartupOptions::informationRequested(const QStringList &arguments)
{
    const QString first = arguments.value(0);
    if (first == QLatin1String("--version"))
        return QStringLiteral("tabrino ") + AppInfo::versionText() + QLatin1Char('\n');
    if (first != QLatin1String("--help") && first != QLatin1String("-h"))
        return QString();
    return QCoreApplication::translate(
        "StartupOptions",
        "Usage: tabrino [FORM.wfm]\n"
        "Design HTML forms and write them into web pages.\n"
        "\n"
        "All arguments, joined by single spaces, are the path of a Web Form File to open,\n"
        "relative to the current folder. Without one, the Quick Start Wizard opens (unless it\n"
        "is switched off), and then a new form.\n"
        "\n"
        "  -h, --help     show this text\n"
        "  --version      show the version\n");
}
