// tabrino-convert: converts a Web Form File into an HTML page without opening a window.
#include "ConvertCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const int status = RunConvertCommand(args, out, err);
    out.flush();
    err.flush();
    return status;
}
