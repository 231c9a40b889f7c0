// Help documents on Windows: ShellExecuteW opens them with the viewer that
// the user has for their type.
#include "opener.h"

#include <QDir>
#include <QWidget>

#include <windows.h>
#include <shellapi.h>

void openDocument(QObject *context, const QString &directory, const QString &fileName, OpenFailed failed)
{
    // The owner window of anything the shell shows while it opens the document.
    const auto *widget = qobject_cast<const QWidget *>(context);
    const HWND owner = widget ? reinterpret_cast<HWND>(widget->window()->winId()) : nullptr;
    const QString nativeDirectory = QDir::toNativeSeparators(directory);
    // The bare name, resolved against the program's directory by the shell.
    const HINSTANCE result = ShellExecuteW(owner, L"open", reinterpret_cast<const wchar_t *>(fileName.utf16()), nullptr,
                                           reinterpret_cast<const wchar_t *>(nativeDirectory.utf16()), SW_SHOWNORMAL);
    // Greater than 32 once the document has been handed over; otherwise why
    // it could not be. Read as a signed 32-bit number, a negative one is no failure.
    const auto r = qint32(reinterpret_cast<INT_PTR>(result));
    if (r >= 0 && r <= 32)
        failed(r);
}

// The shell answers before ShellExecuteW returns: there is nothing to wait for.
void setOpenerPatience(int)
{}
