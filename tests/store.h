// The program's settings store as the tests see it, read and written apart
// from the program's own code: the INI file on Linux, the registry on Windows.
#pragma once

#include <QByteArray>
#include <QString>

namespace Store {

// Whether the store holds anything. (QSettings makes the empty registry key
// as it first reads from it.)
bool exists();
void remove();
// Replaces the store with what INI text holds: on Windows, each key a string value.
void write(const QByteArray &ini);
// The store as INI text.
QByteArray read();
// One value by "section/key"; empty when it is absent or not a string.
QString value(const char *key);

// Whether this runs under Wine, which reports a window made off the screen's
// left edge a few pixels to the right of where it stands.
bool underWine();

}  // namespace Store
