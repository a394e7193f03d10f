#pragma once
// callstation history [--from D] [--to D] [--area A] [--position P] [--type T]
//   [--server NAME] [--state all|answered|timeout] [--handler NAME]
//   [--service-time MIN-MAX] [--out FILE]
#include <QStringList>

struct TEnvironment;

int RunHistoryCommand(const TEnvironment& env, const QStringList& args);
