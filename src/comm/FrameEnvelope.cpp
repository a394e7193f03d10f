#include "comm/FrameEnvelope.h"

namespace Frame {

uint8_t Checksum(const uint8_t* frame, int n)
{
    unsigned sum = 0;
    for (int i = 0; i < n - 2; ++i)
        sum += frame[i];
    return static_cast<uint8_t>(sum);
}

bool IsValid(const uint8_t* frame, int n)
{
    return n >= 2 && frame[n - 1] == End && frame[n - 2] == Checksum(frame, n);
}

void Seal(uint8_t* frame, int n)
{
    frame[n - 2] = Checksum(frame, n);
    frame[n - 1] = End;
}

}  // namespace Frame
