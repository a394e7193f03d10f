// Prints the frames a script would send ("send ...") and the acknowledgement
// expected for each ("expect ..."), without any line.
#pragma once

#include "Session.h"

#include <random>

namespace sim {

class DumpSession : public Session {
public:
    DumpSession(std::mt19937& random, int noiseBetween);

    std::optional<double> send(const QByteArray& frame) override;
    void sendNoise(int count) override;
    void setSplit(bool) override {}
    void idle(int) override {}
    void awaitInput(int) override {}
    int finish() override { return 0; }
    void changeFaults(const std::function<void(ReplyFaults&)>&) override {}

private:
    std::mt19937& random_;
    int noiseBetween_;
};

} // namespace sim
