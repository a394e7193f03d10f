#include "app/DemoReceiver.h"

#include "calls/DutyLookup.h"
#include "comm/FrameEnvelope.h"
#include "core/DataStore.h"
#include "core/Failure.h"
#include "devices/MemoryImage.h"
#include "sim/Frames.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>

// The pseudo-terminal is a Unix device: elsewhere the demo says it has none.
#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

const uint8_t CallKeys[] = {11, 12, 13};

constexpr int PaceMs = 250;
constexpr int MinCallGapMs = 3000, MaxCallGapMs = 6000;
constexpr int MinCancelDelayMs = 5000, MaxCancelDelayMs = 45000;
// Frames whose acknowledgement is still awaited; older ones are given up.
constexpr size_t MaxAwaited = 64;
// More unread bytes than this on the station's side means nobody is reading them.
constexpr int StaleInputBytes = 2048;
// The demo's configuration memory, what the memory copy tool reads and writes:
// parameters a unit could carry (each number its lowest but one, each choice
// its first), then other settings.
constexpr int DemoMemoryBytes = 256;

QByteArray DemoMemory(quint32 seed)
{
    QRandomGenerator rng(seed ^ 0x5EEDu);
    QByteArray bytes(DemoMemoryBytes, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(rng.bounded(256));
    for (const TMemoryParam& param : MemoryParams) {
        const int value = param.Kind == TParamKind::Number ? std::min(param.Min + 1, param.Max) : 0;
        bytes[param.Offset] = char(ParamByte(param, value));
    }
    return bytes;
}

// An unnamed variable frame: address, key, time and the six unused bytes.
QByteArray VarFrame(uint16_t address, uint8_t key, const QTime& t)
{
    return sim::varCallFrame({}, address, key, sim::bcdOf(t), {}, {});
}

uint16_t AddressOf(const uint8_t* frame)
{
    return uint16_t(frame[7] << 8 | frame[8]);
}


QString SystemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace

QByteArray DemoCallFrame(uint16_t address, uint8_t key, const QTime& t, bool variable)
{
    return variable ? VarFrame(address, key, t) : sim::midFrame({}, sim::kMidCall, 0, address, key, sim::bcdOf(t));
}

QByteArray DemoCancelFrame(uint16_t address, uint8_t cancelUnit, const QTime& t, bool variable)
{
    return variable ? VarFrame(address, sim::kVarCancelKey, t)
                    : sim::midFrame({}, sim::kMidCancel, cancelUnit, address, sim::kVarCancelKey, sim::bcdOf(t));
}

TDemoReceiver::TDemoReceiver(quint32 seed, QObject* parent)
    : QObject(parent), rng_(seed), devices_(sim::DeviceOptions{true, true, DemoMemory(seed), {}})
{
    pacer_.setInterval(PaceMs);
    connect(&pacer_, &QTimer::timeout, this, &TDemoReceiver::Pace);
    clock_.start();
}

TDemoReceiver::~TDemoReceiver()
{
    readable_.reset();
#if defined(Q_OS_UNIX)
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
#endif
}

bool TDemoReceiver::Open(QString* error)
{
    if (master_ >= 0)
        return true;
#if !defined(Q_OS_UNIX)
    return Fail(error, QStringLiteral("The demo receiver needs a pseudo-terminal, which this system does not have."));
#else
    if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return Fail(error, SystemError("cannot open a pseudo-terminal"));
    }
    termios mode{};
    char name[128] = {};
    if (::tcgetattr(slave_, &mode) != 0 || (::cfmakeraw(&mode), ::tcsetattr(slave_, TCSANOW, &mode)) != 0 ||
        ::fcntl(master_, F_SETFL, O_NONBLOCK) != 0 || ::fcntl(master_, F_SETFD, FD_CLOEXEC) != 0 ||
        ::fcntl(slave_, F_SETFD, FD_CLOEXEC) != 0 || ::ptsname_r(master_, name, sizeof name) != 0) {
        const QString why = SystemError("cannot set up the pseudo-terminal");
        ::close(master_);
        ::close(slave_);
        master_ = slave_ = -1;
        return Fail(error, why);
    }
    devicePath_ = QString::fromLocal8Bit(name);
    readable_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this, &TDemoReceiver::DrainMaster);
    return true;
#endif
}

bool TDemoReceiver::Start(TDM_Sys& store, QString* error)
{
    if (master_ < 0)
        return Fail(error, QStringLiteral("The demo receiver's pseudo-terminal is not open."));
    if (!ReadTargets(store, error))
        return false;
    if (addresses_.empty())
        return Fail(error, QStringLiteral("There is no call point on any layout for the demo receiver to call from."));
    ScheduleNextCall();
    pacer_.start();
    return true;
}

void TDemoReceiver::Stop()
{
    pacer_.stop();
    cancels_.clear();
}

