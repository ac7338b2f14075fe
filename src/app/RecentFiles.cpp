#include "RecentFiles.h"

#include "SettingsStore.h"
#include "app/frmDesign.h"
#include "document/DocumentLifecycle.h"
#include "document/frmWebForm.h"

namespace {

QString key(int number)
{
    return QStringLiteral("RecentFile") + QString::number(number);
}

QString stored(int number)
{
    return SettingsStore::read(SettingsStore::RecentFilesSection, key(number), QString());
}

} // namespace

void AddRecentFile(const QString &name)
{
    for (int i = RecentFileCount - 1; i >= 1; --i) {
        const QString value = stored(i);
        if (!value.isEmpty())
            SettingsStore::write(SettingsStore::RecentFilesSection, key(i + 1), value);
    }
    SettingsStore::write(SettingsStore::RecentFilesSection, key(1), name);
}

QStringList StoredRecentFiles()
{
    QStringList files;
    for (int i = 1; i <= RecentFileCount; ++i) {
        const QString value = stored(i);
        if (!value.isEmpty())
            files << value;
    }
    return files;
}

void RefreshRecentFileMenus()
{
    if (stored(1).isEmpty())
        return;
    const QStringList files = StoredRecentFiles();
    frmDesign::MainFrame()->setRecentFiles(files);
    for (int slot = 1; slot <= Slots().upperIndex(); ++slot) {
        if (frmWebForm *form = FormWindow(slot))
            form->setRecentFiles(files);
    }
}
