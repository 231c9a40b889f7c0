// Endings that do not come through the window's close box or 終了: a logout,
// the signals of a session, a shutdown or a terminal, and the display server
// going away, which leaves no chance to save at all.
#include "mainwindow.h"

#include "versiondialog.h"
#include "desktop/endrequests.h"

#include <QAction>
#include <QApplication>
#include <QSessionManager>

void MainWindow::watchEndings()
{
    // Saved as it changes, the Sound switch outlives even a display server
    // that goes away; the position is saved whenever the program is left.
    connect(m_soundAction, &QAction::triggered, this, &MainWindow::soundSwitched);
    // The session manager may end the program after a logout, or let it run on.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &MainWindow::writeSettings);
    onEndRequest(this, [this] { endRequested(); });
}

// A signal ends the program as the close box ends the window, saving the
// settings on the way; an open version dialog or message box goes with it.
void MainWindow::endRequested()
{
    if (isVisible())
        close();
    VersionDialog::closeOpen();
    QCoreApplication::exit(0);
}
