// The devices on the receiver's line that the station's tools talk to: an
// LED display, a configuration memory and a binding target. Each takes the
// station's command frames, decoded here from the line protocol alone, keeps
// what it was sent, prints it, and answers as a device would. Faults can be
// set to test the station's time-outs and stray-reply rules.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace sim {

// Changes to the replies, applied one reply at a time.
struct ReplyFaults {
    int drop = 0;        // the next N replies are not sent
    int delayMs = 0;     // every reply waits this long
    int misaddress = 0;  // the next N block replies name the block after the one asked for
};

struct DeviceOptions {
    bool led = false;
    bool bind = false;
    std::optional<QByteArray> memory;  // the configuration memory's content, when there is one
    std::function<void(const QString&)> report;  // takes a line for each command taken, when set
};

class Devices {
public:
    explicit Devices(DeviceOptions options) : options_(std::move(options)) {}

    // Takes every whole command frame for an emulated device out of bytes (what the station sent;
    // anything else stays) and returns the replies owed, in order, before faults.
    std::vector<QByteArray> take(QByteArray& bytes);
    // Applies the faults to one reply: false when it is dropped; misaddressed block replies are changed.
    bool applyFaults(QByteArray& reply);

    ReplyFaults faults;
    const std::optional<QByteArray>& memory() const { return options_.memory; }

private:
    // Each takes a well-formed frame meant for its device and adds the reply owed, if any; false when
    // the frame is not one of its commands, or not as that command must be.
    bool led(const QByteArray& frame, std::vector<QByteArray>& replies);
    bool memoryCommand(const QByteArray& frame, std::vector<QByteArray>& replies);
    bool binding(const QByteArray& frame, std::vector<QByteArray>& replies);

    void say(const QString& line) const;

    DeviceOptions options_;
};

} // namespace sim
