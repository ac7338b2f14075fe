#include "SettingsStore.h"

#include "AppInfo.h"

#include <QSettings>

namespace {

QSettings store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, AppInfo::Title, AppInfo::Title);
}

QString path(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString SettingsStore::read(const QString &section, const QString &key, const QString &fallback)
{
    return store().value(path(section, key), fallback).toString();
}

void SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    QSettings settings = store();
    settings.setValue(path(section, key), value);
    settings.sync();
}

quint32 SettingsStore::highlightColour()
{
    bool ok = false;
    const qlonglong value =
        read(SettingsSection, HighlightColourKey, QStringLiteral("65535")).toLongLong(&ok);
    if (!ok || value < 0 || value > 0xFFFFFF)
        return 65535;
    return quint32(value);
}

void SettingsStore::setHighlightColour(quint32 colour)
{
    write(SettingsSection, HighlightColourKey, QString::number(colour));
}

bool SettingsStore::displayWizard()
{
    const QString value = read(SettingsSection, DisplayWizardKey, QStringLiteral("True"));
    return value.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0;
}

void SettingsStore::setDisplayWizard(bool show)
{
    write(SettingsSection, DisplayWizardKey,
          show ? QStringLiteral("True") : QStringLiteral("False"));
}

QString SettingsStore::fileName()
{
    return store().fileName();
}
