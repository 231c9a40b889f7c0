#include "settings.h"

#include "identity.h"
#include "settingsstore.h"

#include <QFileInfo>

namespace Settings {

namespace {

const QString SoundKey = QStringLiteral("sound/a");
const QString XKey = QStringLiteral("Startup/X");
const QString YKey = QStringLiteral("Startup/Y");

bool soundSwitched = false;  // by the user, in this run

QString application()
{
    return QString::fromLatin1(Identity::StoreName);
}

// The store, or none where its file is, or links to, something other than a
// regular file: opening a FIFO to read it waits for a writer, and a save
// would put a regular file in the place of a FIFO or a device.
std::unique_ptr<QSettings> store()
{
    const QFileInfo file(settingsStoreFile(application()));
    if (file.exists() && !file.isFile())
        return nullptr;
    return openSettingsStore(application());
}

void cannotSave(const QString &where)
{
    qWarning("kavlo: the settings could not be saved to %s", qPrintable(where));
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

void save(bool sound, std::optional<QPoint> position)
{
    const std::unique_ptr<QSettings> opened = store();
    if (!opened) {
        cannotSave(settingsStoreFile(application()));
        return;
    }
    QSettings &s = *opened;
    // A folder that cannot take a new file still lets the file be written in place.
    s.setAtomicSyncRequired(false);
    // A key left unset keeps the value the file holds when it is written;
    // one written in another form than the program's is written anew.
    const QString stored = s.value(SoundKey).toString();
    if (soundSwitched || (stored != QLatin1String("True") && stored != QLatin1String("False")))
        s.setValue(SoundKey, sound ? QStringLiteral("True") : QStringLiteral("False"));
    if (position) {
        s.setValue(XKey, QString::number(position->x()));
        s.setValue(YKey, QString::number(position->y()));
    }
    s.sync();
    // status() keeps its first error: a FormatError from lines that could
    // not be read hides any later one, so the file itself is asked then.
    const QSettings::Status status = s.status();
    if (status == QSettings::AccessError || (status == QSettings::FormatError && !s.isWritable()))
        cannotSave(s.fileName());
}

}  // namespace

Saved load()
{
    Saved saved;
    const std::unique_ptr<QSettings> opened = store();
    if (!opened)
        return saved;
    const QSettings &s = *opened;
    saved.sound = soundSwitch(s).value_or(true);
    const std::optional<int> x = coordinate(s, XKey), y = coordinate(s, YKey);
    if (x && y)
        saved.position = QPoint(*x, *y);
    return saved;
}

void saveSound(bool on)
{
    soundSwitched = true;
    save(on, std::nullopt);
}

void saveOnExit(bool sound, std::optional<QPoint> position)
{
    save(sound, position);
}

}  // namespace Settings
