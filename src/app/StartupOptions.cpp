#include "StartupOptions.h"

#include <QDir>

QString StartupOptions::commandLinePath() const
{
    const QString path = arguments.join(QLatin1Char(' '));
    if (path.isEmpty())
        return path;
    return QDir(startFolder).absoluteFilePath(path);
}
