// Help documents on Windows: ShellExecuteW opens them with the viewer that
// the user has for their type.
#include "opener.h"

#include <QDir>
#include <QWidget>

#include <vector>

#include <windows.h>
#include <shellapi.h>

namespace {

const wchar_t *wide(const QString &s)
{
    return reinterpret_cast<const wchar_t *>(s.utf16());
}

// The shell takes no path of MAX_PATH characters or more, so a folder that
// would make one is given in its short form, where the volume keeps short
// names. Only the folder: a document's own short name may end in .HTM.
QString shortForm(const QString &folder)
{
    // The prefix lets the long path through whatever the system's limit.
    const QString prefix = QStringLiteral("\\\\?\\");
    std::vector<wchar_t> buffer(size_t(prefix.size() + folder.size() + 1));
    const DWORD size = GetShortPathNameW(wide(prefix + folder), buffer.data(), DWORD(buffer.size()));
    const QString found = QString::fromWCharArray(buffer.data(), size < buffer.size() ? int(size) : 0);
    return found.startsWith(prefix) ? found.mid(prefix.size()) : folder;
}

}  // namespace

void openDocument(QObject *context, const QString &directory, const QString &fileName, OpenFailed failed)
{
    // The owner window of anything the shell shows while it opens the document.
    const auto *widget = qobject_cast<const QWidget *>(context);
    const HWND owner = widget ? reinterpret_cast<HWND>(widget->window()->winId()) : nullptr;
    QString folder = QDir::toNativeSeparators(directory);
    if (folder.size() + 1 + fileName.size() >= MAX_PATH)
        folder = shortForm(folder);
    // The full path: given a bare name, the shell would search further, along PATH too.
    const QString path = folder + QLatin1Char('\\') + fileName;
    const HINSTANCE result = ShellExecuteW(owner, L"open", wide(path), nullptr, wide(folder), SW_SHOWNORMAL);
    // Greater than 32 once the document has been handed over; otherwise why
    // it could not be. Read as a signed 32-bit number, a negative one is no failure.
    const auto r = qint32(reinterpret_cast<INT_PTR>(result));
    if (r >= 0 && r <= 32)
        failed(r);
}

// The shell answers before ShellExecuteW returns: there is nothing to wait for.
void setOpenerPatience(int)
{}
