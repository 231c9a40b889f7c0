#include "settingsstore.h"

#include <QStandardPaths>

// The INI file ~/.config/<application>/<application>.conf, where QSettings
// keeps an application's settings, and no other: Qt's fallback files would
// be read as well, and each could block as the store is opened.
QString settingsStoreFile(const QString &application)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + application
        + QLatin1Char('/') + application + QStringLiteral(".conf");
}

std::unique_ptr<QSettings> openSettingsStore(const QString &application)
{
    return std::make_unique<QSettings>(settingsStoreFile(application), QSettings::IniFormat);
}
