// The central link against a real PostgreSQL server started for these tests: calls reach the
// central table exactly once, in spite of a server that goes down mid-stream, and a backfill of the
// log after live shipping adds nothing.
#include "calls/CallJournal.h"
#include "central/CentralPush.h"
#include "central/CentralSchema.h"
#include "central/CentralShipper.h"
#include "central/PgLink.h"
#include "core/DataStore.h"
#include "support/PgServer.h"
#include "support/PumpUntil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CentralShipping : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QString why;
        server = TPgServer::Start(&why).release();
        skipWhy = new QString(why);
        if (server) {
            TPgLink link;
            ASSERT_TRUE(link.Connect(server->ConnInfo(), 5000, &why)) << why.toStdString();
            ASSERT_TRUE(InitCentralSchema(link, 10000, &why)) << why.toStdString();
        }
    }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
        delete skipWhy;
    }
    void SetUp() override
    {
        if (!server)
            GTEST_SKIP() << skipWhy->toStdString();
        ASSERT_TRUE(store.Open(tmp.path()));
        ASSERT_TRUE(journal.Open(tmp.path()));
    }

    // Logs calls numbered from first on; every call has its own time unless same is set.
    void LogCalls(int first, int count, bool same = false)
    {
        std::vector<TJournalEntry> entries;
        for (int i = first; i < first + count; ++i) {
            TJournalEntry e;
            const int n = same ? first : i;
            e.Row.CallDate = QDate(2026, 3, 1).addDays(n / 40000);
            e.Row.CallTime = QTime(0, 0).addSecs(n % 40000 * 2);
            e.Row.CallArea = QStringLiteral("大厅");
            e.Row.CallDesktop = QStringLiteral("T%1").arg(n % 12);
            e.Row.CallType = QStringLiteral("结账");
            e.Row.ServerPersonnel = QStringLiteral("王芳");
            e.Row.ProcTime = e.Row.CallTime.addSecs(30);
            e.Row.ProcPersonnel = QStringLiteral("王芳");
            e.Row.ServerTime = 30;
            entries.push_back(e);
        }
        // The log takes its turn at the outbox as the station's log does: a shipper holding it
        // means a later try, never a wait.
        QString why;
        bool busy = false;
        ASSERT_TRUE(PumpUntil([&] { busy = false; why.clear(); return journal.MoveToLog(entries, &why, &busy) || !busy; }, 5000));
        ASSERT_TRUE(why.isEmpty()) << why.toStdString();
    }
    int Central(const QString& what) const
    {
        return server->Psql(QStringLiteral("select %1 from calls where site = '%2'").arg(what, site)).toInt();
    }
    std::unique_ptr<TCentralShipper> Shipper()
    {
        TCentralTiming fast;
        fast.RetryFirstMs = 100;
        fast.RetryMaxMs = 400;
        fast.BatchRows = 40;
        fast.SitesEveryMs = 200;
        fast.ConnectTimeoutMs = 500;
        fast.StatementTimeoutMs = 500;
        auto shipper = std::make_unique<TCentralShipper>(TCentralSettings{server->ConnInfo(), site}, tmp.path(), gate,
                                                         fast);
        QObject::connect(shipper.get(), &TCentralShipper::LinkChanged, [this](const TCentralLinkState& s) {
            states.push_back(s);
        });
        return shipper;
    }

    static inline TPgServer* server = nullptr;
    static inline QString* skipWhy = nullptr;
    QTemporaryDir tmp;
    TDM_Sys store;
    TCallJournal journal;
    TOutboxGate gate = std::make_shared<std::mutex>();
    QString site = QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::vector<TCentralLinkState> states;
};

