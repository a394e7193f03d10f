#include "SerialLine.h"

#include "Stop.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

[[noreturn]] void fail(const QString& what)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno))).toStdString());
}

termios rawSettings()
{
    termios settings {};
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    return settings;
}

} // namespace

SerialLine::SerialLine(int fd, int heldSlaveFd, QString stationPath, bool isDevice)
    : fd_(fd), heldSlaveFd_(heldSlaveFd), stationPath_(std::move(stationPath)), isDevice_(isDevice)
{
}

SerialLine::~SerialLine()
{
    if (heldSlaveFd_ >= 0)
        ::close(heldSlaveFd_);
    ::close(fd_);
}

std::unique_ptr<SerialLine> SerialLine::openPty()
{
    int master = -1;
    int slave = -1;
    termios settings = rawSettings();
    // Raw on the slave matters most: an echoing slave would send every frame
    // straight back to us before the station has even opened the port.
    if (::openpty(&master, &slave, nullptr, &settings, nullptr) != 0)
        fail(QStringLiteral("cannot open a pseudo-terminal"));
    termios masterSettings = rawSettings();
    ::tcsetattr(master, TCSANOW, &masterSettings);
    const char* name = ::ttyname(slave);
    if (!name) {
        ::close(master);
        ::close(slave);
        fail(QStringLiteral("cannot name the pseudo-terminal"));
    }
    return std::unique_ptr<SerialLine>(new SerialLine(master, slave, QString::fromLocal8Bit(name), false));
}

std::unique_ptr<SerialLine> SerialLine::openDevice(const QString& path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        fail(QStringLiteral("cannot open %1").arg(path));
    termios settings = rawSettings();
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        fail(QStringLiteral("cannot set %1 to 9600 8N1 raw").arg(path));
    }
    ::tcflush(fd, TCIOFLUSH);
    return std::unique_ptr<SerialLine>(new SerialLine(fd, -1, path, true));
}

bool SerialLine::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno != EINTR)
                fail(QStringLiteral("write to %1").arg(stationPath_));
            if (stopRequested())
                return false;
            continue;
        }
        done += n;
    }
    while (isDevice_ && ::tcdrain(fd_) != 0) {
        if (errno != EINTR)
            fail(QStringLiteral("drain %1").arg(stationPath_));
        if (stopRequested())
            return false;
    }
    return true;
}

QByteArray SerialLine::readWaiting()
{
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0)
            return QByteArray(buffer, n);
        if (n == 0)
            throw std::runtime_error(QStringLiteral("%1 closed").arg(stationPath_).toStdString());
        if (errno != EINTR && errno != EAGAIN)
            fail(QStringLiteral("read from %1").arg(stationPath_));
        if (errno == EAGAIN || stopRequested())
            return {};
    }
}

} // namespace sim
