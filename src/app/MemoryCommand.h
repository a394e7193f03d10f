#pragma once
// callstation [--data-dir DIR] memory read FILE [--address N]
// callstation [--data-dir DIR] memory write FILE [--address N]
#include <QStringList>

struct TEnvironment;

int RunMemoryCommand(const TEnvironment& env, const QStringList& args);
