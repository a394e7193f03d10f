// The once-a-second pass: states by threshold, sounds, time-outs, the counter wrap, many calls.
#include "CallTrackerFixture.h"

using CallTimingFlow = CallTrackerFixture;

TEST_F(CallTimingFlow, ViewsWarnAt30ThePointAndTheSoundAt31)
{
    cfg.PopupWin = true;
    Open(1);
    Passes(30);
    EXPECT_EQ(Calls().Cell(1, ColState), QStringLiteral("Warn1"));
    EXPECT_EQ(Unproc().Cell(1, ColState), QStringLiteral("Warn1"));
    EXPECT_EQ(Calls().Cell(1, ColTimer), QStringLiteral("00:00:30"));
    EXPECT_EQ(tracker.Popup()[0].Lines[2], QStringLiteral("00:00:30 Warn1"));
    EXPECT_EQ(tracker.Popup()[0].PanelColor, cfg.PreWarn1BkColor);
    EXPECT_EQ(tracker.Popup()[0].LineColors[2], cfg.PreWarn1TxtColor);
    EXPECT_EQ(Hall().Points[0].CallState, 0);
    EXPECT_EQ(Hall().Points[0].BkColor, cfg.NormalBkColor);
    EXPECT_TRUE(sound.Ops.isEmpty());

    Passes(1);
    EXPECT_EQ(Hall().Points[0].CallState, 1);
    EXPECT_EQ(Hall().Points[0].BkColor, cfg.PreWarn1BkColor);
    EXPECT_EQ(tracker.Records().Head()->State, 1);
    EXPECT_EQ(sound.Ops, QStringList({"once:warn1.wav"}));
    Passes(1);  // a play-once sound is cut off by the next quiet pass
    EXPECT_EQ(sound.Ops, QStringList({"once:warn1.wav", "stop"}));
}

TEST_F(CallTimingFlow, CallsEnteringTogetherSoundOnceALaterOneAgain)
{
    Open(1);
    Open(2);
    Passes(1);
    Open(3);
    Passes(30);
    EXPECT_EQ(sound.Ops, QStringList({"once:warn1.wav"}));
    Passes(1);
    EXPECT_EQ(sound.Ops, QStringList({"once:warn1.wav", "once:warn1.wav"}));
}

TEST_F(CallTimingFlow, LoopSoundsWhileAnyCallIsInPreWarning1)
{
    cfg.PreWarnWavePlayMode1 = 2;
    cfg.PreWarnWavePlayMode2 = 0;
    Open(1);
    Passes(5);
    Open(2);
    Passes(40);
    EXPECT_EQ(sound.Ops, QStringList({"loop:warn1.wav"}));
    tracker.CloseCallsAt(1, 0, QTime(12, 1, 0));
    Passes(1);
    EXPECT_EQ(sound.Ops, QStringList({"loop:warn1.wav"}));
    Passes(25);  // call 2 is past pre-warning 2, which is mute
    EXPECT_EQ(sound.Ops, QStringList({"loop:warn1.wav", "stop"}));
    EXPECT_FALSE(tracker.Sound().SoundPlaying());
}

TEST_F(CallTimingFlow, TimedOutCallIsLoggedAndLeavesEveryViewButTheCallGrid)
{
    Open(1);
    const uint64_t id = tracker.Records().Head()->Id;
    Passes(120);
    EXPECT_EQ(Hall().ActiveCalls, 1);
    EXPECT_EQ(tracker.Popup()[0].Id, id);
    Passes(1);

    ASSERT_EQ(log.Rows.size(), 1u);
    EXPECT_FALSE(log.Rows[0].Served);
    EXPECT_EQ(log.Rows[0].Seconds, 121);
    EXPECT_EQ(events.TimedOutSeconds, std::vector<uint32_t>({121}));
    EXPECT_EQ(tracker.Records().Count(), 0u);
    EXPECT_TRUE(Unproc().Cell(1, ColState).isEmpty());
    EXPECT_EQ(Calls().Cell(1, ColState), QStringLiteral("TimedOut"));
    EXPECT_EQ(Calls().Cell(1, ColTimer), QStringLiteral("00:02:00"));
    EXPECT_TRUE(Calls().Cell(1, ColIdentity).isEmpty());
    // The popup window is off, yet its slot lets go of the ended call.
    EXPECT_EQ(tracker.Popup()[0].Id, 0u);
    EXPECT_EQ(Hall().Points[0].CallState, IdleCallState);
    EXPECT_EQ(Hall().Points[0].BkColor, SkyBlue);
    EXPECT_EQ(Hall().ActiveCalls, 0);

    Passes(3);
    EXPECT_EQ(Calls().Cell(1, ColTimer), QStringLiteral("00:02:00"));
    EXPECT_EQ(log.Rows.size(), 1u);
    ExpectNoStaleReferences();
}

