// A symbolic link to the pty slave (for a fixed port name in the station's
// settings), removed again when the simulator ends.
#pragma once

#include <QString>

namespace sim {

class SlaveLink {
public:
    // Replaces an older link at linkPath; throws std::runtime_error when
    // linkPath is something other than a link or the link cannot be made.
    SlaveLink(QString linkPath, QString target);
    ~SlaveLink();
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

private:
    QString linkPath_;
    QString target_;
};

} // namespace sim
