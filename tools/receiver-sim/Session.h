// What script commands act on: a live line to a station, or a dump that only
// prints what would be sent. Replies to the device tools will hang off the
// live session, beside the acknowledgement check.
#pragma once

#include <QByteArray>
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
};

} // namespace sim
