// A running station picks up a saved layout edit and a saved roster while
// calls are live: the live call moves to its point's new layout, and the next
// call at that address names the waiter of the new roster.
#include "calls/CallEvents.h"
#include "calls/SoundPlayer.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "station/Station.h"
#include "layout/LayoutStore.h"
#include "support/PumpUntil.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Quiet final : public ISoundPlayer {
public:
    void PlayOnce(const QString&) override {}
    void PlayLoop(const QString&) override {}
    void Stop() override {}
};

class Reloads final : public ICallEvents {
public:
    void LayoutsReloaded() override { ++count; }
    int count = 0;
};

void Exec(TDM_Sys& store, const QString& sql, const QVariantList& values)
{
    store.DQ_Set.SetSQL(sql);
    for (const QVariant& v : values)
        store.DQ_Set.Bind(v);
    ASSERT_TRUE(store.DQ_Set.ExecSQL()) << store.DQ_Set.LastError().toStdString();
}

const TCallRecord* OnlyCall(TStation& station) { return station.Tracker().Records().Head(); }

}  // namespace

TEST(LiveLayoutEdit, SavedEditsReachTheRunningStation)
{
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    TEnvironment env = TestEnvironment(data.path());
    {
        TDM_Sys store;
        ASSERT_TRUE(store.Open(env.DataDir));
        Exec(store, "insert into LayOutName values(?, ?, '')", {1, "Hall"});
        Exec(store, "insert into LayOutName values(?, ?, '')", {2, "Terrace"});
        Exec(store, "insert into LayOutPoint values(?, ?, ?, 0, 0, 10, 10, 0, 60, 60, '')", {0x0042, 1, "T1"});
        Exec(store, "insert into DutyTable values('001', 'Anna', '00:00:00', '00:00:00', ?)", {0x0042});
    }

    SystemClock clock;
    Quiet sound;
    Reloads events;
    TStation station(env, clock, sound, events);
    station.SetPortOverride(data.filePath("no-such-port"));
    station.SetWorkerCycle(100);
    ASSERT_TRUE(station.Start());

    station.Tracker().OpenCall(0x0042, 11, QTime(12, 0, 0), QString());
    const TCallRecord* call = OnlyCall(station);
    ASSERT_NE(call, nullptr);
    ASSERT_NE(call->LayOutNode, nullptr);
    EXPECT_EQ(call->LayOutNode->Name, "Hall");
    EXPECT_EQ(call->ServerPersonnel, "Anna");

    // The layout editor saves: T1 moves to the terrace. The staff window saves a new roster.
    TLayOutTree edited;
    ASSERT_TRUE(ReadSiteLayOutData(station.Store(), edited));
    ASSERT_EQ(edited.Layouts.size(), 2u);
    edited.Layouts[1]->Points.push_back(edited.Layouts[0]->Points.front());
    edited.Layouts[0]->Points.clear();
    ASSERT_TRUE(WriteSiteLayOutData(station.Store(), edited));
    ASSERT_TRUE(station.Store().InTransaction([&] {
        TQuery q(station.Store());
        q.SetSQL("delete from DutyTable");
        if (!q.ExecSQL())
            return false;
        q.SetSQL("insert into DutyTable values('002', 'Bruno', '00:00:00', '00:00:00', ?)");
        q.Bind(0x0042);
        return q.ExecSQL();
    }));
    ASSERT_TRUE(station.ReopenRosterQueries());
    station.RaiseLayoutChange();

    // Within about a second the worker has the tree rebuilt and the call relinked.
    ASSERT_TRUE(PumpUntil([&] { return events.count > 0; }, 3000));
    call = OnlyCall(station);
    ASSERT_NE(call->LayOutNode, nullptr);
    EXPECT_EQ(call->LayOutNode->Name, "Terrace");
    EXPECT_EQ(call->CallArea, "Hall");  // texts stay as the call was shown
    EXPECT_EQ(call->LayOutNode->ActiveCalls, 1);
    EXPECT_EQ(station.LayoutTree().Layouts[0]->ActiveCalls, 0);

    station.Tracker().OpenCall(0x0042, 12, QTime(12, 0, 5), QString());
    const TCallRecord* next = call->Next;
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->CallArea, "Terrace");
    EXPECT_EQ(next->ServerPersonnel, "Bruno");
    station.Close();
}
