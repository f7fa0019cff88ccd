#include "UserSettings.h"

#include <QSettings>

namespace {

QString settingPath(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

}  // namespace

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    return settings.value(settingPath(section, key), defaultValue).toString();
}

void SaveSetting(const QString& application, const QString& section, const QString& key, const QString& value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    settings.setValue(settingPath(section, key), value);
}
