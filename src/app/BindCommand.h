#pragma once
// callstation [--data-dir DIR] bind button [--address N] [--button DDDD] [--code HHHHHH] [--tone N]
//                                          [--group N] [--pager N] [--alarm] [--text TEXT]
// callstation [--data-dir DIR] bind key [--address N] [--key N] [--text TEXT]
#include <QStringList>

int RunBindCommand(const QStringList& args);
