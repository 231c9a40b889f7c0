#include "settingsstore.h"

// The registry key where Windows keeps the settings of such (application,
// section, key) calls, so that settings kept there from before carry over:
// each section is a subkey, each key a string value (REG_SZ). The store is
// opened at the key above the application's, as a group: Qt creates the key
// it is opened at even to read it, and a run that writes nothing must leave
// no key behind.
std::unique_ptr<QSettings> openSettingsStore(const QString &application)
{
    auto store = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings"),
                                             QSettings::NativeFormat);
    store->beginGroup(application);
    return store;
}

// The registry is no file.
QString settingsStoreFile(const QString &)
{
    return QString();
}
