// The serial wrapper against real pseudo-terminal pairs made by socat: bytes
// both ways, changes of port, and a device that goes away and comes back (the
// retry timer is moved on by the test, so no test waits for a retry).
#include "comm/SerialPort.h"
#include "support/ManualRetryTimer.h"
#include "support/PumpUntil.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A pseudo-terminal pair made by socat, behind two links; it goes away with the process.
class Socat {
public:
    static bool Installed() { return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty(); }
    bool Start(const QString& station, const QString& peer)
    {
        p_.start("socat", {"pty,raw,echo=0,link=" + station, "pty,raw,echo=0,link=" + peer});
        return p_.waitForStarted(3000) && PumpUntil([&] { return QFile::exists(station) && QFile::exists(peer); });
    }
    // The device is gone: the station's side reads a hang-up, the links disappear.
    void Stop()
    {
        p_.terminate();
        p_.waitForFinished(3000);
    }
    ~Socat() { Stop(); }

private:
    QProcess p_;
};

// Runs the event loop for ms milliseconds, waiting as an idle station does.
void Idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

#define SKIP_WITHOUT_SOCAT()                                                                 \
    if (!Socat::Installed())                                                                 \
    GTEST_SKIP() << "socat is not installed (scripts/setup-deps installs it): no pseudo-terminal pair"

// Hands comm a retry timer that the test moves on.
ManualRetryTimer* ManualRetry(TMSComm& comm)
{
    auto timer = std::make_unique<ManualRetryTimer>();
    ManualRetryTimer* manual = timer.get();
    comm.SetReopenTimer(std::move(timer));
    return manual;
}

double CpuSeconds()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_utime.tv_sec + r.ru_stime.tv_sec + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

class PtyPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_SOCAT();
        ASSERT_TRUE(dir_.isValid());
        a_ = dir_.filePath("station");
        b_ = dir_.filePath("receiver");
        ASSERT_TRUE(socat_.Start(a_, b_));
        OpenPeer();
    }
    void TearDown() override { ClosePeer(); }
    void OpenPeer()
    {
        peer_ = ::open(b_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(peer_, 0);
    }
    // What the peer reads until n bytes have come (or 3 s have passed).
    std::vector<uint8_t> PeerReads(size_t n)
    {
        std::vector<uint8_t> got;
        PumpUntil([&] {
            uint8_t buf[64];
            const ssize_t k = ::read(peer_, buf, sizeof buf);
            if (k > 0)
                got.insert(got.end(), buf, buf + k);
            return got.size() >= n;
        });
        return got;
    }
    void ClosePeer()
    {
        if (peer_ >= 0)
            ::close(peer_);
        peer_ = -1;
    }

    QTemporaryDir dir_;
    QString a_, b_;
    Socat socat_;
    int peer_ = -1;
};

}  // namespace

TEST_F(PtyPair, ReceivesEveryByteInOrderAndSendsWholeFrames)
{
    TMSComm comm;
    std::vector<uint8_t> got;
    comm.OnReceived = [&](const uint8_t* b, int n) { got.insert(got.end(), b, b + n); };
    ASSERT_TRUE(comm.Open(3, a_));
    EXPECT_FALSE(comm.StatusIsError());
    EXPECT_EQ(comm.StatusText(), a_ + " 9600bps 8 1");

    std::vector<uint8_t> sent;
    for (int i = 0; i < 3000; ++i)
        sent.push_back(static_cast<uint8_t>(i * 7));
    for (size_t at = 0; at < sent.size(); at += 500)
        ASSERT_EQ(::write(peer_, sent.data() + at, 500), 500);
    ASSERT_TRUE(PumpUntil([&] { return got.size() >= sent.size(); }));
    EXPECT_EQ(got, sent);

    const uint8_t frame[9] = {0xAA, 0x41, 0x01, 0x02, 0x00, 0xA1, 0x00, 0x8F, 0x55};
    ASSERT_TRUE(comm.SendFrame(frame, 9));
    EXPECT_EQ(PeerReads(9), std::vector<uint8_t>(frame, frame + 9));

    // Held frames stay off the line until released, then leave in order.
    comm.HoldOutput();
    const uint8_t second[9] = {0xAA, 0x41, 0x01, 0x02, 0x00, 0xA2, 0x00, 0x90, 0x55};
    ASSERT_TRUE(comm.SendFrame(second, 9));
    ASSERT_TRUE(comm.SendFrame(frame, 9));
    Idle(200);
    uint8_t none[64];
    EXPECT_LE(::read(peer_, none, sizeof none), 0);
    comm.ReleaseOutput();
    std::vector<uint8_t> both(second, second + 9);
    both.insert(both.end(), frame, frame + 9);
    EXPECT_EQ(PeerReads(18), both);

    comm.Close();
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_FALSE(comm.SendFrame(frame, 9));
}

