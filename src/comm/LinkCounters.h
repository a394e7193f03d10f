#pragma once
// What the receive path took in and what it made of it, so that a station whose
// buttons "do nothing" shows whether bytes arrive, frames are broken or the
// acknowledgements do not leave.
#include <QString>
#include <atomic>
#include <cstdint>

// One counter with one writer (the thread that runs the receive path, the window
// thread today), read from any thread. The writer's increment is a plain load and
// store: no locked instruction on the receive path.
class TLinkCounter {
public:
    void Add(uint64_t n = 1) { value_.store(value_.load(std::memory_order_relaxed) + n, std::memory_order_relaxed); }
    // Takes back what was counted too early (acknowledgements held back that then failed).
    void Subtract(uint64_t n) { value_.store(value_.load(std::memory_order_relaxed) - n, std::memory_order_relaxed); }
    uint64_t Value() const { return value_.load(std::memory_order_relaxed); }

private:
    std::atomic<uint64_t> value_{0};
};

// The counters of one line since the station started.
struct TLinkCounts {
    uint64_t Received = 0;   // bytes read from the port
    uint64_t Skipped = 0;    // bytes the synchroniser threw away while hunting, or lost to a full ring
    uint64_t Frames = 0;     // whole frames with a valid checksum and end byte
    uint64_t Dropped = 0;    // whole frames dropped for their checksum or end byte
    uint64_t Acks = 0;       // acknowledgements written
    uint64_t AckFailed = 0;  // acknowledgements the port did not take
    bool operator==(const TLinkCounts&) const = default;
};

class TRecvRing;
class TFrameSync;
class TFrameHandler;

// The counts as the ring, the synchroniser and the handler of one line hold them.
TLinkCounts ReadLinkCounts(const TRecvRing& ring, const TFrameSync& sync, const TFrameHandler& handler);

// "link counters: received=N skipped=N frames=N dropped=N acks=N ackfailed=N"
QString LinkCountsLine(const TLinkCounts& counts);
