#pragma once
// callstation [--data-dir DIR] backup FILE [--items 0,1,2,3,4] [--compress]
#include <QStringList>

struct TEnvironment;

int RunBackupCommand(const TEnvironment& env, const QStringList& args);
