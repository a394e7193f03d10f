#pragma once
// The frame synchroniser: hunts for the sync byte in the receive ring,
// recognises the frame class, waits for the whole frame and hands it on.
#include "comm/LinkCounters.h"
#include "comm/RecvRing.h"

#include <cstdint>

// Receivers of whole frames, one per frame class. The buffer is valid only
// during the call.
class IFrameHandlers {
public:
    virtual ~IFrameHandlers() = default;
    virtual void HandleShortFrame(const uint8_t* frame) = 0;
    virtual void HandleMidFrame(const uint8_t* frame) = 0;
    virtual void HandleVarFrame(const uint8_t* frame, int n) = 0;
};

enum class TSyncState : uint8_t { Hunt = 0, ShortFrame = 1, MidFrame = 2, VarFrame = 3 };

class TFrameSync {
public:
    TFrameSync(TRecvRing& ring, IFrameHandlers& handlers) : ring_(ring), handlers_(handlers) {}

    // Consumes every whole frame and all garbage up to the bytes stored when
    // the run began; a partial frame waits, sync byte first, for the next run.
    void ParseRecvData();

    TSyncState SyncState = TSyncState::Hunt;
    uint8_t VarFrameLength = 0;
    // Bytes thrown away while hunting: noise, and sync bytes of no known class or
    // with a length past the frame buffer. Whole frames, valid or not, are not counted.
    TLinkCounter Skipped;

private:
    // Hands a whole frame of length n at r to its handler; false when it has not all arrived.
    bool TakeFrame(int& r, int w, int n);

    TRecvRing& ring_;
    IFrameHandlers& handlers_;
    uint64_t lostSeen_ = 0;  // the ring's Lost when the last run began
    uint8_t frame_[256] = {};
};
