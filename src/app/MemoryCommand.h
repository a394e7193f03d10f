#pragma once
// callstation [--data-dir DIR] memory read FILE [--address N]
// callstation [--data-dir DIR] memory write FILE [--address N]
#include <QStringList>

int RunMemoryCommand(const QStringList& args);
