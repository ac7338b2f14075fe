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
};