TEST_F(CallTimingFlow, KeepOnTimeTimesEveryTimedOutRow)
{
    cfg.ServiceTimeOutKeepOnTime = true;
    cfg.PopupWin = true;
    Open(1);
    Open(2);
    Open(3);
    Passes(125);
    for (const auto& [name, grid] : {std::pair{"call list", &Calls()}, std::pair{"unprocessed list", &Unproc()}}) {
        for (int r = 1; r <= 3; ++r) {
            SCOPED_TRACE(testing::Message() << name << " row " << r);
            EXPECT_EQ(grid->Cell(r, ColTimer), QStringLiteral("00:02:05"));
            EXPECT_EQ(grid->Cell(r, ColState), QStringLiteral("TimedOut"));
        }
    }
    EXPECT_EQ(tracker.Popup()[2].Lines[2], QStringLiteral("00:02:05 TimedOut"));
    EXPECT_NE(tracker.Popup()[2].Id, 0u);
    EXPECT_EQ(Hall().Points[2].CallState, 3);
    EXPECT_EQ(tracker.Records().Head()->State, 3);
    EXPECT_TRUE(log.Rows.empty());
    EXPECT_EQ(sound.Ops.last(), QStringLiteral("stop"));  // timed-out calls want no sound
}

TEST_F(CallTimingFlow, TheOldestCallAtAPointDecidesItsColour)
{
    Open(1, 12);
    Passes(40);
    Open(1, 13);
    EXPECT_EQ(Hall().Points[0].CallState, 0);  // a new call shows at once
    EXPECT_EQ(Hall().Points[0].DrawnKey, 13);
    Passes(1);
    EXPECT_EQ(Hall().Points[0].CallState, 1);
    EXPECT_EQ(Hall().Points[0].DrawnKey, 12);
    EXPECT_EQ(Hall().ActiveCalls, 2);
    // The oldest times out; the newer one governs the point in the same pass.
    Passes(80);
    EXPECT_EQ(tracker.Records().Count(), 1u);
    EXPECT_EQ(Hall().Points[0].CallState, 2);
    EXPECT_EQ(Hall().Points[0].CallKey, 13);
    EXPECT_EQ(Hall().ActiveCalls, 1);
}

TEST_F(CallTimingFlow, OnlyChangedPointsOfTheSelectedLayoutAreRepainted)
{
    TLayOutNode& other = AddLayout(QStringLiteral("Terrace"), 0x100, 1);
    Open(1);
    Open(0x100);
    EXPECT_EQ(events.PointChanges, std::vector<int>({0}));
    Passes(5);
    EXPECT_EQ(events.PointChanges, std::vector<int>({0}));
    EXPECT_EQ(other.Points[0].CallState, 0);
    EXPECT_EQ(other.Points[0].BkColor, SkyBlue);  // not drawn while not shown
}

TEST_F(CallTimingFlow, TenThousandLiveCallsThroughOnePass)
{
    tree.Clear();
    tree.Selected = &AddLayout(QStringLiteral("Hall"), 1, 200);
    for (int i = 0; i < 10000; ++i) {
        Open(static_cast<uint16_t>(1 + i % 200), static_cast<uint8_t>(11 + i % 3));
        clock.Advance(10);
    }
    // Call 999 was opened at 5000 + 9990: it and all before it have run past the time-out, call 1000 not.
    clock.SetTick(5000 + 9990 + 121000);
    tracker.RefreshCallRecordState();

    EXPECT_EQ(log.Rows.size(), 1000u);
    EXPECT_EQ(tracker.Records().Count(), 9000u);
    EXPECT_EQ(Hall().ActiveCalls, 9000);
    EXPECT_EQ(Calls().RowCount(), cfg.ViewRecords + 1);
    const uint32_t now = clock.Tick();
    std::vector<const TCallRecord*> oldest(200, nullptr);
    for (const TCallRecord* rec = tracker.Records().Head(); rec; rec = rec->Next) {
        const uint32_t e = ElapsedSeconds(rec->Tick, now);
        ASSERT_LE(e, 120u);
        ASSERT_EQ(static_cast<int>(rec->State), e > 60 ? 2 : e > 30 ? 1 : 0);
        if (!oldest[rec->PointIndex])
            oldest[rec->PointIndex] = rec;
    }
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(Hall().Points[i].CallState, oldest[i]->State) << i;
        ASSERT_EQ(Hall().Points[i].CallKey, oldest[i]->Key) << i;
    }
    ExpectNoStaleReferences();
}
