// Drives a station over a live line: writes frames (whole or in random pieces,
// with optional noise between them), checks each acknowledgement byte for
// byte, and reports everything else the station sends as unexpected.
#pragma once

#include "sim/Devices.h"
#include "Session.h"

#include <chrono>
#include <random>

namespace sim {

class SerialLine;

class LineSession : public Session {
public:
    LineSession(SerialLine& line, std::mt19937& random, int noiseBetween, int ackTimeoutMs, Devices& devices);

    std::optional<double> send(const QByteArray& frame) override;
    void sendNoise(int count) override;
    void setSplit(bool on) override { split_ = on; }
    void idle(int ms) override;
    void awaitInput(int fd) override;
    int finish() override;
    void changeFaults(const std::function<void(ReplyFaults&)>& change) override { change(devices_.faults); }

private:
    using Clock = std::chrono::steady_clock;

    void write(const QByteArray& bytes);
    // Waits until bytes arrive or the deadline passes, and keeps what arrived.
    void receive(Clock::time_point deadline);
    void receiveUntil(Clock::time_point deadline);
    std::optional<double> awaitAck(const QByteArray& frame, const QByteArray& ack, Clock::time_point written);
    // Keeps what the station sent; the devices answer the commands among it at once.
    void take(const QByteArray& bytes);
    void reportUnexpected(const QByteArray& bytes);
    void reportStrays();

    SerialLine& line_;
    Devices& devices_;
    std::mt19937& random_;
    int noiseBetween_;
    std::chrono::milliseconds ackTimeout_;
    bool split_ = false;
    // Bytes from the station not yet matched to an acknowledgement.
    QByteArray received_;
    Clock::time_point lastReceived_;
    int sent_ = 0;
    int acked_ = 0;
    int mismatched_ = 0;
    int missing_ = 0;
    int unexpected_ = 0;
};

} // namespace sim
