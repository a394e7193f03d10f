#pragma once
// The environment of a test's own data directory: its paths, the settings of its Config.ini
// (defaults when there is none) and the ISO date formats of a simplified Chinese system.
#include "core/Environment.h"

inline TEnvironment TestEnvironment(const QString& dataDir) { return MakeEnvironment(dataDir, true); }
