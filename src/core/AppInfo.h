// The program's identity: its title and version, as shown in captions, messages and pages.
#pragma once

#include <QString>

namespace AppInfo {
inline const QString Title = QStringLiteral("Tabrino");
constexpr int VersionMajor = 0;
constexpr int VersionMinor = 61;
inline QString versionText()
{
    return QString::number(VersionMajor) + QLatin1Char('.') + QString::number(VersionMinor);
}
} // namespace AppInfo