bool TDemoReceiver::ReadTargets(TDM_Sys& store, QString* error)
{
    TQuery q(store);
    q.SetSQL(QStringLiteral("select distinct Address from LayOutPoint order by Address"));
    if (!q.Open())
        return Fail(error, q.LastError());
    addresses_.clear();
    for (q.First(); !q.Eof(); q.Next())
        addresses_.push_back(uint16_t(q.FieldAsInteger(QStringLiteral("Address"))));

    // Duty rows name their waiter; the waiter's row names the cancel unit he carries.
    q.SetSQL(QStringLiteral("select d.Addr as Addr, d.STime as STime, d.ETime as ETime, w.CancelAddr as CancelAddr "
                            "from DutyTable d join Waiter w on w.Name = d.Name"));
    if (!q.Open())
        return Fail(error, q.LastError());
    roster_.clear();
    for (q.First(); !q.Eof(); q.Next()) {
        const int unit = q.FieldAsInteger(QStringLiteral("CancelAddr"));
        if (unit < 1 || unit > 0xFF)
            continue;   // no cancel unit a frame can name
        roster_.push_back({uint16_t(q.FieldAsInteger(QStringLiteral("Addr"))), q.FieldAsTime(QStringLiteral("STime")),
                           q.FieldAsTime(QStringLiteral("ETime")), uint8_t(unit)});
    }
    return true;
}

void TDemoReceiver::ScheduleNextCall()
{
    nextCallMs_ = clock_.elapsed() + rng_.bounded(MinCallGapMs, MaxCallGapMs + 1);
}

void TDemoReceiver::Pace()
{
    const qint64 now = clock_.elapsed();
    if (now >= nextCallMs_) {
        SendCall();
        ScheduleNextCall();
    }
    const auto due = std::stable_partition(cancels_.begin(), cancels_.end(),
                                           [now](const TPendingCancel& c) { return c.DueMs > now; });
    const std::vector<TPendingCancel> ready(due, cancels_.end());
    cancels_.erase(due, cancels_.end());
    for (const TPendingCancel& c : ready)
        SendCancel(c.Address);
}

void TDemoReceiver::SendCall()
{
    if (addresses_.empty())
        return;
    const uint16_t address = addresses_[rng_.bounded(quint32(addresses_.size()))];
    const uint8_t key = CallKeys[rng_.bounded(quint32(std::size(CallKeys)))];
    const bool variable = rng_.bounded(2) == 1;
    Send(DemoCallFrame(address, key, QTime::currentTime(), variable));
    // Two calls in three are served; the rest run into the time-out.
    if (rng_.bounded(3) < 2)
        cancels_.push_back({clock_.elapsed() + rng_.bounded(MinCancelDelayMs, MaxCancelDelayMs + 1), address});
}

void TDemoReceiver::SendCancel(uint16_t address)
{
    const QTime now = QTime::currentTime();
    const bool variable = rng_.bounded(2) == 1;
    Send(DemoCancelFrame(address, CancelUnitOnDuty(address, now), now, variable));
}

uint8_t TDemoReceiver::CancelUnitOnDuty(uint16_t address, const QTime& now) const
{
    for (const TDuty& d : roster_) {
        if (d.Address == address && DutyCovers(d.Start, d.End, now))
            return d.CancelUnit;
    }
    return 0;
}

bool TDemoReceiver::WriteLine(const QByteArray& bytes)
{
    // With the station's port closed nobody reads the line; old traffic is worthless
    // and must not fill the line up so far that a frame goes out in pieces.
#if defined(Q_OS_UNIX)
    int unread = 0;
    if (::ioctl(slave_, FIONREAD, &unread) == 0 && unread > StaleInputBytes)
        ::tcflush(slave_, TCIFLUSH);
    return ::write(master_, bytes.constData(), size_t(bytes.size())) == bytes.size();
#else
    return false;
#endif
}

void TDemoReceiver::Send(const QByteArray& frame)
{
    if (!WriteLine(frame))
        return;
    ++framesSent_;
    const auto* bytes = reinterpret_cast<const uint8_t*>(frame.constData());
    awaited_.push_back({int(frame.size()), uint8_t(0xA0 | (bytes[5] & 0x0F)), AddressOf(bytes)});
    if (awaited_.size() > MaxAwaited)
        awaited_.pop_front();
}

void TDemoReceiver::DrainMaster()
{
#if defined(Q_OS_UNIX)
    uint8_t buffer[512];
    ssize_t n;
    while ((n = ::read(master_, buffer, sizeof buffer)) > 0) {
        ring_.CopyReceivedBytes(buffer, int(n));
        sync_.ParseRecvData();
        AnswerDevices(buffer, int(n));
    }
#endif
}

void TDemoReceiver::AnswerDevices(const uint8_t* bytes, int n)
{
    deviceInput_.append(reinterpret_cast<const char*>(bytes), n);
    for (const QByteArray& reply : devices_.take(deviceInput_))
        WriteLine(reply);
    // Acknowledgements stay behind; only the last frame's worth can still begin a command.
    if (deviceInput_.size() > Frame::MaxLength)
        deviceInput_.remove(0, deviceInput_.size() - Frame::MaxLength);
}

void TDemoReceiver::HandleMidFrame(const uint8_t* frame)
{
    if (Frame::IsValid(frame, Frame::MidLength))
        MatchAck(frame, Frame::MidLength);
}

void TDemoReceiver::HandleVarFrame(const uint8_t* frame, int n)
{
    if (n >= Frame::VarOverhead + 2 && Frame::IsValid(frame, n))
        MatchAck(frame, n);
}

void TDemoReceiver::MatchAck(const uint8_t* frame, int n)
{
    const auto it = std::find_if(awaited_.begin(), awaited_.end(), [&](const TAwaitedAck& a) {
        return a.Length == n && a.Command == frame[5] && a.Address == AddressOf(frame);
    });
    if (it == awaited_.end())
        return;
    awaited_.erase(it);
    ++acksMatched_;
}
