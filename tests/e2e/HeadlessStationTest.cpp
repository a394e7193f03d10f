// The whole station as a process: a simulated receiver on a pseudo-terminal
// sends calls and cancels; after shutdown the call log holds exactly the calls.
#include "SimProcess.h"

#include "core/DataStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kBin = QStringLiteral(STATION_BINARY_DIR);
constexpr int kClockRate = 4;  // 121 s of station time in about 30 s

void Exec(TDM_Sys& store, const QString& sql, const QVariantList& values)
{
    store.DQ_Set.SetSQL(sql);
    for (const QVariant& v : values)
        store.DQ_Set.Bind(v);
    ASSERT_TRUE(store.DQ_Set.ExecSQL()) << store.DQ_Set.LastError().toStdString();
}

void SeedRestaurant(const QString& dir)
{
    TDM_Sys store;
    ASSERT_TRUE(store.Open(dir));
    Exec(store, "insert into LayOutName values(?, ?, '')", {1, QString::fromUtf8("大厅")});
    Exec(store, "insert into LayOutName values(?, ?, '')", {2, QString::fromUtf8("包间")});
    const QString point = "insert into LayOutPoint values(?, ?, ?, 0, 0, 10, 10, 0, 60, 60, '')";
    Exec(store, point, {0x0001, 1, "A1"});
    Exec(store, point, {0x0002, 1, "A2"});
    Exec(store, point, {0x0010, 2, "VIP1"});
    const QString waiter = "insert into Waiter values(?, ?, '', 1, ?, '')";
    Exec(store, waiter, {"001", QString::fromUtf8("张三"), 0x05});
    Exec(store, waiter, {"002", QString::fromUtf8("李四"), 0x06});
    // Spans whose start equals their end cover the whole day.
    const QString duty = "insert into DutyTable values(?, ?, '08:00:00', '08:00:00', ?)";
    Exec(store, duty, {"001", QString::fromUtf8("张三"), 0x0001});
    Exec(store, duty, {"002", QString::fromUtf8("李四"), 0x0002});
    Exec(store, duty, {"001", QString::fromUtf8("张三"), 0x0010});
}

void WriteConfig(const QString& dir, const QString& port)
{
    QFile f(dir + "/Config.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Com]\r\nPortName=" + port.toLocal8Bit() + "\r\n");
}

struct LogRow {
    QString area, desk, type, waiter, procTime, procPerson;
    int serverTime = 0, state = 0;
    bool procTimeNull = false, procPersonNull = false;
};

std::vector<LogRow> ReadLog(const QString& dir)
{
    TDM_Sys store;
    std::vector<LogRow> rows;
    if (!store.Open(dir))
        return rows;
    TQuery& q = store.DQ_Set;
    q.SetSQL("select * from CallInfo order by CallTime");
    if (!q.Open())
        return rows;
    for (q.First(); !q.Eof(); q.Next()) {
        LogRow r;
        r.area = q.FieldAsString("CallArea");
        r.desk = q.FieldAsString("CallDesktop");
        r.type = q.FieldAsString("CallType");
        r.waiter = q.FieldAsString("ServerPersonnel");
        r.procTime = q.FieldAsString("ProcTime");
        r.procPerson = q.FieldAsString("ProcPersonnel");
        r.procTimeNull = q.FieldIsNull("ProcTime");
        r.procPersonNull = q.FieldIsNull("ProcPersonnel");
        r.serverTime = q.FieldAsInteger("ServerTime");
        r.state = q.FieldAsInteger("ServerState");
        rows.push_back(r);
    }
    return rows;
}

}  // namespace

TEST(HeadlessStation, CallsAreAcknowledgedTimedAndLogged)
{
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    SeedRestaurant(data.path());

    SimProcess sim;
    QString pty;
    ASSERT_TRUE(sim.Start(&pty, {"--seed", "7"})) << "the receiver simulator did not start";
    WriteConfig(data.path(), pty);

    QProcess station;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CALLSTATION_CLOCK_RATE", QString::number(kClockRate));
    station.setProcessEnvironment(env);
    station.setProcessChannelMode(QProcess::SeparateChannels);
    ProcessLines log(station);
    station.start(kBin + "/callstation", {"--headless", "--data-dir", data.path()});
    ASSERT_TRUE(station.waitForStarted(5000));
    ASSERT_TRUE(log.WaitFor("running", 10000)) << log.All().join('\n').toStdString();
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

    station.terminate();  // SIGTERM: closes as the main window's close does
    ASSERT_TRUE(station.waitForFinished(10000));
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(station.exitCode(), 0);
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
