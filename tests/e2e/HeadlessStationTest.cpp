// The whole station as a process: a simulated receiver on a pseudo-terminal
// sends calls and cancels; after shutdown the call log holds exactly the calls.
#include "StationProcess.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace e2e;

namespace {

constexpr int kClockRate = 4;  // 121 s of station time in about 30 s

}  // namespace

TEST(HeadlessStation, CallsAreAcknowledgedTimedAndLogged)
{
    RestaurantOnALine line;
    ASSERT_TRUE(line.Prepare()) << "the receiver simulator did not start";
    SimProcess& sim = line.sim;
    const QTemporaryDir& data = line.data;

    Station station(data.path(), kClockRate);
    ProcessLines& log = station.Out();
    ASSERT_TRUE(station.Start()) << log.All().join('\n').toStdString();
    ASSERT_EQ(log.Count("(error)"), 0) << log.All().join('\n').toStdString();

    // Noise between frames and frames written in random pieces.
    sim.Send("split on");
    sim.Send("noise 7");
    sim.Send("vcall 0001 11 10:00:00");
    sim.Send("noise 3");
    sim.Send("call 0002 12 10:00:05");
    sim.Send("call 0010 13 10:00:10");
    // Broken frames are neither acknowledged nor acted on.
    sim.Send("badsum call 0002 11 10:00:20");
    sim.Send("raw AA 2F 00 01 AA");
    sim.Send("cancel 0001 05 10:00:40");
    sim.Send("vcancel 0002 10:01:05");
    ASSERT_TRUE(log.WaitFor("served", 15000)) << log.All().join('\n').toStdString();
    ASSERT_TRUE(log.WaitFor("served", 15000)) << log.All().join('\n').toStdString();

    // VIP1 is never cancelled: it times out after 120 s of station time.
    ASSERT_TRUE(log.WaitFor("timeout", 60000)) << log.All().join('\n').toStdString();
    // A call from an address on no layout stays open until shutdown.
    sim.Send("vcall 0099 11 10:03:00");
    ASSERT_TRUE(log.WaitFor("(0099)", 10000)) << log.All().join('\n').toStdString();

    sim.Process().closeWriteChannel();
    ASSERT_TRUE(sim.Process().waitForFinished(15000));
    const QString simLines = sim.Out().All().join('\n');
    EXPECT_EQ(sim.Process().exitCode(), 0) << simLines.toStdString();
    EXPECT_EQ(sim.Out().Count("ACK OK"), 6) << simLines.toStdString();

    ASSERT_TRUE(station.Stop());  // SIGTERM: closes as the main window's close does
    EXPECT_TRUE(log.WaitFor("station closed", 1000)) << log.All().join('\n').toStdString();

    const std::vector<LogRow> rows = ReadLog(data.path());
    ASSERT_EQ(rows.size(), 4u) << log.All().join('\n').toStdString();
    // Served by the owner of cancel unit 05, who is on duty.
    EXPECT_EQ(rows[0].desk, "A1");
    EXPECT_EQ(rows[0].area, QString::fromUtf8("大厅"));
    EXPECT_EQ(rows[0].type, "BUTTON2");
    EXPECT_EQ(rows[0].procPerson, QString::fromUtf8("张三"));
    EXPECT_EQ(rows[0].procTime, "10:00:40");
    EXPECT_EQ(rows[0].serverTime, 40);
    EXPECT_EQ(rows[0].state, 0);
    // Cancelled without a cancel unit: the waiter recorded with the call served it.
    EXPECT_EQ(rows[1].desk, "A2");
    EXPECT_EQ(rows[1].type, "BUTTON1");
    EXPECT_EQ(rows[1].waiter, QString::fromUtf8("李四"));
    EXPECT_EQ(rows[1].procPerson, QString::fromUtf8("李四"));
    EXPECT_EQ(rows[1].serverTime, 60);
    EXPECT_EQ(rows[1].state, 0);
    // Timed out in the first pass past 120 s (a pass delayed by a loaded machine may come later).
    EXPECT_EQ(rows[2].desk, "VIP1");
    EXPECT_EQ(rows[2].area, QString::fromUtf8("包间"));
    EXPECT_EQ(rows[2].type, "BUTTON3");
    EXPECT_EQ(rows[2].state, 1);
    EXPECT_GE(rows[2].serverTime, 121);
    EXPECT_LE(rows[2].serverTime, 124);
    EXPECT_TRUE(rows[2].procTimeNull);
    EXPECT_TRUE(rows[2].procPersonNull);
    // Still open at shutdown: not served, with the seconds it was live.
    EXPECT_EQ(rows[3].desk, "(0099)");
    EXPECT_EQ(rows[3].area, "");
    EXPECT_EQ(rows[3].state, 1);
    EXPECT_LT(rows[3].serverTime, 120);
    EXPECT_TRUE(rows[3].procTimeNull);
}

TEST(HeadlessStation, APortThatFailsToOpenSaysWhy)
{
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QString device = data.filePath("ttyGone");
    WriteConfig(data.path(), device);
    Station station(data.path(), 1);
    ASSERT_TRUE(station.Start()) << station.Lines().toStdString();
    // The port's line comes before "running", which Start waits for.
    const QStringList lines = station.Out().All().filter("(error)");
    ASSERT_EQ(lines.size(), 1) << station.Lines().toStdString();
    EXPECT_TRUE(lines[0].contains(device) && lines[0].contains(QString::fromUtf8("：")) && lines[0].contains("port"))
        << lines[0].toStdString();
    ASSERT_TRUE(station.Stop());
}
