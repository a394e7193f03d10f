// The demo mode: the sample restaurant seeded into an empty data directory
// only, the simulated receiver's frames as the station reads them, and a live
// exchange with the station's serial port over the pseudo-terminal.
#include "app/DemoReceiver.h"
#include "app/DemoRestaurant.h"
#include "calls/CallEvents.h"
#include "comm/CallOps.h"
#include "calls/CallRecord.h"
#include "calls/DutyLookup.h"
#include "calls/SoundPlayer.h"
#include "comm/DeviceReplies.h"
#include "comm/FrameEnvelope.h"
#include "comm/FrameHandler.h"
#include "comm/SerialLine.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "devices/DeviceFrames.h"
#include "station/Station.h"
#include "layout/LayoutStore.h"
#include "support/PumpUntil.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRect>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

int RowCount(TDM_Sys& store, const QString& table)
{
    TQuery q(store);
    q.SetSQL(QStringLiteral("select * from ") + table);
    EXPECT_TRUE(q.Open()) << q.LastError().toStdString();
    return q.RecordCount();
}

void Exec(TDM_Sys& store, const QString& sql, const QVariantList& values)
{
    TQuery q(store);
    q.SetSQL(sql);
    for (const QVariant& v : values)
        q.Bind(v);
    ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DemoSeedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QString error;
        ASSERT_TRUE(store.Open(tmp.path(), &error)) << error.toStdString();
        configPath = tmp.filePath(QStringLiteral("Config.ini"));
    }

    void Seed()
    {
        QString error;
        ASSERT_TRUE(SeedDemoRestaurant(store, configPath, &error)) << error.toStdString();
    }

    TLayOutTree Layouts()
    {
        TLayOutTree tree;
        QString error;
        EXPECT_TRUE(ReadSiteLayOutData(store, tree, &error)) << error.toStdString();
        return tree;
    }

    QTemporaryDir tmp;
    TDM_Sys store;
    QString configPath;
};

TEST_F(DemoSeedTest, EmptyDirectoryGetsTwoLayoutsTwelveTablesAndFourWaiters)
{
    Seed();
    const TLayOutTree tree = Layouts();
    ASSERT_EQ(tree.Layouts.size(), 2u);
    EXPECT_EQ(tree.Layouts[0]->Name, QStringLiteral("大厅"));
    EXPECT_EQ(tree.Layouts[1]->Name, QStringLiteral("包间"));

    QSet<uint16_t> addresses;
    QSet<uint8_t> shapes;
    for (const auto& layout : tree.Layouts) {
        for (const TLayOutPoint& p : layout->Points) {
            EXPECT_NE(p.Address, 0);
            EXPECT_FALSE(addresses.contains(p.Address)) << "address used twice: " << p.Address;
            addresses.insert(p.Address);
            shapes.insert(p.Shape);
            EXPECT_FALSE(p.Name.isEmpty());
        }
    }
    EXPECT_EQ(addresses.size(), 12);
    EXPECT_EQ(shapes, (QSet<uint8_t>{0, 1}));

    TQuery waiters(store);
    waiters.SetSQL(QStringLiteral("select * from Waiter"));
    ASSERT_TRUE(waiters.Open());
    ASSERT_EQ(waiters.RecordCount(), 4);
    QSet<int> units;
    QSet<QString> numbers;
    for (waiters.First(); !waiters.Eof(); waiters.Next()) {
        EXPECT_FALSE(waiters.FieldAsString(QStringLiteral("Name")).isEmpty());
        numbers.insert(waiters.FieldAsString(QStringLiteral("Number")));
        units.insert(waiters.FieldAsInteger(QStringLiteral("CancelAddr")));
    }
    EXPECT_EQ(numbers.size(), 4);
    EXPECT_EQ(units, (QSet<int>{1, 2, 3, 4}));
}

TEST_F(DemoSeedTest, TablesFitThePanelWithoutOverlapping)
{
    Seed();
    const TLayOutTree tree = Layouts();
    const QRect panel(0, 0, DemoPanelWidth, DemoPanelHeight);
    for (const auto& layout : tree.Layouts) {
        std::vector<QRect> placed;
        for (const TLayOutPoint& p : layout->Points) {
            const QRect r(p.XPos, p.YPos, p.Width, p.Height);
            EXPECT_TRUE(panel.contains(r)) << p.Name.toStdString();
            EXPECT_GE(p.Width, 60);
            EXPECT_LE(p.Width, 110);
            EXPECT_GE(p.Height, 60);
            EXPECT_LE(p.Height, 110);
            for (const QRect& other : placed)
                EXPECT_FALSE(r.intersects(other)) << p.Name.toStdString() << " overlaps another table";
            placed.push_back(r);
        }
    }
}

