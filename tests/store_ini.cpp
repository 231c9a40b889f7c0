#include "store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace Store {

namespace {

QString path()
{
    return QSettings(QStringLiteral("KAVLO"), QStringLiteral("KAVLO")).fileName();
}

}  // namespace

bool exists()
{
    return QFile::exists(path());
}

void remove()
{
    QFile::remove(path());
    QDir().rmdir(QFileInfo(path()).path());
}

void write(const QByteArray &ini)
{
    QDir().mkpath(QFileInfo(path()).path());
    QFile f(path());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(ini);
}

QByteArray read()
{
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString value(const char *key)
{
    return QSettings(QStringLiteral("KAVLO"), QStringLiteral("KAVLO")).value(QLatin1String(key)).toString();
}

bool underWine()
{
    return false;
}

}  // namespace Store
