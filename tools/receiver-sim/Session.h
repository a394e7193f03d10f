// What script commands act on: a live line to a station, or a dump that only
// prints what would be sent. On a live line, the emulated devices answer the
// station's tools beside the acknowledgement check.
#pragma once

#include "sim/Devices.h"

#include <QByteArray>
#include <functional>
#include <optional>

namespace sim {

class Session {
public:
    virtual ~Session() = default;

    // Sends bytes that are meant as one frame, valid or not, and checks the
    // acknowledgement the station owes for it, if any. Returns the
    // milliseconds from the last byte written to the complete acknowledgement.
    virtual std::optional<double> send(const QByteArray& frame) = 0;
    virtual void sendNoise(int count) = 0;
    virtual void setSplit(bool on) = 0;
    // Lets time pass; everything the station sends meanwhile is unexpected.
    virtual void idle(int ms) = 0;
    // Returns when fd has input (or a stop was requested), watching the line meanwhile.
    virtual void awaitInput(int fd) = 0;
    // Waits for stragglers, prints the summary and returns the exit status.
    virtual int finish() = 0;
    // Changes how the emulated devices reply from now on (nothing without a line).
    virtual void changeFaults(const std::function<void(ReplyFaults&)>& change) = 0;
};

} // namespace sim
