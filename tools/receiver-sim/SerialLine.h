// The simulator's end of the serial line: the master side of a
// pseudo-terminal or a real serial device, raw at 9600 8N1.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace sim {

class SerialLine {
public:
    // Both throw std::runtime_error with the reason when the line cannot be opened.
    static std::unique_ptr<SerialLine> openPty();
    static std::unique_ptr<SerialLine> openDevice(const QString& path);
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    int fd() const { return fd_; }
    // The device the station opens: the pty slave, or the device itself.
    QString stationPath() const { return stationPath_; }

    // Writes all bytes and, on a real device, waits until they have left the
    // UART. Returns false when a stop signal interrupted it; throws on errors.
    bool write(const QByteArray& bytes);
    // Reads what is waiting (call when poll reports input); throws on errors.
    QByteArray readWaiting();

private:
    SerialLine(int fd, int heldSlaveFd, QString stationPath, bool isDevice);

    int fd_;
    // Kept open so that the station closing its end never leaves the master
    // without a slave (reads would fail with EIO until it reopens).
    int heldSlaveFd_;
    QString stationPath_;
    bool isDevice_;
};

} // namespace sim
