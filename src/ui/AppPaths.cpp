#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString AppPaths::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString AppPaths::helpFolder()
{
    const QDir program(programFolder());
    const QString candidates[] = {program.absoluteFilePath(QStringLiteral("../share/tabrino/help")),
                                  program.absoluteFilePath(QStringLiteral("help"))};
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate + QStringLiteral("/contents.html")).isFile())
            return QDir::cleanPath(candidate);
    }
    return QDir::cleanPath(candidates[0]);
}
