#include "store.h"

#include <QList>

#include <windows.h>

namespace Store {

namespace {

const QString Base = QStringLiteral("Software\\VB and VBA Program Settings\\KAVLO");

const wchar_t *wide(const QString &s)
{
    return reinterpret_cast<const wchar_t *>(s.utf16());
}

}  // namespace

bool exists()
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(Base), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0, values = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return subkeys + values > 0;
}

void remove()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, wide(Base));
}

void write(const QByteArray &ini)
{
    remove();
    QString section;
    for (const QByteArray &line : ini.split('\n')) {
        const QString text = QString::fromUtf8(line);
        const int equals = int(text.indexOf(QLatin1Char('=')));
        if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))) {
            section = text.mid(1, text.size() - 2);
        } else if (equals > 0) {
            const QString name = text.left(equals), data = text.mid(equals + 1);
            RegSetKeyValueW(HKEY_CURRENT_USER, wide(Base + QLatin1Char('\\') + section), wide(name), REG_SZ,
                            data.utf16(), DWORD((data.size() + 1) * sizeof(wchar_t)));
        }
    }
}

// The program's own values, as the INI file keeps them once the program has written them.
QByteArray read()
{
    QByteArray ini;
    auto section = [&ini](const QByteArray &name, std::initializer_list<const char *> keys) {
        QByteArray lines;
        for (const char *key : keys) {
            const QString v = value((name + '/' + key).constData());
            if (!v.isEmpty())
                lines += key + ('=' + v.toUtf8()) + '\n';
        }
        if (!lines.isEmpty())
            ini += '[' + name + "]\n" + lines;
    };
    section("sound", {"a"});
    section("Startup", {"X", "Y"});
    return ini;
}

QString value(const char *key)
{
    const QString k = QString::fromLatin1(key);
    const QString subkey = Base + QLatin1Char('\\') + k.section(QLatin1Char('/'), 0, 0);
    const QString name = k.section(QLatin1Char('/'), 1);
    wchar_t data[256];
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, wide(subkey), wide(name), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return QString();
    return QString::fromWCharArray(data);
}

bool underWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace Store
