// The serial wrapper against a real pseudo-terminal pair made by socat.
#include "comm/SerialPort.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

bool WaitFor(const std::function<bool()>& done, int ms = 3000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

class PtyPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        a_ = dir_.filePath("station");
        b_ = dir_.filePath("receiver");
        socat_.start("socat", {"pty,raw,echo=0,link=" + a_, "pty,raw,echo=0,link=" + b_});
        ASSERT_TRUE(socat_.waitForStarted(3000)) << "socat is needed for this test";
        ASSERT_TRUE(WaitFor([&] { return QFile::exists(a_) && QFile::exists(b_); }));
        peer_ = ::open(b_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(peer_, 0);
    }
    void TearDown() override
    {
        if (peer_ >= 0)
            ::close(peer_);
        socat_.terminate();
        socat_.waitForFinished(3000);
    }

    QTemporaryDir dir_;
    QString a_, b_;
    QProcess socat_;
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
    ASSERT_TRUE(WaitFor([&] { return got.size() >= sent.size(); }));
    EXPECT_EQ(got, sent);

    const uint8_t frame[9] = {0xAA, 0x41, 0x01, 0x02, 0x00, 0xA1, 0x00, 0x8F, 0x55};
    ASSERT_TRUE(comm.SendFrame(frame, 9));
    std::vector<uint8_t> back;
    ASSERT_TRUE(WaitFor([&] {
        uint8_t buf[64];
        const ssize_t n = ::read(peer_, buf, sizeof buf);
        if (n > 0)
            back.insert(back.end(), buf, buf + n);
        return back.size() >= 9;
    }));
    EXPECT_EQ(back, std::vector<uint8_t>(frame, frame + 9));

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
