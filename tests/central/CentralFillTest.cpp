// The generator that fills a central database for measurements, against a real PostgreSQL server:
// the calls asked for, each site's under the ids the station itself gives, and all or nothing.
#include "CentralFill.h"
#include "central/CentralPush.h"
#include "central/PgLink.h"
#include "core/DataStore.h"
#include "support/PgServer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CentralFill, FillsEachSiteWithTheCallsAndIdsTheStationWouldShip)
{
    QString why;
    const auto server = TPgServer::Start(&why);
    if (!server)
        GTEST_SKIP() << why.toStdString();
    TCentralFillPlan plan{server->ConnInfo(), 2, 2001, 30, QDate(2026, 3, 1), 5};
    ASSERT_TRUE(FillCentral(plan, &why)) << why.toStdString();

    // Calls shared out evenly, every id its own, unanswered calls and several waiters at each site.
    EXPECT_EQ(server->Psql("select site, count(*), count(distinct id), bool_or(state = 1), count(distinct server) > 3, "
                           "min(call_date), max(call_date) from calls group by site order by site"),
              "site01|1001|1001|t|t|2026-03-01|2026-03-30\n"
              "site02|1000|1000|t|t|2026-03-01|2026-03-30");
    EXPECT_EQ(server->Psql("select string_agg(site, ',' order by site) from sites"), "site01,site02");

    // The same calls in a station's log: its backfill finds every one of them there already.
    QTemporaryDir dir;
    TDM_Sys store;
    ASSERT_TRUE(store.Open(dir.path(), &why) && GenerateCallLog(store, FillSitePlan(plan, 2), &why))
        << why.toStdString();
    TPgLink link;
    TPushCount count;
    ASSERT_TRUE(link.Connect(plan.Connect, 5000, &why) && PushCallLog(dir.path(), link, "site02", 300, 10000, count, &why))
        << why.toStdString();
    EXPECT_EQ(count.Sent, 1000);
    EXPECT_EQ(count.Added, 0);

    // A fill that meets calls already there stops with the server's reason and adds none, not even a new site's.
    plan.Sites = 3;
    EXPECT_FALSE(FillCentral(plan, &why));
    EXPECT_TRUE(why.contains("duplicate key")) << why.toStdString();
    EXPECT_EQ(server->Psql("select count(*) from calls"), "2001");
}
