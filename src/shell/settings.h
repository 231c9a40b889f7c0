// The per-user settings store: text values by application, section and key,
// kept by QSettings in the user's configuration directory.
#pragma once

#include <QString>

QString GetSetting(const QString &appName, const QString &section, const QString &key, const QString &defaultValue);
void SaveSetting(const QString &appName, const QString &section, const QString &key, const QString &value);
