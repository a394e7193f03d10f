#pragma once
// Sending side of the serial line, as the frame handlers and device tools see it.
#include <cstdint>

class ISerialLine {
public:
    virtual ~ISerialLine() = default;
    // Sends one whole frame; false when the port is closed or the write failed.
    virtual bool SendFrame(const uint8_t* bytes, int n) = 0;
};
