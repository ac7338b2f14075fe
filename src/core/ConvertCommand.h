// The headless converter: turns a Web Form File into an HTML page from the command line.
#pragma once

#include <QStringList>
#include <QTextStream>

// Exit statuses of the converter.
enum ConvertExit { ConvertWritten = 0, ConvertRefused = 1, ConvertUsage = 2 };

// `args` are the arguments after the program name. Messages go to `out` (success) and
// `err` (refusals and failures), exactly as the program would show them.
int RunConvertCommand(const QStringList &args, QTextStream &out, QTextStream &err);

QString ConvertUsageText();
