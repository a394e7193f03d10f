// Opening and closing calls: the record, the grids, the popup slots, the points and the log.
#include "CallTrackerFixture.h"


using CallTracker = CallTrackerFixture;

TEST_F(CallTracker, OpenedCallFillsRecordGridsPopupAndEventText)
{
    cfg.PopupWin = true;
    duty.Waiters[2] = QStringLiteral("Li");
    Open(2, 12, QTime(10, 10, 1));
    const TCallRecord* rec = tracker.Records().Head();
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->CallArea, QStringLiteral("Hall"));
    EXPECT_EQ(rec->CallDesktop, QStringLiteral("T2"));
    EXPECT_EQ(rec->ServerPersonnel, QStringLiteral("Li"));
    EXPECT_EQ(rec->Tick, 5000u);
    EXPECT_EQ(rec->PointIndex, 1);

    const QString date = QStringLiteral("08/12/2026");
    EXPECT_EQ(events.OpenedTexts, QStringList({date + QStringLiteral(" 10:10:01 Hall T2 请求\"BUTTON1\"服务")}));
    const QStringList row = {date, "10:10:01", "Hall", "T2", "BUTTON1", "Li", "", "00:00:00", "Waiting", "",
                             QString::number(rec->Id)};
    for (int col = 0; col < CallGridColumns; ++col) {
        EXPECT_EQ(Calls().Cell(1, col), row[col]) << col;
        EXPECT_EQ(Unproc().Cell(1, col), row[col]) << col;
    }
    const TPopupSlot& slot = tracker.Popup()[0];
    EXPECT_EQ(slot.Lines[0], date + QStringLiteral(" 10:10:01"));
    EXPECT_EQ(slot.Lines[1], QStringLiteral("HallT2BUTTON1"));
    EXPECT_EQ(slot.Lines[2], QStringLiteral("00:00:00 Waiting"));
    EXPECT_EQ(events.PopupShows, 1);
    EXPECT_EQ(Hall().ActiveCalls, 1);
    EXPECT_EQ(Hall().Points[1].CallState, 0);
    EXPECT_EQ(Hall().Points[1].CallKey, 12);
}

TEST_F(CallTracker, AddressOnNoLayoutIsTimedWithItsSubstituteText)
{
    Open(0x77);
    const TCallRecord* rec = tracker.Records().Head();
    EXPECT_TRUE(rec->CallArea.isEmpty());
    EXPECT_EQ(rec->CallDesktop, QStringLiteral("(0077)"));
    EXPECT_EQ(rec->LayOutNode, nullptr);
    EXPECT_EQ(events.PopupShows, 0);  // popup window off
    Passes(35);
    EXPECT_EQ(Unproc().Cell(1, ColState), QStringLiteral("Warn1"));
    EXPECT_EQ(Hall().ActiveCalls, 0);
}

