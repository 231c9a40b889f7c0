// Start-up and shutdown: the Sound switch and the window's position are
// restored as the window is built and saved whenever the program is left.
#include "panel/kavlo.h"

#include "placement.h"
#include "settings.h"
#include "ver.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>

#include <limits>
#include <optional>

namespace {

const QString App = QStringLiteral("KAVLO");

// A stored coordinate: a decimal 32-bit integer, or nothing.
std::optional<qint32> coordinate(const QString &text)
{
    bool ok = false;
    const qint32 value = text.toInt(&ok, 10);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

bool fits(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}

} // namespace

void kavlo::Form_Load()
{
    // True or False in any case; anything else counts as absent, and the cues are on.
    const QString sound = GetSetting(App, QStringLiteral("sound"), QStringLiteral("a"), QStringLiteral("True"));
    nmuSound->setChecked(sound.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0);

    // Without a usable saved position the window opens where the desktop puts it.
    if (!CanPlaceWindows())
        return;
    const std::optional<qint32> x = coordinate(GetSetting(App, QStringLiteral("Startup"), QStringLiteral("X"), QString()));
    const std::optional<qint32> y = coordinate(GetSetting(App, QStringLiteral("Startup"), QStringLiteral("Y"), QString()));
    if (!x || !y)
        return;
    const QRect normal = GetNormalRect(this);
    if (!fits(qint64(*x) + normal.width()) || !fits(qint64(*y) + normal.height()))
        return;
    SetNormalRect(this, QRect(QPoint(*x, *y), normal.size()));
}

void kavlo::SaveSettings()
{
    SaveSetting(App, QStringLiteral("sound"), QStringLiteral("a"),
                nmuSound->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
    if (!CanPlaceWindows())
        return;
    const QRect normal = GetNormalRect(this);
    SaveSetting(App, QStringLiteral("Startup"), QStringLiteral("X"), QString::number(normal.left()));
    SaveSetting(App, QStringLiteral("Startup"), QStringLiteral("Y"), QString::number(normal.top()));
}

// Form_QueryUnload: every close request saves the settings and goes through.
// An open version dialog stays; the program ends when it is closed too.
void kavlo::closeEvent(QCloseEvent *event)
{
    SaveSettings();
    event->accept();
}

void kavlo::nmuExit_Click()
{
    SaveSettings();
    Ver::Unload();
    // exit(), not quit(): quit() would first ask every window to close,
    // and the close request would save the settings a second time.
    QCoreApplication::exit(0);
}

void kavlo::nmuVer_Click()
{
    Ver::Open(this);
}
