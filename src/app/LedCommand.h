#pragma once
// callstation [--data-dir DIR] led upload [--address N] [--file FILE]
// callstation [--data-dir DIR] led clock
#include <QStringList>

struct TEnvironment;

int RunLedCommand(const TEnvironment& env, const QStringList& args);
