// The headless converter: turns a Web Form File into an HTML page from the command line.
#pragma once

#include <QByteArrayList>
#include <QTextStream>

// Exit statuses of the converter.
enum ConvertExit { ConvertWritten = 0, ConvertRefused = 1, ConvertUsage = 2 };

// `args` are the arguments after the program name, as the bytes the system passed: file
// names are used exactly as given, whether or not they are valid UTF-8. Messages go to
// `out` (success, --help, --version) and `err` (refusals and failures, each line starting
// with "tabrino-convert: " and the file it concerns).
int RunConvertCommand(const QByteArrayList &args, QTextStream &out, QTextStream &err);

QString ConvertUsageText();
