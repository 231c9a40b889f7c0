#include "placement.h"

#include <QGuiApplication>
#include <QWidget>

bool canPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void preferPlaceableWindowSystem()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

QRect normalRect(const QWidget *window)
{
    // A minimised window keeps its frame geometry, so this is also where it
    // comes back to.
    return window->frameGeometry();
}

void setNormalRect(QWidget *window, const QRect &rect)
{
    window->move(rect.topLeft());
}