TEST_F(CallTracker, OneCancelServesEveryCallAtTheAddress)
{
    duty.Waiters[1] = QStringLiteral("Li");
    Open(1, 11);
    Open(2, 12);
    Open(1, 13);
    Passes(3);
    tracker.CloseCallsAt(1, 0, QTime(12, 0, 30));
    ASSERT_EQ(log.Rows.size(), 2u);
    for (const LogRow& row : log.Rows) {
        EXPECT_TRUE(row.Served);
        EXPECT_EQ(row.Server, QStringLiteral("Li"));
        EXPECT_EQ(row.CancelTime, QTime(12, 0, 30));
    }
    EXPECT_EQ(log.Rows[0].Key, 11);
    EXPECT_EQ(log.Rows[1].Key, 13);
    EXPECT_EQ(events.ServedSeconds, std::vector<int>({30, 30}));
    ASSERT_EQ(tracker.Records().Count(), 1u);
    EXPECT_EQ(tracker.Records().Head()->Addr, 2);
    EXPECT_EQ(Hall().ActiveCalls, 1);
    EXPECT_EQ(Hall().Points[0].CallState, IdleCallState);
    EXPECT_EQ(Unproc().RowCount(), 2);
    EXPECT_EQ(Unproc().Cell(1, ColCallDesktop), QStringLiteral("T2"));

    // Served rows of the call grid: cancel time, duration, state and who served.
    for (int r : {1, 3}) {
        EXPECT_EQ(Calls().Cell(r, ColProcTime), QStringLiteral("12:00:30"));
        EXPECT_EQ(Calls().Cell(r, ColTimer), QStringLiteral("00:00:30"));
        EXPECT_EQ(Calls().Cell(r, ColState), QStringLiteral("Served"));
        EXPECT_EQ(Calls().Cell(r, ColProcPerson), QStringLiteral("Li"));
        EXPECT_TRUE(Calls().Cell(r, ColIdentity).isEmpty());
    }
    // A served row is no longer timed.
    Passes(2);
    EXPECT_EQ(Calls().Cell(1, ColTimer), QStringLiteral("00:00:30"));
    ExpectNoStaleReferences();
}

TEST_F(CallTracker, WhoServedFollowsTheCancelUnit)
{
    duty.Waiters[1] = QStringLiteral("Li");
    duty.Waiters[2] = QStringLiteral("Li");
    duty.Waiters[3] = QStringLiteral("Li");
    duty.Cancellers[7] = QStringLiteral("Wang");
    Open(1);
    Open(2);
    Open(3);
    duty.Waiters[1] = QStringLiteral("Zhao");  // the roster changed since
    tracker.CloseCallsAt(1, 0, QTime(12, 0, 5));
    tracker.CloseCallsAt(2, 7, QTime(12, 0, 5));
    tracker.CloseCallsAt(3, 9, QTime(12, 0, 5));  // a unit nobody on duty carries
    ASSERT_EQ(log.Rows.size(), 3u);
    EXPECT_EQ(log.Rows[0].Server, QStringLiteral("Li"));
    EXPECT_EQ(log.Rows[1].Server, QStringLiteral("Wang"));
    EXPECT_TRUE(log.Rows[2].Server.isEmpty());
}

TEST_F(CallTracker, CancelWithoutLiveCallLeavesNoTrace)
{
    Open(1);
    const int gridChanges = events.GridChanges;
    tracker.CloseCallsAt(2, 0, QTime(12, 0, 5));
    EXPECT_TRUE(log.Rows.empty());
    EXPECT_EQ(tracker.Records().Count(), 1u);
    EXPECT_EQ(events.GridChanges, gridChanges + 1);  // the grid is repainted all the same
}

TEST_F(CallTracker, DurationAcrossMidnightIsTheAbsoluteDifference)
{
    Open(1, 11, QTime(23, 59, 50));
    tracker.CloseCallsAt(1, 0, QTime(0, 0, 10));
    EXPECT_EQ(Calls().Cell(1, ColTimer), QStringLiteral("23:59:40"));
    EXPECT_EQ(log.Rows.at(0).Seconds, 23 * 3600 + 59 * 60 + 40);
}

TEST_F(CallTracker, ACallIsJournaledBeforeAnyViewShowsIt)
{
    duty.Waiters[1] = QStringLiteral("Li");
    int journaled = 0;
    log.OnOpened = [&](const TCallRecord& rec) {
        ++journaled;
        EXPECT_EQ(rec.ServerPersonnel, QStringLiteral("Li"));   // complete when journaled
        EXPECT_EQ(rec.CallDesktop, QStringLiteral("T1"));
        EXPECT_LT(Calls().FindIdentity(QString::number(rec.Id)), 0);
        EXPECT_EQ(Hall().ActiveCalls, 0);
        EXPECT_TRUE(events.OpenedTexts.isEmpty());
    };
    Open(1);
    EXPECT_EQ(journaled, 1);
    EXPECT_EQ(events.OpenedTexts.size(), 1);
}