TEST_F(DemoSeedTest, EveryTableHasExactlyOneWaiterWithACancelUnitOnDutyAtAnyTime)
{
    Seed();
    struct TRow {
        QString Name;
        QTime Start, End;
        int Addr;
    };
    std::vector<TRow> roster;
    TQuery q(store);
    q.SetSQL(QStringLiteral("select * from DutyTable"));
    ASSERT_TRUE(q.Open());
    for (q.First(); !q.Eof(); q.Next())
        roster.push_back({q.FieldAsString(QStringLiteral("Name")), q.FieldAsTime(QStringLiteral("STime")),
                          q.FieldAsTime(QStringLiteral("ETime")), q.FieldAsInteger(QStringLiteral("Addr"))});

    TQuery staff(store);
    staff.SetSQL(QStringLiteral("select * from Waiter"));
    ASSERT_TRUE(staff.Open());

    const TLayOutTree tree = Layouts();
    for (const auto& layout : tree.Layouts) {
        for (const TLayOutPoint& p : layout->Points) {
            for (const QTime t : {QTime(0, 0), QTime(5, 59, 59), QTime(6, 0), QTime(12, 0), QTime(17, 59, 59),
                                  QTime(18, 0), QTime(23, 59, 59)}) {
                std::vector<QString> onDuty;
                for (const TRow& row : roster) {
                    if (row.Addr == p.Address && DutyCovers(row.Start, row.End, t))
                        onDuty.push_back(row.Name);
                }
                ASSERT_EQ(onDuty.size(), 1u) << p.Name.toStdString() << " at " << t.toString().toStdString();
                ASSERT_TRUE(staff.Locate(QStringLiteral("Name"), onDuty.front())) << onDuty.front().toStdString();
                EXPECT_GT(staff.FieldAsInteger(QStringLiteral("CancelAddr")), 0);
            }
        }
    }
}

TEST_F(DemoSeedTest, MissingConfigIsWrittenWithShortThresholdsAndThePopup)
{
    Seed();
    ASSERT_TRUE(QFile::exists(configPath));
    TConfig cfg;
    TStateTexts texts;
    ReadConfig(configPath, cfg, texts);
    EXPECT_TRUE(cfg.PopupWin);
    EXPECT_LT(cfg.PreWarn1Time, cfg.PreWarn2Time);
    EXPECT_LT(cfg.PreWarn2Time, cfg.PreWarn3Time);
    EXPECT_LE(cfg.PreWarn3Time, 60);
    EXPECT_TRUE(cfg.Title.contains(QStringLiteral("演示"))) << cfg.Title.toStdString();
}

TEST_F(DemoSeedTest, ExistingConfigIsLeftAsItWas)
{
    TConfig mine;
    mine.Title = QStringLiteral("Mine");
    mine.PreWarn1Time = 300;
    ASSERT_TRUE(SaveConfig(configPath, mine));
    const QByteArray before = FileBytes(configPath);

    Seed();
    EXPECT_EQ(FileBytes(configPath), before);
    EXPECT_EQ(RowCount(store, QStringLiteral("LayOutPoint")), 12);
}

TEST_F(DemoSeedTest, DirectoryHoldingALayoutOrAWaiterIsNotTouched)
{
    struct TCase {
        const char* Name;
        QString Sql;
        QVariantList Values;
    };
    const TCase cases[] = {
        {"a layout", QStringLiteral("insert into LayOutName values(?, ?, '')"), {1, QStringLiteral("Terrace")}},
        {"a waiter", QStringLiteral("insert into Waiter values(?, ?, '', 1, 9, '')"), {QStringLiteral("77"),
                                                                                         QStringLiteral("Ann")}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const QString& table : {QStringLiteral("LayOutName"), QStringLiteral("Waiter")})
            Exec(store, QStringLiteral("delete from ") + table, {});
        Exec(store, c.Sql, c.Values);

        Seed();
        EXPECT_EQ(RowCount(store, QStringLiteral("LayOutName")) + RowCount(store, QStringLiteral("Waiter")), 1);
        EXPECT_EQ(RowCount(store, QStringLiteral("LayOutPoint")), 0);
        EXPECT_EQ(RowCount(store, QStringLiteral("DutyTable")), 0);
        EXPECT_FALSE(QFile::exists(configPath));
    }
}

