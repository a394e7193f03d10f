// The script language: one command per line, parsed completely before it
// runs, so a bad line is rejected with a message and nothing half-sent.
#pragma once

#include <QString>
#include <functional>

namespace sim {

class Session;
struct Header;

// A parsed command. Frame contents that depend on the moment (the default
// press time) and on earlier commands (header) are filled in when it runs.
using Step = std::function<void(Session&, Header&)>;

// Throws UsageError with the command's usage when the line is not valid.
Step parseCommand(const QString& line);

// One usage line per command, for --help.
QString commandHelp();

} // namespace sim
