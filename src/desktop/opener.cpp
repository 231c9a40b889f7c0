#include "opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

qint32 openDocument(const QString &directory, const QString &fileName)
{
    const QFileInfo file(directory + QLatin1Char('/') + fileName);
    if (!file.exists())
        return 2;
    if (!file.isFile() || !file.isReadable())
        return 5;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())) ? 33 : 31;
}
