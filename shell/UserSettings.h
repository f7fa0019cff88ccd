#pragma once
#include <QString>

// The per-user settings store: text values by application name, section and key, kept in an
// INI file under the user's configuration directory (<config>/<application>/<application>.ini).
// Tests point QSettings' user INI path at a folder of their own.
QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
void SaveSetting(const QString& application, const QString& section, const QString& key, const QString& value);