TEST_F(CallTracker, ARestoredCallGoesOnAgeingAndEndsLikeAnyOther)
{
    cfg.PreWarn3Time = 120;
    clock.SetTick(1000000);
    TJournalEntry entry;
    entry.JournalId = 42;
    entry.Addr = 2;
    entry.Key = 13;
    entry.Row.CallDate = clock.Today();
    entry.Row.CallTime = QTime(11, 58, 0);
    entry.Row.CallArea = QStringLiteral("Old hall");   // as recorded, not as the layout now names it
    entry.Row.CallDesktop = QStringLiteral("Old T2");
    entry.Row.ServerPersonnel = QStringLiteral("Wang");
    tracker.RestoreCall(entry, 100);

    const TCallRecord* rec = tracker.Records().Head();
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->JournalId, 42);
    EXPECT_EQ(rec->PointIndex, 1);   // on its point again
    EXPECT_EQ(Hall().ActiveCalls, 1);
    EXPECT_EQ(Unproc().Cell(1, ColCallDesktop), QStringLiteral("Old T2"));
    EXPECT_EQ(events.RestoredTexts.size(), 1);
    EXPECT_TRUE(events.OpenedTexts.isEmpty());

    Passes(20);   // 120 s old: still live
    EXPECT_TRUE(log.Rows.empty());
    Passes(1);
    ASSERT_EQ(log.Rows.size(), 1u);
    EXPECT_FALSE(log.Rows[0].Served);
    EXPECT_EQ(log.Rows[0].Seconds, 121);
    EXPECT_EQ(Hall().ActiveCalls, 0);
}

TEST_F(CallTracker, EleventhCallPushesTheFirstOutOfTheCallGrid)
{
    cfg.ViewRecords = 10;
    Open(1);
    for (int i = 0; i < 9; ++i)
        Open(2);
    tracker.CloseCallsAt(2, 0, QTime(12, 0, 5));
    Open(3);
    EXPECT_EQ(Calls().RowCount(), 11);
    EXPECT_EQ(Calls().Cell(1, ColCallDesktop), QStringLiteral("T3"));
    EXPECT_EQ(Calls().Cell(10, ColCallDesktop), QStringLiteral("T2"));
    EXPECT_EQ(Unproc().RowCount(), 3);
    EXPECT_EQ(Unproc().Cell(2, ColCallDesktop), QStringLiteral("T1"));

    const QStringList statesBefore = [&] {
        QStringList states;
        for (int r = 1; r < Calls().RowCount(); ++r)
            states << Calls().Cell(r, ColState);
        return states;
    }();
    tracker.CloseCallsAt(1, 0, QTime(12, 0, 9));
    EXPECT_EQ(log.Rows.size(), 10u);
    EXPECT_TRUE(log.Rows.back().Served);
    EXPECT_EQ(Unproc().RowCount(), 2);
    EXPECT_EQ(Unproc().Cell(1, ColCallDesktop), QStringLiteral("T3"));
    for (int r = 1; r < Calls().RowCount(); ++r)
        EXPECT_EQ(Calls().Cell(r, ColState), statesBefore[r - 1]) << r;
}

