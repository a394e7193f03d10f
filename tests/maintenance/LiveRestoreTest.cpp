// A restore into a running station: everything restored is in use at once, so
// no copy kept in memory can later be written back over the restored tables.
#include "MaintenanceFixture.h"

#include "calls/CallEvents.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "maintenance/BackupFile.h"
#include "maintenance/BackupItems.h"
#include "maintenance/RestoredLogin.h"
#include "maintenance/ui/StationFollowUp.h"
#include "operators/LoginMsg.h"
#include "station/ApplySettings.h"
#include "station/Station.h"
#include "support/RecordedMessages.h"
#include "support/SilentSound.h"
#include "support/ScopedConfigHome.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace {

class Reloads final : public ICallEvents {
public:
    void LayoutsReloaded() override { ++count; }
    int count = 0;
};

class Face final : public IMainFace {
public:
    void SetCaption(const QString& title) override { caption = title; }
    void RepaintGrids() override {}
    bool TrayIconShown() const override { return false; }
    void CreateTrayIcon() override {}
    void DestoryTrayIcon() override {}
    void ChangePort() override {}
    QString caption;
};

using LiveRestore = MaintenanceFixture;

TEST_F(LiveRestore, EverythingRestoredIsInUseAtOnce)
{
    ScopedConfigHome home;
    TEnvironment env = TestEnvironment(dirA);
    SystemClock clock;
    SilentSound sound;
    Reloads events;
    TStation station(env, clock, sound, events);
    station.SetPortOverride(tmp.filePath("no-such-port"));
    station.SetWorkerCycle(100);
    ASSERT_TRUE(station.Start());
    station.Tracker().OpenCall(66, 11, QTime(12, 0, 0), QString());
    const TCallRecord* call = station.Tracker().Records().Head();
    ASSERT_EQ(call->LayOutNode->Name, "大厅A");
    TLoginMsg login{true, 1, "bossA", QDateTime(), 1023};

    Face face;
    int loginChanges = 0;
    TStationFollowUp followUp(station, face, nullptr, login, [&] { ++loginChanges; });
    TBackupFile backup;
    ASSERT_EQ(backup.Open(Backup(dirB, AllBackupItems, true)), TBackupOpen::Ok);
    QString why;
    ASSERT_TRUE(RestoreItems(backup, AllBackupItems, followUp.Target(dirA), &why)) << why.toStdString();

    EXPECT_EQ(env.Config.Title, "一号店B");
    EXPECT_EQ(face.caption, "一号店B");
    EXPECT_FALSE(login.LoggedIn);
    EXPECT_EQ(loginChanges, 1);
    RecordedMessages sink;
    followUp.Report(nullptr);
    EXPECT_EQ(sink.Entries(), (std::vector<RecordedMessages::Entry>{{TMessageKind::Notice, LoadResStr(3207)}}));

    QDeadlineTimer deadline(3000);
    while (events.count == 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    ASSERT_EQ(call->LayOutNode->Name, "大厅B");
    station.Tracker().OpenCall(66, 12, QTime(12, 0, 5), QString());
    ASSERT_NE(call->Next, nullptr);
    EXPECT_EQ(call->Next->ServerPersonnel, "AnnaB");
    station.Close();
    EXPECT_EQ(Rows(dirA, "CallInfo").size(), 42);  // the two live calls went into the restored log
}

TEST_F(LiveRestore, TheLoginFollowsTheRestoredOperatorRow)
{
    TDM_Sys store;
    ASSERT_TRUE(store.Open(dirA));  // holds bossA with every permission
    const struct {
        const char* name;
        TLoginMsg before;
        bool changed;
        TLoginMsg after;
    } cases[] = {
        {"row found by name, case aside", {true, 7, "BOSSA", {}, 1}, true, {true, 1, "bossA", {}, 1023}},
        {"row unchanged", {true, 1, "bossA", {}, 1023}, false, {true, 1, "bossA", {}, 1023}},
        {"operator gone: logged off", {true, 1, "bossB", {}, 1023}, true, {false, 1, "bossB", {}, 1023}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TLoginMsg login = c.before;
        EXPECT_EQ(FollowRestoredOperators(store, login), c.changed);
        EXPECT_EQ(login.LoggedIn, c.after.LoggedIn);
        EXPECT_EQ(login.RowId, c.after.RowId);
        EXPECT_EQ(login.Name, c.after.Name);
        EXPECT_EQ(login.Popedom, c.after.Popedom);
    }
}

}  // namespace
