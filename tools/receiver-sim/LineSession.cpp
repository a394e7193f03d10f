#include "LineSession.h"

#include "Args.h"
#include "Console.h"
#include "sim/Frames.h"
#include "Noise.h"
#include "SerialLine.h"
#include "Stop.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <stdexcept>

namespace sim {

namespace {

using namespace std::chrono_literals;

// Stray bytes seen while waiting for the next command are reported once the
// line has been quiet this long, so that one stray frame gives one report.
constexpr int kStrayQuietMs = 100;
constexpr auto kStragglerWait = 300ms;
constexpr int kMaxSplitPauseMs = 20;

// "91 01A3": the command and, where the frame carries one, the address.
QString frameLabel(const QByteArray& frame)
{
    QString label = QStringLiteral("%1").arg(quint8(frame.at(5)), 2, 16, QLatin1Char('0')).toUpper();
    const bool hasAddress = (quint8(frame.at(1)) >> 4) != 0 && frame.size() >= 11;
    if (hasAddress)
        label += QLatin1Char(' ') + hexText(frame.mid(7, 2)).remove(QLatin1Char(' '));
    return label;
}

// A delayed reply holds the line back: nothing is read meanwhile, as a slow device would do.
void pauseFor(int ms)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stopRequested() && std::chrono::steady_clock::now() < until)
        ::poll(nullptr, 0, 10);
}

int pollLine(pollfd* fds, int count, int timeoutMs)
{
    const int rc = ::poll(fds, nfds_t(count), timeoutMs);
    if (rc < 0 && errno != EINTR)
        throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
    return rc;
}

} // namespace

LineSession::LineSession(SerialLine& line, std::mt19937& random, int noiseBetween, int ackTimeoutMs,
                         Devices& devices)
    : line_(line), devices_(devices), random_(random), noiseBetween_(noiseBetween), ackTimeout_(ackTimeoutMs)
{
}

std::optional<double> LineSession::send(const QByteArray& frame)
{
    receive(Clock::now());
    reportStrays();
    if (noiseBetween_ > 0)
        sendNoise(std::uniform_int_distribution<int>(0, noiseBetween_)(random_));
    write(frame);
    const Clock::time_point written = Clock::now();
    if (stopRequested())
        return std::nullopt;
    ++sent_;
    if (const auto ack = acknowledgementFor(frame))
        return awaitAck(frame, *ack, written);
    return std::nullopt;
}

void LineSession::sendNoise(int count)
{
    if (count > 0)
        write(noiseBytes(random_, count));
}

void LineSession::idle(int ms)
{
    receiveUntil(Clock::now() + std::chrono::milliseconds(ms));
    reportStrays();
}

void LineSession::awaitInput(int fd)
{
    while (!stopRequested()) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {line_.fd(), POLLIN, 0}};
        const int rc = pollLine(fds, 2, received_.isEmpty() ? -1 : kStrayQuietMs);
        if (rc == 0)
            reportStrays();
        if (rc <= 0)
            continue;
        if (fds[1].revents != 0)
            take(line_.readWaiting());
        if (fds[0].revents != 0)
            return;
    }
}

int LineSession::finish()
{
    if (!stopRequested())
        receiveUntil(Clock::now() + kStragglerWait);
    reportStrays();
    say(QStringLiteral("sim: sent=%1 acked=%2 mismatched=%3 missing=%4 unexpected=%5")
            .arg(sent_)
            .arg(acked_)
            .arg(mismatched_)
            .arg(missing_)
            .arg(unexpected_));
    return mismatched_ == 0 && missing_ == 0 && unexpected_ == 0 ? 0 : 1;
}

void LineSession::write(const QByteArray& bytes)
{
    if (!split_) {
        line_.write(bytes);
        return;
    }
    qsizetype done = 0;
    while (done < bytes.size() && !stopRequested()) {
        const int piece = std::uniform_int_distribution<int>(1, int(bytes.size() - done))(random_);
        if (!line_.write(bytes.mid(done, piece)))
            return;
        done += piece;
        if (done < bytes.size()) {
            const int pauseMs = std::uniform_int_distribution<int>(1, kMaxSplitPauseMs)(random_);
            receiveUntil(Clock::now() + std::chrono::milliseconds(pauseMs));
        }
    }
}

void LineSession::receive(Clock::time_point deadline)
{
    const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd fds[1] = {{line_.fd(), POLLIN, 0}};
    if (pollLine(fds, 1, int(std::max<qint64>(0, remaining.count()))) <= 0)
        return;
    take(line_.readWaiting());
    lastReceived_ = Clock::now();
}

void LineSession::take(const QByteArray& bytes)
{
    received_ += bytes;
    for (QByteArray reply : devices_.take(received_)) {
        if (!devices_.applyFaults(reply))
            continue;
        if (devices_.faults.delayMs > 0)
            pauseFor(devices_.faults.delayMs);
        line_.write(reply);
    }
}

void LineSession::receiveUntil(Clock::time_point deadline)
{
    while (!stopRequested() && Clock::now() < deadline)
        receive(deadline);
}

std::optional<double> LineSession::awaitAck(const QByteArray& frame, const QByteArray& ack,
                                            Clock::time_point written)
{
    const Clock::time_point deadline = written + ackTimeout_;
    lastReceived_ = written;
    for (;;) {
        // The acknowledgement may arrive in pieces and after other bytes:
        // search everything received so far.
        const qsizetype at = received_.indexOf(ack);
        if (at >= 0) {
            reportUnexpected(received_.first(at));
            received_.remove(0, at + ack.size());
            ++acked_;
            say(QStringLiteral("ACK OK ") + frameLabel(frame));
            return std::chrono::duration<double, std::milli>(lastReceived_ - written).count();
        }
        if (stopRequested())
            return std::nullopt;
        if (Clock::now() >= deadline)
            break;
        receive(deadline);
    }
    if (received_.isEmpty()) {
        ++missing_;
        say(QStringLiteral("ACK MISSING ") + hexText(ack));
    } else {
        ++mismatched_;
        say(QStringLiteral("ACK MISMATCH expected %1 got %2").arg(hexText(ack), hexText(received_)));
        received_.clear();
    }
    return std::nullopt;
}

void LineSession::reportUnexpected(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    ++unexpected_;
    say(QStringLiteral("UNEXPECTED ") + hexText(bytes));
}

void LineSession::reportStrays()
{
    reportUnexpected(received_);
    received_.clear();
}

} // namespace sim
