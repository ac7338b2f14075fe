// The program's identity: its title and version, as shown in captions, messages and pages.
#pragma once

#include <QString>

namespace AppInfo {
inline const QString Title = QStringLiteral("Tabrino");
// Set by the build from the version number of the CMake project.
constexpr int VersionMajor = TABRINO_VERSION_MAJOR;
constexpr int VersionMinor = TABRINO_VERSION_MINOR;
inline QString versionText()
{
    return QString::number(VersionMajor) + QLatin1Char('.') + QString::number(VersionMinor);
}
} // namespace AppInfo
