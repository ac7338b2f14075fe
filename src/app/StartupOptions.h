// What the program starts with: the command line and how long the start-up screen stays.
#pragma once

#include <QString>
#include <QStringList>

struct StartupOptions
{
    // The arguments after the program name; joined by single spaces they are the path of
    // a Web Form File to open, resolved against `startFolder`.
    QStringList arguments;
    QString startFolder;
    int splashMilliseconds = 3000;

    QString commandLinePath() const;

    // What "--help" (or "-h") or "--version" as the first argument asks for, to be printed
    // on standard output with no window opened; empty when the arguments name a file. A
    // file called so is opened as "./--help".
    static QString informationRequested(const QStringList &arguments);
};
