// The station and the central commands as processes against a PostgreSQL server the test starts:
// calls logged while the server is away survive a kill -9 of the station and reach the server once
// after it returns; a backfill then adds nothing; the commands' exit status for each failure.
#include "CommandRun.h"
#include "StationProcess.h"
#include "support/PgServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

using namespace e2e;

namespace {

int CentralCalls(const TPgServer& server)
{
    return server.Psql(QStringLiteral("select count(*) from calls where site = 'e2e'")).toInt();
}

}  // namespace

TEST(CentralStation, CallsLoggedWhileTheServerIsAwaySurviveAKillAndArriveOnce)
{
    QString why;
    auto server = TPgServer::Start(&why);
    if (!server)
        GTEST_SKIP() << why.toStdString();
    RestaurantOnALine line;
    ASSERT_TRUE(line.Prepare());
    for (int run = 0; run < 2; ++run) {  // init twice is harmless
        const TCommandRun init = RunCallstation(line.Dir(), {"central", "init", "--connect", server->ConnInfo()});
        ASSERT_EQ(init.status, 0) << init.err.toStdString();
    }
    EXPECT_EQ(server->Psql("select count(*) || ' ' || max(version) from schema_version"), "1 1");
    QFile config(line.Dir() + "/Config.ini");
    ASSERT_TRUE(config.open(QIODevice::Append));
    config.write("[Central]\r\nConnect=" + server->ConnInfo().toUtf8() + "\r\nSite=e2e\r\n");
    config.close();

    ASSERT_TRUE(server->Down());
    Station station(line.Dir(), 1);
    ASSERT_TRUE(station.Start()) << station.Lines().toStdString();
    ASSERT_TRUE(station.Out().WaitFor(QString::fromUtf8("无法连接"), 10000)) << station.Lines().toStdString();
    line.sim.Send("call 0001 11 10:00:00");
    line.sim.Send("call 0002 12 10:00:05");
    line.sim.Send("cancel 0001 05 10:00:30");
    line.sim.Send("cancel 0002 06 10:00:40");
    ASSERT_TRUE(station.Out().WaitFor("served", 5000)) << station.Lines().toStdString();
    QDeadlineTimer logged(10000);
    while (ReadLog(line.Dir()).size() < 2 && !logged.hasExpired())
        QThread::msleep(50);
    ASSERT_EQ(ReadLog(line.Dir()).size(), 2u) << station.Lines().toStdString();
    station.Crash();

    ASSERT_TRUE(server->Up());
    ASSERT_TRUE(station.Start()) << station.Lines().toStdString();
    ASSERT_TRUE(station.Out().WaitFor(QString::fromUtf8("已连接"), 10000)) << station.Lines().toStdString();
    QDeadlineTimer shipped(10000);
    while (CentralCalls(*server) < 2 && !shipped.hasExpired())
        QThread::msleep(50);
    EXPECT_EQ(CentralCalls(*server), 2);
    ASSERT_TRUE(station.Stop()) << station.Lines().toStdString();

    const TCommandRun push = RunCallstation(line.Dir(), {"central", "push"});
    EXPECT_EQ(push.status, 0) << push.err.toStdString();
    EXPECT_TRUE(push.out.contains(QString::fromUtf8("已发送 0 条呼叫，中央数据库已有 2 条"))) << push.out.toStdString();
    EXPECT_EQ(CentralCalls(*server), 2);
}

TEST(CentralStation, CommandsSayWhyAndExitWithTheirStatus)
{
    QString why;
    auto server = TPgServer::Start(&why);
    if (!server)
        GTEST_SKIP() << why.toStdString();
    QTemporaryDir data;
    const struct {
        const char* name;
        QStringList args;
        int status;
    } cases[] = {
        {"no action", {"central"}, 2},
        {"unknown action", {"central", "frob"}, 2},
        {"no server configured", {"central", "init"}, 2},
        {"not a connection string", {"central", "init", "--connect", "nonsense"}, 2},
        {"wrong password", {"central", "init", "--connect", server->ConnInfo("wrong")}, 1},
        {"nobody listening", {"central", "push", "--connect", "host=127.0.0.1 port=1 dbname=x user=x"}, 1},
        {"right password", {"central", "init", "--connect", server->ConnInfo()}, 0},
        {"history, wrong password", {"history", "--connect", server->ConnInfo("wrong")}, 1},
        {"report, wrong password", {"report", "sites", "--connect", server->ConnInfo("wrong")}, 1},
        {"history across sites", {"history", "--connect", server->ConnInfo(), "--site", "A", "--site", "B"}, 0},
        {"report across sites", {"report", "response", "--by", "hour", "--connect", server->ConnInfo()}, 0},
        {"a site without a server", {"history", "--site", "A"}, 2},
        {"the sites on the local log", {"report", "sites"}, 2},
        {"no server configured", {"report", "staff", "--central"}, 2},
    };
    for (const auto& c : cases) {
        const TCommandRun run = RunCallstation(data.path(), c.args);
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.isEmpty(), c.status == 0) << c.name;
    }
}
