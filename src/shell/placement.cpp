#include "placement.h"

#include <QGuiApplication>
#include <QWidget>

bool CanPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void PreferPlaceableWindowSystem()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

QRect GetNormalRect(const QWidget *window)
{
    // A minimised window keeps its frame geometry, so this is also where it
    // comes back to.
    return window->frameGeometry();
}

void SetNormalRect(QWidget *window, const QRect &rect)
{
    window->move(rect.topLeft());
}