TEST_F(CentralShipping, ExactlyOnceWhenTheServerGoesDownMidStream)
{
    journal.SetOutbox(gate);
    LogCalls(0, 300);
    LogCalls(300, 2, true);  // two calls alike in every column are two calls
    auto shipper = Shipper();
    shipper->start();
    ASSERT_TRUE(PumpUntil([&] { return Central("count(*)") > 0; }, 10000));
    ASSERT_TRUE(server->Down());
    LogCalls(302, 200);
    ASSERT_TRUE(PumpUntil([&] { return !states.empty() && states.back().IsAway(); }, 10000));
    EXPECT_GT(states.back().Backlog, 0);
    ASSERT_TRUE(server->Up());
    ASSERT_TRUE(PumpUntil([&] { return !states.back().IsAway() && states.back().Backlog == 0; }, 15000));
    EXPECT_EQ(Central("count(*)"), 502);
    EXPECT_EQ(Central("count(distinct id)"), 502);
    EXPECT_EQ(Central("count(distinct call_time)"), 501);
    EXPECT_EQ(server->Psql(QStringLiteral("select count(*) from sites where site = '%1' and backlog = 0").arg(site))
                  .toInt(),
              1);
}

TEST_F(CentralShipping, BackfillAfterLiveShippingAddsOnlyCallsLoggedBefore)
{
    LogCalls(0, 3);  // logged before the station had a central server
    journal.SetOutbox(gate);
    LogCalls(3, 50);
    LogCalls(53, 2, true);
    auto shipper = Shipper();
    shipper->start();
    ASSERT_TRUE(PumpUntil([&] { return !states.empty() && states.back().Link == TCentralLinkState::TLink::Up
                                       && states.back().Backlog == 0; },
                          10000));
    ASSERT_EQ(Central("count(*)"), 52);
    TPgLink link;
    ASSERT_TRUE(link.Connect(server->ConnInfo(), 5000));
    const struct {
        const char* name;
        qint64 added;
    } pushes[] = {{"first push: the three earlier calls", 3}, {"second push: nothing", 0}};
    for (const auto& push : pushes) {
        TPushCount count;
        QString why;
        ASSERT_TRUE(PushCallLog(tmp.path(), link, site, 7, 5000, count, &why)) << why.toStdString();
        EXPECT_EQ(count.Sent, 55) << push.name;
        EXPECT_EQ(count.Added, push.added) << push.name;
    }
    EXPECT_EQ(Central("count(*)"), 55);
}

TEST_F(CentralShipping, ShutdownShipsTheLastCallsOrLeavesThemForTheNextStart)
{
    journal.SetOutbox(gate);
    auto shipper = Shipper();
    shipper->start();
    LogCalls(0, 20);
    shipper->Finish();
    EXPECT_EQ(Central("count(*)"), 20);

    ASSERT_TRUE(server->Down());
    LogCalls(20, 5);
    auto away = Shipper();
    away->start();
    // Away from the start: the calls waiting show all the same.
    ASSERT_TRUE(PumpUntil([&] { return !states.empty() && states.back().IsAway(); }, 5000));
    EXPECT_EQ(states.back().Backlog, 5);
    QElapsedTimer took;
    took.start();
    away->Finish();
    EXPECT_LT(took.elapsed(), 4000);
    ASSERT_TRUE(server->Up());
    auto next = Shipper();
    next->start();
    next->Finish();
    EXPECT_EQ(Central("count(*)"), 25);
}

TEST_F(CentralShipping, AHungServerCostsTheShipperItsTimeOutsAndNothingElse)
{
    journal.SetOutbox(gate);
    auto shipper = Shipper();
    shipper->start();
    LogCalls(0, 10);
    ASSERT_TRUE(PumpUntil([&] { return Central("count(*)") == 10; }, 10000));
    server->Pause(true);
    LogCalls(10, 10);  // the log does not wait for the shipper stuck on the server
    shipper->Nudge();
    const bool away = PumpUntil([&] { return !states.empty() && states.back().IsAway(); }, 5000);
    QElapsedTimer took;
    took.start();
    shipper->Finish();
    const qint64 finishMs = took.elapsed();
    server->Pause(false);
    EXPECT_TRUE(away);
    EXPECT_LT(finishMs, 4000);
    auto next = Shipper();
    next->start();
    next->Finish();
    EXPECT_EQ(Central("count(*)"), 20);
}

}  // namespace
