// Report lines go to stdout one at a time and flushed, so that a test driving
// the simulator sees each result as soon as it is known.
#pragma once

#include <QString>

namespace sim {

void say(const QString& line);
// A message on stderr, prefixed with the program's name.
void warn(const QString& message);

} // namespace sim
