// No call is lost through the faults a restaurant PC meets: the station killed
// (crash, power cut) with calls live, the call log locked by another program,
// the receiver unplugged and plugged in again.
#include "StationProcess.h"

#include "calls/CallJournal.h"
#include "calls/CallLog.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace e2e;

namespace {

constexpr int kClockRate = 4;

int JournalEntries(const QString& dir)
{
    TCallJournal journal;
    std::vector<TJournalEntry> entries;
    if (!journal.Open(dir) || !journal.ReadAll(entries))
        return -1;
    return static_cast<int>(entries.size());
}

// Seconds of CPU the process has used.
double CpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // Fields after the command name's closing parenthesis; utime and stime are the 12th and 13th.
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

// Ends the simulator's script and counts the acknowledgements it checked.
int AcknowledgedFrames(SimProcess& sim)
{
    sim.Process().closeWriteChannel();
    if (!sim.Process().waitForFinished(15000))
        return -1;
    return sim.Out().Count("ACK OK");
}

void Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

}  // namespace

TEST(NoCallLost, CrashedStationBringsItsLiveCallsBackAndLogsEachOnce)
{
    RestaurantOnALine line;
    ASSERT_TRUE(line.Prepare());
    SimProcess& sim = line.sim;
    const QTemporaryDir& data = line.data;
    Station station(data.path(), kClockRate);
    ASSERT_TRUE(station.Start()) << station.Lines().toStdString();
    sim.Send("call 0001 11 10:00:00");
    sim.Send("call 0002 12 10:00:05");
    sim.Send("vcall 0010 13 10:00:10");
    // Acknowledged means journaled: killed at once, the station loses none of them.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(sim.Out().WaitFor("ACK OK", 5000)) << station.Lines().toStdString();
    station.Crash();
    EXPECT_TRUE(ReadLog(data.path()).empty());

    // Brought back, then down again before anything happened: nothing changes.
    for (int start = 1; start <= 2; ++start) {
        ASSERT_TRUE(station.Start()) << station.Lines().toStdString();
        EXPECT_EQ(station.Out().Count("restore "), 3) << station.Lines().toStdString();
        if (start == 1)
            station.Crash();
    }
    EXPECT_TRUE(ReadLog(data.path()).empty());
    EXPECT_EQ(JournalEntries(data.path()), 3);

    // A call that came back is served like any other, with its original call time.
    sim.Send("cancel 0002 06 10:02:00");
    ASSERT_TRUE(station.Out().WaitFor("served", 5000)) << station.Lines().toStdString();
    ASSERT_TRUE(station.Stop()) << station.Lines().toStdString();

    const std::vector<LogRow> rows = ReadLog(data.path());
    ASSERT_EQ(rows.size(), 3u) << station.Lines().toStdString();
    EXPECT_EQ(rows[0].desk, "A1");
    EXPECT_EQ(rows[0].state, 1);
    EXPECT_EQ(rows[1].desk, "A2");
    EXPECT_EQ(rows[1].state, 0);
    EXPECT_EQ(rows[1].procTime, "10:02:00");
    EXPECT_EQ(rows[1].serverTime, 115);
    EXPECT_EQ(rows[1].waiter, QString::fromUtf8("李四"));
    EXPECT_EQ(rows[1].procPerson, QString::fromUtf8("李四"));
    EXPECT_EQ(rows[2].desk, "VIP1");
    EXPECT_EQ(rows[2].state, 1);
    EXPECT_EQ(JournalEntries(data.path()), 0);
    EXPECT_EQ(AcknowledgedFrames(sim), 4) << sim.Out().All().join('\n').toStdString();
}

