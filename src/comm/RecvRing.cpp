#include "comm/RecvRing.h"

#include <cstring>

void TRecvRing::CopyReceivedBytes(const uint8_t* bytes, int n)
{
    Received.Add(static_cast<uint64_t>(n));
    // The ring keeps at most RecvRingSize - 1 unread bytes (equal indexes mean empty).
    const int overflow = Available(RecvReadIndex, RecvWriteIndex) + n - (RecvRingSize - 1);
    int w = RecvWriteIndex;
    while (n > 0) {
        const int chunk = n < RecvRingSize - w ? n : RecvRingSize - w;
        std::memcpy(RecvRing + w, bytes, static_cast<size_t>(chunk));
        bytes += chunk;
        n -= chunk;
        w = (w + chunk) % RecvRingSize;
    }
    RecvWriteIndex = w;
    if (overflow > 0) {
        Lost.Add(static_cast<uint64_t>(overflow));
        RecvReadIndex = (w + 1) % RecvRingSize;
    }
    if (OnBytesStored)
        OnBytesStored();
}

int TRecvRing::Available(int readIndex, int writeIndex)
{
    return writeIndex >= readIndex ? writeIndex - readIndex : RecvRingSize - readIndex + writeIndex;
}

bool TRecvRing::ReadRing(uint8_t* dst, int count, int readIndex, int writeIndex) const
{
    if (Available(readIndex, writeIndex) < count)
        return false;
    const int first = count < RecvRingSize - readIndex ? count : RecvRingSize - readIndex;
    std::memcpy(dst, RecvRing + readIndex, static_cast<size_t>(first));
    std::memcpy(dst + first, RecvRing, static_cast<size_t>(count - first));
    return true;
}
