// Opens a document with the desktop's viewer for its type.
#pragma once

#include <QString>

// Opens fileName from directory and returns at once, without waiting for the
// viewer. The result is above 32 when the document was handed to a viewer,
// or tells why not: 2 when it is not there, 5 when it is not a readable file,
// 31 when no viewer could be started for it.
qint32 openDocument(const QString &directory, const QString &fileName);
