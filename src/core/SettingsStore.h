// The per-user settings store: an INI file for the application "Tabrino" with the
// sections "Settings" and "Recent Files". Values are written the moment they change.
#pragma once

#include <QString>

namespace SettingsStore {
inline const QString SettingsSection = QStringLiteral("Settings");
inline const QString RecentFilesSection = QStringLiteral("Recent Files");
inline const QString HighlightColourKey = QStringLiteral("Highlight Colour");
inline const QString DisplayWizardKey = QStringLiteral("Display Wizard");

QString read(const QString &section, const QString &key, const QString &fallback);
void write(const QString &section, const QString &key, const QString &value);

// The typed settings, falling back to their defaults for missing or malformed values.
quint32 highlightColour(); // 0x00BBGGRR, yellow (65535) by default
void setHighlightColour(quint32 colour);
bool displayWizard();
void setDisplayWizard(bool show);

// Where the settings file lives.
QString fileName();
} // namespace SettingsStore
