#pragma once
// callstation operator list|add|passwd|permissions|remove: the operator list without the
// station, through the operator windows' rules.
#include <QStringList>

int RunOperatorCommand(const QStringList& args);
