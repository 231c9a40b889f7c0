// The per-user settings store: text values by application, section and key,
// kept by QSettings in the user's configuration directory.
#pragma once

#include <QString>

QString readSetting(const QString &application, const QString &section, const QString &key, const QString &defaultValue);
void writeSetting(const QString &application, const QString &section, const QString &key, const QString &value);
