#pragma once
// The receive ring: bytes from the serial port wait here until the frame
// synchroniser cuts them into frames. Both run on the window thread.
#include "comm/LinkCounters.h"

#include <cstdint>
#include <functional>

constexpr int RecvRingSize = 10240;

class TRecvRing {
public:
    // Stores the bytes, oldest first, overwriting the oldest unread bytes when
    // more arrive than the ring holds (they are counted in Lost, and reading goes on
    // from the oldest byte kept); then wakes the worker (also for n == 0).
    void CopyReceivedBytes(const uint8_t* bytes, int n);

    // Copies count bytes from readIndex into dst in one piece, also across the
    // ring's end. False, and nothing copied, when fewer are available.
    bool ReadRing(uint8_t* dst, int count, int readIndex, int writeIndex) const;

    static int Available(int readIndex, int writeIndex);
    uint8_t At(int index) const { return RecvRing[index]; }

    int RecvWriteIndex = 0;  // moved only by CopyReceivedBytes
    int RecvReadIndex = 0;   // moved by the synchroniser, and past overwritten bytes
    TLinkCounter Received;   // bytes stored, overwritten ones included
    TLinkCounter Lost;       // unread bytes overwritten before the synchroniser came to them

    // Pulses the receive event; set by the station.
    std::function<void()> OnBytesStored;

private:
    uint8_t RecvRing[RecvRingSize] = {};
};
