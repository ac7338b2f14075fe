// The list of the four most recently used Web Form Files, kept in the settings store and
// shown at the end of every File menu.
#pragma once

#include <QStringList>

constexpr int RecentFileCount = 4;

// Puts `name` at the head of the stored list; the fourth entry drops out.
void AddRecentFile(const QString &name);
// The stored entries, most recent first, without empty ones.
QStringList StoredRecentFiles();
// Copies the stored list into the menus of the frame and of every open document window.
void RefreshRecentFileMenus();
