// The building blocks of the call views: elapsed times, states, grid rows, popup slots, point colours.
#include "calls/CallGrid.h"
#include "calls/CallRecord.h"
#include "calls/CallTiming.h"
#include "calls/PopupSlots.h"
#include "layout/PointState.h"

#include <gtest/gtest.h>

namespace {

TCallGridRow CallRow(const QString& id)
{
    TCallGridRow row;
    row[ColState] = QStringLiteral("Waiting");
    row[ColIdentity] = id;
    return row;
}

}  // namespace

TEST(CallTiming, ElapsedAcrossTheCounterWrap)
{
    EXPECT_EQ(ElapsedSeconds(1000, 32999), 31u);
    // 0xFFF ms before the wrap and 4000 ms after it: the wrap formula gives 8095 ms.
    EXPECT_EQ(ElapsedSeconds(0xFFFFF000u, 0x00000FA0u), 8u);
    EXPECT_EQ(ElapsedText(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(ElapsedText(100 * 3600 + 61), QStringLiteral("100:01:01"));
}

TEST(CallTiming, ViewsSwitchToPreWarning1ASecondBeforeTheRecord)
{
    TConfig cfg;  // 30 / 60 / 120
    EXPECT_EQ(RecordState(cfg, 30), CallWaiting);
    EXPECT_EQ(ViewState(cfg, 30), CallPreWarn1);
    EXPECT_EQ(ViewState(cfg, 29), CallWaiting);
    EXPECT_EQ(RecordState(cfg, 31), CallPreWarn1);
    EXPECT_EQ(ViewState(cfg, 60), CallPreWarn1);
    EXPECT_EQ(ViewState(cfg, 61), CallPreWarn2);
    EXPECT_EQ(RecordState(cfg, 120), CallPreWarn2);
    EXPECT_EQ(ViewState(cfg, 121), CallTimedOut);
    // Thresholds are taken as given, even out of order.
    cfg.PreWarn3Time = 10;
    EXPECT_EQ(ViewState(cfg, 30), CallTimedOut);
}

TEST(CallTiming, ServiceTypeNames)
{
    TConfig cfg;
    cfg.ServerType1 = QStringLiteral("Water");
    EXPECT_EQ(ServiceTypeText(cfg, 12), QStringLiteral("Water"));
    EXPECT_EQ(ServiceTypeText(cfg, 11), QStringLiteral("BUTTON2"));
    EXPECT_EQ(ServiceTypeText(cfg, 13), QStringLiteral("BUTTON3"));
    EXPECT_EQ(ServiceTypeText(cfg, 14), QStringLiteral("Unknow"));
}

TEST(CallRecordList, UnlinkKeepsHeadTailAndIdentitiesRight)
{
    TCallRecordList list;
    TCallRecord* a = list.Append();
    TCallRecord* b = list.Append();
    TCallRecord* c = list.Append();
    EXPECT_NE(a->Id, b->Id);
    EXPECT_EQ(list.Unlink(b, c), nullptr);  // the tail
    TCallRecordList::Free(c);
    TCallRecord* d = list.Append();  // appended after the new tail
    EXPECT_EQ(b->Next, d);
    EXPECT_EQ(list.Unlink(nullptr, a), b);
    EXPECT_EQ(list.Find(a->Id), nullptr);
    TCallRecordList::Free(a);
    EXPECT_EQ(list.Head(), b);
    EXPECT_EQ(list.Find(d->Id), d);
    EXPECT_EQ(list.Count(), 2u);
}

TEST(CallGrid, HeaderAndOneEmptyRowAtStart)
{
    TCallGrid grid;
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(0, ColCallDate), QStringLiteral("呼叫日期"));
    EXPECT_EQ(grid.Cell(0, ColProcTime), QStringLiteral("处理时间"));
    EXPECT_EQ(grid.Cell(0, ColTimer), QStringLiteral("服务计时"));
    EXPECT_TRUE(grid.Cell(0, ColIdentity).isEmpty());
    EXPECT_EQ(grid.FindIdentity(QString()), -1);
}

TEST(CallGrid, GrowsToTheLimitThenPushesTheOldestOut)
{
    TCallGrid grid;
    for (int i = 1; i <= 10; ++i)
        grid.InsertAtTop(CallRow(QString::number(i)), 10);
    EXPECT_EQ(grid.RowCount(), 11);
    EXPECT_EQ(grid.Cell(10, ColIdentity), QStringLiteral("1"));
    grid.InsertAtTop(CallRow(QStringLiteral("11")), 10);
    EXPECT_EQ(grid.RowCount(), 11);
    EXPECT_EQ(grid.Cell(1, ColIdentity), QStringLiteral("11"));
    EXPECT_EQ(grid.Cell(10, ColIdentity), QStringLiteral("2"));
    EXPECT_EQ(grid.FindIdentity(QStringLiteral("1")), -1);
}

TEST(CallGrid, RemovingKeepsOneEmptyRowAndWritesOnlyChanges)
{
    TCallGrid grid;
    grid.InsertAtTop(CallRow(QStringLiteral("1")), 10);
    grid.InsertAtTop(CallRow(QStringLiteral("2")), 10);
    grid.RemoveRow(grid.FindIdentity(QStringLiteral("2")));
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(1, ColIdentity), QStringLiteral("1"));
    grid.RemoveRow(1);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_TRUE(grid.Cell(1, ColState).isEmpty());

    const uint64_t before = grid.Revision();
    EXPECT_FALSE(grid.SetCell(1, ColTimer, QString()));
    EXPECT_EQ(grid.Revision(), before);
    EXPECT_TRUE(grid.SetCell(1, ColTimer, QStringLiteral("00:00:01")));
    EXPECT_GT(grid.Revision(), before);
}

TEST(PopupSlots, NewestInSlot0AndColoursStayWithTheSlot)
{
    TPopupSlots popup;
    popup.Slots()[1].PanelColor = 0x123456;
    for (uint64_t id = 1; id <= 6; ++id)
        popup.PushNew({QString::number(id), QString(), QString()}, id);
    EXPECT_EQ(popup[0].Id, 6u);
    EXPECT_EQ(popup[4].Id, 2u);
    EXPECT_EQ(popup[4].Lines[0], QStringLiteral("2"));
    EXPECT_EQ(popup[1].PanelColor, 0x123456u);
    EXPECT_EQ(popup[2].PanelColor, SkyBlue);
    popup.Release(4);
    EXPECT_EQ(popup[2].Id, 0u);
    EXPECT_EQ(popup[2].Lines[0], QStringLiteral("4"));
}

TEST(PointColors, RepaintOnlyWhenColoursOrKeyChange)
{
    TConfig cfg;
    TLayOutPoint p;
    EXPECT_FALSE(UpdatePointColors(cfg, p));  // idle as loaded
    p.CallState = 1;
    p.CallKey = 12;
    EXPECT_TRUE(UpdatePointColors(cfg, p));
    EXPECT_EQ(p.BkColor, cfg.PreWarn1BkColor);
    EXPECT_EQ(p.TxtColor, cfg.PreWarn1TxtColor);
    EXPECT_EQ(p.DrawnKey, 12);
    EXPECT_FALSE(UpdatePointColors(cfg, p));
    p.CallKey = 13;
    EXPECT_TRUE(UpdatePointColors(cfg, p));
    p.CallState = 7;
    EXPECT_TRUE(UpdatePointColors(cfg, p));
    EXPECT_EQ(p.BkColor, SkyBlue);
    EXPECT_EQ(p.TxtColor, 0u);
}
