#include "settingsstore.h"

// The application name serves as the organisation too: QSettings needs one.
// The store is the INI file ~/.config/<application>/<application>.conf.
std::unique_ptr<QSettings> openSettingsStore(const QString &application)
{
    return std::make_unique<QSettings>(application, application);
}