// What the station's frame handler did with the frames it was given.
struct TRecordingCalls final : ICallOps {
    struct TCall {
        uint16_t Address;
        uint8_t KeyOrUnit;
        QTime Time;
    };
    void OpenCall(uint16_t address, uint8_t key, const QTime& t, const QString&) override
    {
        Opened.push_back({address, key, t});
    }
    void CloseCallsAt(uint16_t address, uint8_t unit, const QTime& t) override { Closed.push_back({address, unit, t}); }
    std::vector<TCall> Opened, Closed;
};

// The station's receive path: ring, synchroniser and handler; acknowledgements are kept.
struct TStationSide final : ISerialLine {
    bool SendFrame(const uint8_t* bytes, int /*n*/) override
    {
        Acks.push_back(bytes[5]);
        return true;
    }
    void Receive(const QByteArray& bytes)
    {
        ring.CopyReceivedBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
        sync.ParseRecvData();
    }
    std::vector<uint8_t> Acks;   // command bytes
    TRecordingCalls calls;
    TDeviceReplies replies;
    TFrameHandler handler{*this, calls, replies};
    TRecvRing ring;
    TFrameSync sync{ring, handler};
};

bool Valid(const QByteArray& f)
{
    return Frame::IsValid(reinterpret_cast<const uint8_t*>(f.constData()), int(f.size()));
}

// Class nibble, command, length byte (mid frames: the cancel unit), address, key and BCD time.
QByteArray Fields(const QByteArray& f, bool variable)
{
    return f.mid(1, 1) + f.mid(5, 5) + f.mid(variable ? 10 : 12, 3);
}

// Decimal digits above 9 in every field, so a time sent in plain binary reads differently.
const QTime PressTime(19, 45, 38);

TEST(DemoFrames, CallsAreValidFramesOfBothClassesThatOpenCalls)
{
    const QByteArray mid = DemoCallFrame(0x0A07, 13, PressTime, false);
    const QByteArray var = DemoCallFrame(0x0102, 11, PressTime, true);
    ASSERT_EQ(mid.size(), Frame::MidLength);
    ASSERT_EQ(var.size(), 12 + Frame::VarOverhead);
    EXPECT_TRUE(Valid(mid));
    EXPECT_TRUE(Valid(var));
    EXPECT_EQ(Fields(mid, false), QByteArray::fromHex("40" "91000A070D" "194538"));
    EXPECT_EQ(Fields(var, true), QByteArray::fromHex("C0" "810C01020B" "194538"));

    TStationSide station;
    station.Receive(mid + var);
    ASSERT_EQ(station.calls.Opened.size(), 2u);
    EXPECT_EQ(station.calls.Opened[0].Address, 0x0A07);
    EXPECT_EQ(station.calls.Opened[0].KeyOrUnit, 13);
    EXPECT_EQ(station.calls.Opened[0].Time, PressTime);
    EXPECT_EQ(station.calls.Opened[1].Address, 0x0102);
    EXPECT_EQ(station.calls.Opened[1].KeyOrUnit, 11);
    EXPECT_EQ(station.calls.Opened[1].Time, PressTime);
    EXPECT_TRUE(station.calls.Closed.empty());
    EXPECT_EQ(station.Acks, (std::vector<uint8_t>{0xA1, 0xA1}));
}

TEST(DemoFrames, CancelsCloseTheTableNamingTheUnitOnlyInTheMidForm)
{
    const QByteArray mid = DemoCancelFrame(0x0A07, 3, PressTime, false);
    const QByteArray var = DemoCancelFrame(0x0102, 3, PressTime, true);
    EXPECT_EQ(Fields(mid, false), QByteArray::fromHex("40" "92030A070A" "194538"));
    EXPECT_EQ(Fields(var, true), QByteArray::fromHex("C0" "810C01020A" "194538"));

    TStationSide station;
    station.Receive(mid + var);
    EXPECT_TRUE(station.calls.Opened.empty());
    ASSERT_EQ(station.calls.Closed.size(), 2u);
    EXPECT_EQ(station.calls.Closed[0].Address, 0x0A07);
    EXPECT_EQ(station.calls.Closed[0].KeyOrUnit, 3);
    EXPECT_EQ(station.calls.Closed[0].Time, PressTime);
    EXPECT_EQ(station.calls.Closed[1].Address, 0x0102);
    EXPECT_EQ(station.calls.Closed[1].KeyOrUnit, 0);
    EXPECT_EQ(station.calls.Closed[1].Time, PressTime);
    EXPECT_EQ(station.Acks, (std::vector<uint8_t>{0xA2, 0xA1}));
}

