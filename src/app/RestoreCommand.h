#pragma once
// callstation [--data-dir DIR] restore FILE [--items LIST]
// Refused while a station runs on the data directory.
#include <QStringList>

int RunRestoreCommand(const QStringList& args);
