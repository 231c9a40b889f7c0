#include "identity.h"
#include "desktop/endrequests.h"
#include "desktop/placement.h"
#include "window/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A session or a terminal may ask the program to end while it is still starting.
    catchEndRequests();
    preferPlaceableWindowSystem();
    QApplication app(argc, argv);
    // The name titles message boxes that have no title of their own. No
    // display name is set: Qt would append it to every window title.
    QApplication::setOrganizationName(QString::fromLatin1(Identity::StoreName));
    QApplication::setApplicationName(QString::fromLatin1(Identity::StoreName));
    MainWindow window;
    window.show();
    return app.exec();
}
