// Round-trip time of the station: frame written to acknowledgement read.
#pragma once

#include <QtGlobal>

namespace sim {

class Session;
struct Header;

// Sends count mid frames one at a time, call and cancel alternately (so calls
// do not pile up at the station; an odd count ends with one unmeasured
// cancel), and prints "latency n=... median_ms=... p99_ms=... max_ms=...".
void measureLatency(Session& session, const Header& header, int count, quint16 address);

} // namespace sim
