#include "settings.h"

#include "identity.h"
#include "settingsstore.h"

namespace Settings {

namespace {

const QString SoundKey = QStringLiteral("sound/a");
const QString XKey = QStringLiteral("Startup/X");
const QString YKey = QStringLiteral("Startup/Y");

std::unique_ptr<QSettings> store()
{
    return openSettingsStore(QString::fromLatin1(Identity::StoreName));
}

// True or False in any case; anything else counts as absent.
std::optional<bool> soundSwitch(const QSettings &s)
{
    const QString text = s.value(SoundKey).toString();
    for (bool on : {true, false}) {
        if (text.compare(on ? QLatin1String("True") : QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return on;
    }
    return std::nullopt;
}

// A stored coordinate: a decimal 32-bit integer, or nothing.
std::optional<int> coordinate(const QSettings &s, const QString &key)
{
    bool ok = false;
    const int value = s.value(key).toString().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

Saved load()
{
    const std::unique_ptr<QSettings> opened = store();
    const QSettings &s = *opened;
    Saved saved;
    saved.sound = soundSwitch(s).value_or(true);
    const std::optional<int> x = coordinate(s, XKey), y = coordinate(s, YKey);
    if (x && y)
        saved.position = QPoint(*x, *y);
    return saved;
}

void save(bool sound, bool soundChanged, std::optional<QPoint> position)
{
    const std::unique_ptr<QSettings> opened = store();
    QSettings &s = *opened;
    // A folder that cannot take a new file still lets the file be written in place.
    s.setAtomicSyncRequired(false);
    // A key left unset keeps the value the file holds when it is written;
    // one written in another form than the program's is written anew.
    const QString stored = s.value(SoundKey).toString();
    if (soundChanged || (stored != QLatin1String("True") && stored != QLatin1String("False")))
        s.setValue(SoundKey, sound ? QStringLiteral("True") : QStringLiteral("False"));
    if (position) {
        s.setValue(XKey, QString::number(position->x()));
        s.setValue(YKey, QString::number(position->y()));
    }
    s.sync();
    if (s.status() != QSettings::NoError)
        qWarning("kavlo: the settings could not be saved to %s", qPrintable(s.fileName()));
}

}  // namespace Settings
