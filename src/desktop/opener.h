// Opens a document with the desktop's viewer for its type.
#pragma once

#include <QString>

#include <functional>

class QObject;

using OpenFailed = std::function<void(qint32 error)>;

// Opens fileName from directory and returns at once, without waiting for the
// viewer. When the document cannot be opened, failed is called with a number
// that tells why: 2 when it is not there and 5 when it is not a readable
// file, both before anything is started; 31 when no viewer could be started
// for it, which the desktop may report a moment later, through the event
// loop, as long as context lives.
void openDocument(QObject *context, const QString &directory, const QString &fileName, OpenFailed failed);

// How long a report of the desktop's opener is waited for; a report that
// comes later is the viewer's, once the user has closed it. Tests shorten it.
void setOpenerPatience(int milliseconds);
