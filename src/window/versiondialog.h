// The version dialog: icon, product name, version and credit, with OK. There
// is never more than one; it is modeless and belongs to no other window.
#pragma once

#include <QWidget>

class VersionDialog : public QWidget
{
    Q_OBJECT

public:
    // Opens the dialog, centred over mainWindow when it is created, or brings
    // the open one to the front.
    static void open(const QWidget *mainWindow);
    // Closes and destroys the dialog if it is open.
    static void closeOpen();
    // The open dialog, or null.
    static VersionDialog *instance();

private:
    VersionDialog();
};
