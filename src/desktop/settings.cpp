#include "settings.h"

#include "identity.h"

#include <QSettings>

namespace Settings {

namespace {

const QString SoundKey = QStringLiteral("sound/a");
const QString XKey = QStringLiteral("Startup/X");
const QString YKey = QStringLiteral("Startup/Y");

// The store's name serves as the organisation too: QSettings needs one.
QSettings store()
{
    return QSettings(QString::fromLatin1(Identity::StoreName), QString::fromLatin1(Identity::StoreName));
}

// A stored coordinate: a decimal 32-bit integer, or nothing.
std::optional<int> coordinate(const QSettings &s, const QString &key)
{
    bool ok = false;
    const int value = s.value(key).toString().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

Saved load()
{
    const QSettings s = store();
    Saved saved;
    // True or False in any case; anything else counts as absent, and the cues are on.
    saved.sound = s.value(SoundKey).toString().compare(QLatin1String("False"), Qt::CaseInsensitive) != 0;
    const std::optional<int> x = coordinate(s, XKey), y = coordinate(s, YKey);
    if (x && y)
        saved.position = QPoint(*x, *y);
    return saved;
}

void save(std::optional<bool> sound, std::optional<QPoint> position)
{
    QSettings s = store();
    if (sound)
        s.setValue(SoundKey, *sound ? QStringLiteral("True") : QStringLiteral("False"));
    if (position) {
        s.setValue(XKey, QString::number(position->x()));
        s.setValue(YKey, QString::number(position->y()));
    }
    s.sync();
    if (s.status() != QSettings::NoError)
        qWarning("kavlo: the settings could not be saved to %s", qPrintable(s.fileName()));
}

} // namespace Settings