TEST_F(PtyPair, ChangingThePortReopensOnlyOnADifferentPort)
{
    TMSComm comm;
    int statusChanges = 0;
    QObject::connect(&comm, &TMSComm::StatusChanged, [&] { ++statusChanges; });
    ASSERT_TRUE(comm.Open(1, a_));
    EXPECT_TRUE(comm.ChangePort(1, a_));
    EXPECT_EQ(statusChanges, 1);
    EXPECT_FALSE(comm.ChangePort(2, dir_.filePath("absent")));
    EXPECT_TRUE(comm.StatusIsError());
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_TRUE(comm.ChangePort(4, a_));
    EXPECT_FALSE(comm.StatusIsError());
}

TEST(SerialPort, MissingDeviceLeavesTheStationRunningWithARedStatus)
{
    TMSComm comm;
    EXPECT_FALSE(comm.Open(7, "/nonexistent/ttyX"));
    EXPECT_TRUE(comm.StatusIsError());
    EXPECT_EQ(comm.StatusText(), QString::fromUtf8("/nonexistent/ttyX 打开失败"));
    EXPECT_FALSE(comm.PortOpen());
}

TEST(SerialPort, StatusNamesTheDeviceItOpens)
{
    TMSComm comm;
    EXPECT_FALSE(comm.Open(9, QString()));
#ifdef Q_OS_WIN
    EXPECT_EQ(comm.StatusText(), QString::fromUtf8("COM9 打开失败"));
#else
    EXPECT_EQ(comm.StatusText(), QString::fromUtf8("/dev/ttyS8 打开失败"));
#endif
}

TEST_F(PtyPair, APortHeldByAnotherProgramIsNamedBusy)
{
    TMSComm station;
    ASSERT_TRUE(station.Open(1, a_));
    EXPECT_TRUE(station.OpenFailureText().isEmpty());
    TMSComm tool;
    ASSERT_FALSE(tool.Open(1, a_));
    EXPECT_TRUE(tool.OpenFailureText().startsWith(QString::fromUtf8("串口 ") + a_ + QString::fromUtf8(" 正被占用")))
        << tool.OpenFailureText().toStdString();
}

// Opened by a user outside the device's group, the port says which group to join.
TEST(SerialPort, APortTheUserMayNotUseNamesTheDevicesGroup)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    const group* dialout = getgrnam("dialout");
    ASSERT_NE(dialout, nullptr);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString device = dir.filePath("ttyUSB0");
    struct {
        const char* what;
        mode_t mode;
        QString expected;
    } const cases[] = {
        {"group may use it", 0660,
         QString::fromUtf8("无权使用串口 %1：当前用户须属于设备所属的组 dialout").arg(device)},
        {"only its owner may", 0600, QString::fromUtf8("无权使用串口 %1：").arg(device)},
    };
    for (const auto& c : cases) {
        QFile file(device);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        const QByteArray path = QFile::encodeName(device);
        ASSERT_EQ(::chown(path.constData(), 0, dialout->gr_gid), 0);
        ASSERT_EQ(::chmod(path.constData(), c.mode), 0);

        TMSComm comm;
        ASSERT_EQ(::seteuid(65534), 0);
        const bool opened = comm.Open(1, device);
        const QString why = comm.OpenFailureText();
        ASSERT_EQ(::seteuid(0), 0);
        EXPECT_FALSE(opened) << c.what;
        EXPECT_TRUE(why.startsWith(c.expected)) << c.what << ": " << why.toStdString();
        EXPECT_FALSE(why.contains(QString::fromUtf8("占用"))) << c.what;
    }
}

TEST(SerialPort, DeviceNameFollowsPortNumberUnlessNamed)
{
#ifdef Q_OS_WIN
    EXPECT_EQ(TMSComm::DeviceName(3, QString()), "COM3");
#else
    EXPECT_EQ(TMSComm::DeviceName(1, QString()), "/dev/ttyS0");
    EXPECT_EQ(TMSComm::DeviceName(12, QString()), "/dev/ttyS11");
#endif
    EXPECT_EQ(TMSComm::DeviceName(1, " /dev/pts/7 "), "/dev/pts/7");
}

