// Lines from stdin, each handed over as soon as it is complete, while the
// session keeps watching the line; so a test can drive the simulator step by
// step and strays are reported even while it waits for the next command.
#pragma once

#include <QByteArray>
#include <optional>

namespace sim {

class Session;

class StdinLines {
public:
    // The next line without its newline; none at end of input or on a stop.
    std::optional<QByteArray> next(Session& session);

private:
    QByteArray buffer_;
    bool atEnd_ = false;
};

} // namespace sim
