#pragma once
// Feeding bytes from the line into the ring as the port would: in chunks of
// 1 to 64 bytes from a small generator seeded by the input, running the
// synchroniser after each chunk.
#include "comm/FrameEnvelope.h"
#include "comm/FrameSync.h"
#include "comm/RecvRing.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

struct Chunks {
    uint32_t state;
    int Next() { return static_cast<int>((state = state * 1103515245u + 12345u) >> 16) % 64 + 1; }
};

// The parser always advances: after every run, less than one whole frame waits.
inline void Receive(TRecvRing& ring, TFrameSync& sync, const uint8_t* bytes, size_t size, Chunks& chunks)
{
    for (size_t at = 0; at < size;) {
        const int n = std::min<int>(chunks.Next(), static_cast<int>(size - at));
        ring.CopyReceivedBytes(bytes + at, n);
        at += static_cast<size_t>(n);
        sync.ParseRecvData();
        Require(TRecvRing::Available(ring.RecvReadIndex, ring.RecvWriteIndex) < Frame::MaxLength);
    }
}

// A frame moved to the very end of a heap block of its own, so that a handler
// reading past the frame's length runs into the sanitizer's guard bytes
// instead of the synchroniser's larger frame buffer.
class ExactFrame {
public:
    const uint8_t* Place(const uint8_t* frame, int n)
    {
        uint8_t* at = block_.get() + Frame::MaxLength - n;
        std::copy(frame, frame + n, at);
        return at;
    }

private:
    std::unique_ptr<uint8_t[]> block_ = std::make_unique<uint8_t[]>(Frame::MaxLength);
};
