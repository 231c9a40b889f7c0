#include "endings.h"

#include "mainwindow.h"
#include "versiondialog.h"
#include "desktop/endrequests.h"

#include <QGuiApplication>

Endings::Endings(MainWindow *window) : QObject(window), m_window(window)
{
    // The session manager may end the program after a logout, or let it run on.
    connect(qApp, &QGuiApplication::commitDataRequest, window, &MainWindow::saveSettings);
    onEndRequest(this, [this] { endRequested(); });
}

// A signal ends the program as the close box ends the window, saving the
// settings on the way; an open version dialog or message box goes with it.
void Endings::endRequested()
{
    if (m_window->isVisible())
        m_window->close();
    VersionDialog::closeOpen();
    QCoreApplication::exit(0);
}
