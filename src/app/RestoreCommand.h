#pragma once
// callstation [--data-dir DIR] restore FILE [--items LIST]
// Refused while a station runs on the data directory.
#include <QStringList>

struct TEnvironment;

int RunRestoreCommand(const TEnvironment& env, const QStringList& args);
