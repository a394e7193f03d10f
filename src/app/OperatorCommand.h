#pragma once
// callstation operator list|add|passwd|permissions|remove: the operator list without the
// station, through the operator windows' rules.
#include <QStringList>

struct TEnvironment;

int RunOperatorCommand(const TEnvironment& env, const QStringList& args);
