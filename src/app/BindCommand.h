#pragma once
// callstation [--data-dir DIR] bind button [--address N] [--button DDDD] [--code HHHHHH] [--tone N]
//                                          [--group N] [--pager N] [--alarm] [--text TEXT]
// callstation [--data-dir DIR] bind key [--address N] [--key N] [--text TEXT]
#include <QStringList>

struct TEnvironment;

int RunBindCommand(const TEnvironment& env, const QStringList& args);
