// The list of the four most recently used Web Form Files, kept in the settings store. The
// frame shows it at the end of every File menu.
#pragma once

#include <QStringList>

constexpr int RecentFileCount = 4;

// Puts `name` at the head of the stored list; the fourth entry drops out.
void AddRecentFile(const QString &name);
// The stored entries, most recent first, without empty ones.
QStringList StoredRecentFiles();
// Whether the head of the stored list holds a path; the menus are left as they are while
// it does not.
bool HasRecentFiles();