TEST(DemoReceiver, RefusesToStartUnopenedOrWithoutCallPoints)
{
    QTemporaryDir tmp;
    TDM_Sys store;
    ASSERT_TRUE(store.Open(tmp.path()));
    TDemoReceiver receiver(1);
    QString error;
    EXPECT_FALSE(receiver.Start(store, &error));
    ASSERT_TRUE(receiver.Open(&error)) << error.toStdString();
    EXPECT_TRUE(receiver.DevicePath().startsWith(QStringLiteral("/dev/"))) << receiver.DevicePath().toStdString();
    error.clear();
    EXPECT_FALSE(receiver.Start(store, &error));
    EXPECT_FALSE(error.isEmpty());
}

struct TSilence final : ISoundPlayer {
    void PlayOnce(const QString&) override {}
    void PlayLoop(const QString&) override {}
    void Stop() override {}
};

struct TOpenedCalls final : ICallEvents {
    void CallOpened(const TCallRecord& rec, const QString&) override { Opened.push_back(rec); }
    std::vector<TCallRecord> Opened;
};

// The demo mode's start-up: seed, open the receiver, start the station's serial port on its device.
TEST(DemoReceiver, ExchangesFramesWithAStationStartedOnItsDevice)
{
    QTemporaryDir tmp;
    TEnvironment env = TestEnvironment(tmp.path());
    {
        TDM_Sys seedStore;
        ASSERT_TRUE(seedStore.Open(env.DataDir));
        ASSERT_TRUE(SeedDemoRestaurant(seedStore, env.ConfigPath));
    }
    TDemoReceiver receiver(3);
    ASSERT_TRUE(receiver.Open());

    SystemClock clock;
    TSilence sound;
    TOpenedCalls events;
    TStation station(env, clock, sound, events);
    station.SetPortOverride(receiver.DevicePath());
    ASSERT_TRUE(station.Start());
    ASSERT_TRUE(station.Port().PortOpen()) << station.Port().StatusText().toStdString();
    ASSERT_TRUE(receiver.Start(station.Store()));
    receiver.Stop();   // calls are sent below, one at a time

    receiver.SendCall();
    ASSERT_TRUE(PumpUntil([&] { return receiver.AcknowledgementsMatched() == 1 && events.Opened.size() == 1; }, 5000));
    // Placed on a seeded layout, with the waiter on duty there named.
    const TCallRecord& call = events.Opened[0];
    EXPECT_FALSE(call.CallArea.isEmpty());
    EXPECT_FALSE(call.ServerPersonnel.isEmpty());
    EXPECT_TRUE(QSet<int>({11, 12, 13}).contains(call.Key));

    // An answer to a frame it never sent (a cancel of that table) is not counted.
    uint8_t stray[Frame::MidLength] = {0xAA, 0x41, 0x01, 0x02, 0x00, 0xA2, 0x00, uint8_t(call.Addr >> 8),
                                       uint8_t(call.Addr)};
    Frame::Seal(stray, Frame::MidLength);
    ASSERT_TRUE(station.Port().SendFrame(stray, Frame::MidLength));
    receiver.SendCall();
    ASSERT_TRUE(PumpUntil([&] { return receiver.AcknowledgementsMatched() >= 2; }, 5000));
    EXPECT_EQ(receiver.AcknowledgementsMatched(), 2);
    EXPECT_EQ(receiver.FramesSent(), 2);

    // The device tools get their answers too: the configuration memory tells its size,
    // also when the query reaches the line in two pieces.
    quint32 size = 0;
    station.DeviceReplies().RegisterCopyData([](int, const uint8_t*, int) {},
                                             [&](int, quint32 lParam) { size = lParam; });
    const QByteArray query = DeviceFrames::SizeQuery(1);
    ASSERT_TRUE(station.Port().SendFrame(reinterpret_cast<const uint8_t*>(query.constData()), 5));
    PumpUntil([] { return false; }, 50);  // the receiver takes the first piece on its own
    ASSERT_TRUE(station.Port().SendFrame(reinterpret_cast<const uint8_t*>(query.constData()) + 5, int(query.size()) - 5));
    EXPECT_TRUE(PumpUntil([&] { return size == 256; }, 5000)) << size;
    station.DeviceReplies().UnregisterCopyData();
    station.Close();
}

}  // namespace
