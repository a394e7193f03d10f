// The warning-sound decisions of one timing pass.
#include "CallTrackerFixture.h"
#include "calls/SoundAlarm.h"

namespace {

class SoundAlarmTest : public ::testing::Test {
protected:
    SoundAlarmTest()
    {
        cfg.PreWarnWav1 = QStringLiteral("warn1.wav");
        cfg.PreWarnWav2 = QStringLiteral("warn2.wav");
    }
    void Pass(bool entered1, bool in1, bool entered2 = false, bool in2 = false)
    {
        alarm.Update(cfg, TSoundWish{entered1, in1, entered2, in2});
    }
    TConfig cfg;
    FakeSound player;
    TSoundAlarm alarm{player};
};

}  // namespace

TEST_F(SoundAlarmTest, OnceIsStartedPerEntryAndCutOffByAQuietPass)
{
    Pass(true, true);
    Pass(true, true);   // another call entered: the same file starts again
    Pass(false, true);  // nobody entered: once wants nothing
    Pass(false, true);
    EXPECT_EQ(player.Ops, QStringList({"once:warn1.wav", "once:warn1.wav", "stop"}));
    EXPECT_FALSE(alarm.SoundPlaying());
}

TEST_F(SoundAlarmTest, LoopRunsUndisturbedUntilNoCallIsInTheState)
{
    cfg.PreWarnWavePlayMode1 = 2;
    Pass(true, true);
    Pass(false, true);
    Pass(true, true);
    EXPECT_EQ(player.Ops, QStringList({"loop:warn1.wav"}));
    EXPECT_EQ(alarm.SoundMode(), TSoundMode::Loop);
    Pass(false, false);
    Pass(false, false);
    EXPECT_EQ(player.Ops, QStringList({"loop:warn1.wav", "stop"}));
    Pass(false, true);
    EXPECT_EQ(player.Ops.last(), QStringLiteral("loop:warn1.wav"));
}

TEST_F(SoundAlarmTest, PreWarning2OverridesAndSwitchesTheLoop)
{
    cfg.PreWarnWavePlayMode1 = 2;
    cfg.PreWarnWavePlayMode2 = 2;
    Pass(true, true);
    Pass(false, true, true, true);
    Pass(false, true, false, true);
    EXPECT_EQ(player.Ops, QStringList({"loop:warn1.wav", "loop:warn2.wav"}));
    EXPECT_EQ(alarm.SoundFile(), QStringLiteral("warn2.wav"));
    // Once for pre-warning 2 after a loop of the same file restarts it as a single play.
    cfg.PreWarnWavePlayMode2 = 1;
    Pass(false, false, true, true);
    EXPECT_EQ(player.Ops.last(), QStringLiteral("once:warn2.wav"));
}

TEST_F(SoundAlarmTest, MuteWantsNothing)
{
    cfg.PreWarnWavePlayMode1 = 0;
    cfg.PreWarnWavePlayMode2 = 0;
    Pass(true, true, true, true);
    EXPECT_TRUE(player.Ops.isEmpty());
    EXPECT_EQ(alarm.SoundMode(), TSoundMode::None);
}