TEST_F(CallTracker, PopupKeepsTheFiveNewestAndShowsServedCalls)
{
    cfg.PopupWin = true;
    for (uint16_t a = 1; a <= 3; ++a)
        Open(a);
    for (uint16_t a = 1; a <= 3; ++a)
        Open(static_cast<uint16_t>(0x10 + a));
    const auto& popup = tracker.Popup().Slots();
    EXPECT_TRUE(popup[0].Lines[1].startsWith(QStringLiteral("(0013)")));
    EXPECT_TRUE(popup[4].Lines[1].startsWith(QStringLiteral("HallT2")));
    EXPECT_EQ(events.PopupShows, 6);

    tracker.CloseCallsAt(2, 0, QTime(12, 0, 7));
    EXPECT_EQ(popup[4].Id, 0u);
    EXPECT_EQ(popup[4].Lines[2], QStringLiteral("12:00:07 Served"));
    EXPECT_EQ(popup[4].PanelColor, cfg.SuccessBkColor);
    EXPECT_EQ(popup[4].LineColors[0], cfg.SuccessTxtColor);
    Passes(31);  // a released slot is no longer timed
    EXPECT_EQ(popup[4].Lines[2], QStringLiteral("12:00:07 Served"));
    EXPECT_EQ(popup[3].Lines[2], QStringLiteral("00:00:31 Warn1"));
    ExpectNoStaleReferences();
}

TEST_F(CallTracker, RelinkAfterTheLayoutsWereRebuilt)
{
    Open(1, 11);
    Open(2, 12);
    Open(3, 13);
    Passes(45);
    // Point 1 moved to a new layout, point 2 was deleted, point 3 stayed.
    tree.Clear();
    TLayOutNode& hall = AddLayout(QStringLiteral("Hall"), 3, 1);
    TLayOutNode& terrace = AddLayout(QStringLiteral("Terrace"), 1, 1);
    tree.Selected = &terrace;
    tracker.RelinkCallRecords();

    const TCallRecord* first = tracker.Records().Head();
    const TCallRecord* second = first->Next;
    const TCallRecord* third = second->Next;
    EXPECT_EQ(first->LayOutNode, &terrace);
    EXPECT_EQ(first->CallArea, QStringLiteral("Hall"));  // texts are kept
    EXPECT_EQ(second->LayOutNode, nullptr);
    EXPECT_EQ(second->CallDesktop, QStringLiteral("T2"));
    EXPECT_EQ(third->LayOutNode, &hall);
    EXPECT_EQ(terrace.ActiveCalls, 1);
    EXPECT_EQ(hall.ActiveCalls, 1);
    EXPECT_EQ(terrace.Points[0].CallState, 1);
    EXPECT_EQ(terrace.Points[0].BkColor, cfg.PreWarn1BkColor);  // selected: drawn at once
    EXPECT_EQ(hall.Points[0].CallState, 1);

    tracker.CloseCallsAt(1, 0, QTime(12, 1, 0));
    tracker.CloseCallsAt(2, 0, QTime(12, 1, 0));
    EXPECT_EQ(terrace.ActiveCalls, 0);
    EXPECT_EQ(terrace.Points[0].CallState, IdleCallState);
    EXPECT_EQ(log.Rows.size(), 2u);
}

TEST_F(CallTracker, ShutdownLogsEveryLiveCallOnceAndLetsGoOfThem)
{
    cfg.PopupWin = true;
    Open(1);
    Open(2);
    Open(0x55);
    tracker.CloseCallsAt(2, 0, QTime(12, 0, 3));
    Passes(10);
    tracker.LogAllOpenCalls();
    ASSERT_EQ(log.Rows.size(), 3u);
    EXPECT_FALSE(log.Rows[1].Served);
    EXPECT_FALSE(log.Rows[2].Served);
    EXPECT_NE(log.Rows[1].Id, log.Rows[2].Id);
    EXPECT_EQ(log.Rows[2].Seconds, 10);
    EXPECT_EQ(tracker.Records().Count(), 0u);
    EXPECT_EQ(Hall().ActiveCalls, 0);
    EXPECT_TRUE(Unproc().Cell(1, ColState).isEmpty());
    for (const TPopupSlot& slot : tracker.Popup().Slots())
        EXPECT_EQ(slot.Id, 0u);
    for (int r = 1; r < Calls().RowCount(); ++r)
        EXPECT_TRUE(Calls().Cell(r, ColIdentity).isEmpty());

    tracker.LogAllOpenCalls();
    Passes(200);
    EXPECT_EQ(log.Rows.size(), 3u);
}
