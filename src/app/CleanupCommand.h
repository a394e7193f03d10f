#pragma once
// callstation [--data-dir DIR] cleanup --through yyyy-MM-dd
// Deletes every call up to and including that day; asks nothing (for scripts).
#include <QStringList>

struct TEnvironment;

int RunCleanupCommand(const TEnvironment& env, const QStringList& args);
