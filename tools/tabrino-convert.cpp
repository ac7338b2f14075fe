// tabrino-convert: converts a Web Form File into an HTML page without opening a window.
#include "ConvertCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    // The arguments as the system passed them, taken before Qt looks at them: a file name
    // that is not valid UTF-8 would not survive the way through QString.
    QByteArrayList args;
    for (int i = 1; i < argc; ++i)
        args << QByteArray(argv[i]);
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunConvertCommand(args, out, err);
    out.flush();
    err.flush();
    return status;
}