TEST(NoCallLost, ALockedCallLogHoldsUpNoAcknowledgementAndLosesNoRow)
{
    RestaurantOnALine line;
    ASSERT_TRUE(line.Prepare());
    SimProcess& sim = line.sim;
    const QTemporaryDir& data = line.data;
    // Locked before the station starts: the start must not wait for it or give up.
    const QString foreign = QStringLiteral("another program");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), foreign);
        db.setDatabaseName(data.filePath("CallInfo.db"));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("begin exclusive")));
    }
    QElapsedTimer locked;
    locked.start();
    Station station(data.path(), 1);
    ASSERT_TRUE(station.Start()) << station.Lines().toStdString();
    EXPECT_LT(locked.elapsed(), 5000);
    // 30 calls, each cancelled at once, while the log stays locked for 10 s.
    sim.Send("latency 60");
    QString latency;
    ASSERT_TRUE(sim.Out().WaitFor("latency n=", 30000, &latency)) << sim.Out().All().join('\n').toStdString();
    const double maxMs = latency.section("max_ms=", 1).section(' ', 0, 0).toDouble();
    EXPECT_LT(maxMs, 1000) << latency.toStdString();
    EXPECT_TRUE(station.Out().WaitFor("(error)", TCallLog::MaxDeferMs + 2000)) << station.Lines().toStdString();
    Sleep(static_cast<int>(std::max<qint64>(0, 10000 - locked.elapsed())));
    EXPECT_TRUE(ReadLog(data.path()).empty());
    {
        QSqlDatabase db = QSqlDatabase::database(foreign);
        QSqlQuery(db).exec(QStringLiteral("rollback"));
        db.close();
    }
    QSqlDatabase::removeDatabase(foreign);

    // Within a retry the rows are written and the status is normal again.
    ASSERT_TRUE(station.Out().WaitFor(QString::fromUtf8("呼叫记录已全部写入"), 5000)) << station.Lines().toStdString();
    const std::vector<LogRow> rows = ReadLog(data.path());
    EXPECT_EQ(rows.size(), 30u);
    for (const LogRow& row : rows)
        EXPECT_EQ(row.state, 0);
    ASSERT_TRUE(station.Stop());
    EXPECT_EQ(ReadLog(data.path()).size(), 30u);
    EXPECT_EQ(AcknowledgedFrames(sim), 60);
}

TEST(NoCallLost, AnUnpluggedReceiverIsReopenedAndCallsFlowAgain)
{
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    SeedRestaurant(data.path());
    const QString device = data.filePath("ttyUSB0");
    auto sim = std::make_unique<SimProcess>();
    QString pty;
    ASSERT_TRUE(sim->Start(&pty, {"--link", device}));
    WriteConfig(data.path(), device);
    Station station(data.path(), 1);
    ASSERT_TRUE(station.Start()) << station.Lines().toStdString();
    sim->Send("call 0001 11 10:00:00");
    ASSERT_TRUE(station.Out().WaitFor("call    ", 5000)) << station.Lines().toStdString();

    // Pulled out: the device and its path are gone. The killed simulator leaves its
    // link behind, and the number of its freed pseudo-terminal may go to another
    // test's simulator: the link goes too, as a receiver's device link does.
    sim.reset();
    QFile::remove(device);
    ASSERT_FALSE(QFileInfo(device).isSymLink() || QFile::exists(device));
    ASSERT_TRUE(station.Out().WaitFor(QString::fromUtf8("连接中断"), 5000)) << station.Lines().toStdString();
    const double cpuBefore = CpuSeconds(station.Pid());
    Sleep(4000);
    EXPECT_LT(CpuSeconds(station.Pid()) - cpuBefore, 0.4) << "the station spins on the vanished device";

    // Plugged in again under the same path: calls flow without anyone's help.
    sim = std::make_unique<SimProcess>();
    ASSERT_TRUE(sim->Start(&pty, {"--link", device}));
    ASSERT_TRUE(station.Out().WaitFor(device + " 9600bps", 5000)) << station.Lines().toStdString();
    sim->Send("cancel 0001 05 10:01:00");
    sim->Send("call 0002 12 10:01:10");
    sim->Send("cancel 0002 10:01:20");
    ASSERT_TRUE(station.Out().WaitFor("served", 5000)) << station.Lines().toStdString();
    ASSERT_TRUE(station.Out().WaitFor("served", 5000)) << station.Lines().toStdString();
    ASSERT_TRUE(station.Stop());
    EXPECT_EQ(AcknowledgedFrames(*sim), 3) << sim->Out().All().join('\n').toStdString();

    const std::vector<LogRow> rows = ReadLog(data.path());
    ASSERT_EQ(rows.size(), 2u) << station.Lines().toStdString();
    EXPECT_EQ(rows[0].desk, "A1");
    EXPECT_EQ(rows[0].procPerson, QString::fromUtf8("张三"));
    EXPECT_EQ(rows[0].serverTime, 60);
    EXPECT_EQ(rows[1].desk, "A2");
    EXPECT_EQ(rows[1].state, 0);
}
