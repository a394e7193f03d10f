#pragma once
// callstation [--data-dir DIR] central init|push [--connect CONNINFO]
// init: creates or brings up to date the central database's tables. push: sends the call log to it
// (calls already there are kept). The server is [Central] Connect= of Config.ini, or CONNINFO.
#include <QStringList>

struct TEnvironment;

int RunCentralCommand(const TEnvironment& env, const QStringList& args);