TEST_F(PtyPair, AVanishedDeviceTurnsRedAtOnceAndIsReopenedWithoutSpinning)
{
    TMSComm comm;
    ManualRetryTimer* retry = ManualRetry(comm);
    QStringList statuses;
    QObject::connect(&comm, &TMSComm::StatusChanged,
                     [&](const QString& text, bool isError) { statuses << (isError ? "red " : "") + text; });
    std::vector<uint8_t> got;
    comm.OnReceived = [&](const uint8_t* b, int n) { got.insert(got.end(), b, b + n); };
    ASSERT_TRUE(comm.Open(1, a_));
    EXPECT_FALSE(retry->Active());

    ClosePeer();
    socat_.Stop();
    ASSERT_TRUE(PumpUntil([&] { return !comm.PortOpen(); }, 1000)) << "the hang-up went unnoticed";
    EXPECT_EQ(statuses.last(), "red " + a_ + QString::fromUtf8(" 连接中断，正在重新打开"));
    EXPECT_TRUE(retry->Active());

    // Between the tries the thread is idle: no spinning on the dead device.
    const double cpuBefore = CpuSeconds();
    Idle(500);
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.25);
    retry->Advance(3 * TMSComm::ReopenIntervalMs);
    EXPECT_EQ(retry->Fired(), 3);
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(statuses.size(), 2) << "a failed retry changes nothing shown";

    // Back again: the next try, and not one before it, opens it.
    ASSERT_TRUE(socat_.Start(a_, b_));
    OpenPeer();
    retry->Advance(TMSComm::ReopenIntervalMs - 1);
    EXPECT_FALSE(comm.PortOpen());
    retry->Advance(1);
    ASSERT_TRUE(comm.PortOpen());
    EXPECT_FALSE(retry->Active());
    EXPECT_EQ(statuses.last(), a_ + " 9600bps 8 1");
    EXPECT_FALSE(comm.StatusIsError());
    const uint8_t bytes[3] = {1, 2, 3};
    ASSERT_EQ(::write(peer_, bytes, 3), 3);
    ASSERT_TRUE(PumpUntil([&] { return got.size() >= 3; }));
}

TEST_F(PtyPair, TheSameReceiverIsFoundAgainUnderANewPath)
{
    TPortIdentity receiver{a_, 0x067B, 0x2303, "A1B2"};
    std::vector<TPortIdentity> listed{receiver};
    TMSComm comm;
    ManualRetryTimer* retry = ManualRetry(comm);
    comm.SetPortLister([&] { return listed; });
    ASSERT_TRUE(comm.Open(1, a_));

    ClosePeer();
    socat_.Stop();
    ASSERT_TRUE(PumpUntil([&] { return !comm.PortOpen(); }, 1000));
    // Plugged in again it shows up elsewhere; a twin of another make is not taken.
    const QString moved = dir_.filePath("ttyUSB1");
    Socat again;
    ASSERT_TRUE(again.Start(moved, dir_.filePath("peer2")));
    listed = {{dir_.filePath("other"), 0x067B, 0x2303, "ZZZZ"}, {moved, 0x067B, 0x2303, "A1B2"}};
    retry->Advance(TMSComm::ReopenIntervalMs);
    ASSERT_TRUE(comm.PortOpen());
    EXPECT_EQ(comm.CurrentDevice(), moved);
    EXPECT_EQ(comm.StatusText(), moved + " 9600bps 8 1");
}

TEST(SerialPort, APortMissingAtStartIsOpenedWhenItAppears)
{
    SKIP_WITHOUT_SOCAT();
    QTemporaryDir dir;
    const QString path = dir.filePath("ttyUSB0");
    TMSComm comm;
    ManualRetryTimer* retry = ManualRetry(comm);
    EXPECT_FALSE(comm.Open(2, path));
    EXPECT_TRUE(comm.StatusIsError());
    retry->Advance(TMSComm::ReopenIntervalMs);
    EXPECT_FALSE(comm.PortOpen());
    Socat receiver;
    ASSERT_TRUE(receiver.Start(path, dir.filePath("peer")));
    retry->Advance(TMSComm::ReopenIntervalMs);
    ASSERT_TRUE(comm.PortOpen());
    EXPECT_FALSE(comm.StatusIsError());
    EXPECT_FALSE(retry->Active());
}

TEST(PortIdentity, OnlyAFullyIdentifiedDeviceIsFoundElsewhere)
{
    const TPortIdentity wanted{"/dev/ttyUSB0", 0x067B, 0x2303, "A1B2"};
    const struct {
        const char* what;
        TPortIdentity wanted;
        std::vector<TPortIdentity> listed;
        QString moved;
    } cases[] = {
        {"moved", wanted, {{"/dev/ttyUSB3", 0x067B, 0x2303, "A1B2"}}, "/dev/ttyUSB3"},
        {"still at its path", wanted, {{"/dev/ttyUSB0", 0x067B, 0x2303, "A1B2"}}, ""},
        {"another serial number", wanted, {{"/dev/ttyUSB1", 0x067B, 0x2303, "C3D4"}}, ""},
        {"another product", wanted, {{"/dev/ttyUSB1", 0x067B, 0x2304, "A1B2"}}, ""},
        {"no serial number", {"/dev/ttyUSB0", 0x067B, 0x2303, ""}, {{"/dev/ttyUSB1", 0x067B, 0x2303, ""}}, ""},
        {"no identity", {"/dev/ttyS0", 0, 0, ""}, {{"/dev/ttyS1", 0, 0, ""}}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MovedPath(c.wanted, c.listed), c.moved) << c.what;
}
