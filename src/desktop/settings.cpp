#include "settings.h"

#include <QSettings>

namespace {

// The application name serves as the organisation too: QSettings needs one.
// On Linux the store is the INI file ~/.config/KAVLO/KAVLO.conf.
QString path(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString readSetting(const QString &application, const QString &section, const QString &key, const QString &defaultValue)
{
    const QSettings store(application, application);
    const QVariant value = store.value(path(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

void writeSetting(const QString &application, const QString &section, const QString &key, const QString &value)
{
    // Each write is saved at once, through a locked temporary file that
    // replaces the old one whole.
    QSettings store(application, application);
    store.setValue(path(section, key), value);
}
