// SIGINT and SIGTERM only raise a flag; every wait checks it, so the
// simulator stops at the next wait, reports and removes its link.
#pragma once

namespace sim {

void installStopHandlers();
bool stopRequested();

} // namespace sim
