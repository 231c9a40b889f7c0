// Where the per-user settings of an application are kept: the one part of
// the settings store that differs between the platforms.
#pragma once

#include <QSettings>

#include <memory>

// The file that holds the store; empty where the store is no file.
QString settingsStoreFile(const QString &application);

std::unique_ptr<QSettings> openSettingsStore(const QString &application);
