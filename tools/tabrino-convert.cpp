// tabrino-convert: converts a Web Form File into an HTML page without opening a window.
#include "ConvertCommand.h"

#include <QTextStream>
#include <clocale>
#include <cstdio>

int main(int argc, char *argv[])
{
    // The converter needs nothing of a Qt application object, so it makes none and starts
    // sooner; the one thing such an object would do for it is taking the user's locale,
    // in which the system words its reasons for a failed read or write.
    std::setlocale(LC_ALL, "");
    // The arguments exactly as the system passed them: a file name that is not valid
    // UTF-8 would not survive the way through QString.
    QByteArrayList args;
    for (int i = 1; i < argc; ++i)
        args << QByteArray(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunConvertCommand(args, out, err);
    out.flush();
    err.flush();
    return status;
}
