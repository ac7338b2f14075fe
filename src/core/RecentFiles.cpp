#include "RecentFiles.h"

#include "SettingsStore.h"

namespace {

QString recentFileKey(int number)
{
    return QStringLiteral("RecentFile") + QString::number(number);
}

QString storedRecentFile(int number)
{
    return SettingsStore::read(SettingsStore::RecentFilesSection, recentFileKey(number), QString());
}

} // namespace

void AddRecentFile(const QString &name)
{
    for (int i = RecentFileCount - 1; i >= 1; --i) {
        const QString value = storedRecentFile(i);
        if (!value.isEmpty())
            SettingsStore::write(SettingsStore::RecentFilesSection, recentFileKey(i + 1), value);
    }
    SettingsStore::write(SettingsStore::RecentFilesSection, recentFileKey(1), name);
}

QStringList StoredRecentFiles()
{
    QStringList files;
    for (int i = 1; i <= RecentFileCount; ++i) {
        const QString value = storedRecentFile(i);
        if (!value.isEmpty())
            files << value;
    }
    return files;
}

bool HasRecentFiles()
{
    return !storedRecentFile(1).isEmpty();
}
