// Where the per-user settings of an application are kept: the one part of
// the settings store that differs between the platforms.
#pragma once

#include <QSettings>

#include <memory>

std::unique_ptr<QSettings> openSettingsStore(const QString &application);
