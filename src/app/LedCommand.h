#pragma once
// callstation [--data-dir DIR] led upload [--address N] [--file FILE]
// callstation [--data-dir DIR] led clock
#include <QStringList>

int RunLedCommand(const QStringList& args);
