// The worker's pacing of the window thread, with a hand-moved tick.
#include "core/Clock.h"
#include "station/FaceThread.h"
#include "support/PumpUntil.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

namespace {

void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

struct Counts {
    int reloads = 0;
    int parses = 0;
    int refreshes = 0;
    Qt::HANDLE thread = nullptr;
};

TFaceWork CountingWork(Counts& c)
{
    TFaceWork w;
    w.ReloadLayouts = [&c] { ++c.reloads; c.thread = QThread::currentThreadId(); };
    w.ParseRecvData = [&c] { ++c.parses; c.thread = QThread::currentThreadId(); };
    w.RefreshCallRecordState = [&c] { ++c.refreshes; };
    return w;
}

}  // namespace

TEST(FaceThread, RefreshesAfterMoreThan990TicksEvenWithoutData)
{
    ManualClock clock;
    clock.SetTick(5000);
    Counts c;
    QObject context;
    TFaceThread worker(&context, clock, CountingWork(c), 10);
    worker.start();
    ASSERT_TRUE(PumpUntil([&] { return c.refreshes == 1; }));  // the first cycle refreshes
    PumpFor(100);
    EXPECT_EQ(c.refreshes, 1);  // the tick stood still
    EXPECT_GT(c.parses, 1);     // the parser runs every cycle
    clock.SetTick(5000 + 990);
    PumpFor(100);
    EXPECT_EQ(c.refreshes, 1);  // not at exactly 990 ms
    clock.SetTick(5000 + 991);
    ASSERT_TRUE(PumpUntil([&] { return c.refreshes == 2; }));
    EXPECT_EQ(c.thread, QThread::currentThreadId());  // work runs on the window thread
    worker.Stop();
    worker.wait();
}

TEST(FaceThread, RefreshSurvivesTheTickWrap)
{
    ManualClock clock;
    clock.SetTick(0xFFFFFF00u);
    Counts c;
    QObject context;
    TFaceThread worker(&context, clock, CountingWork(c), 10);
    worker.start();
    ASSERT_TRUE(PumpUntil([&] { return c.refreshes == 1; }));
    clock.SetTick(0x00000400u);  // 0x500 ms later across the wrap
    ASSERT_TRUE(PumpUntil([&] { return c.refreshes == 2; }));
    worker.Stop();
    worker.wait();
}

TEST(FaceThread, PulseParsesAtOnceAndLayoutChangeReloadsOnce)
{
    ManualClock clock;
    Counts c;
    QObject context;
    // A long cycle: only a pulse can bring the parse soon.
    TFaceThread worker(&context, clock, CountingWork(c), 60000);
    worker.start();
    PumpFor(50);
    EXPECT_EQ(c.parses, 0);
    worker.PulseRecvEvent();
    ASSERT_TRUE(PumpUntil([&] { return c.parses >= 1; }));
    const int parses = c.parses;
    worker.RaiseLayoutChange();
    ASSERT_TRUE(PumpUntil([&] { return c.reloads == 1 && c.parses > parses; }));
    PumpFor(50);
    EXPECT_EQ(c.reloads, 1);
    worker.Stop();
    worker.wait();
}

TEST(FaceThread, StopWhileARequestWaitsNeverDeadlocks)
{
    ManualClock clock;
    Counts c;
    QObject context;
    TFaceThread worker(&context, clock, CountingWork(c), 5);
    worker.start();
    // The window thread does not run its event loop: the worker's request stays pending.
    QThread::msleep(50);
    worker.Stop();
    EXPECT_TRUE(worker.wait(3000));
    const int before = c.parses + c.refreshes;
    PumpFor(50);  // the pending request is dropped, not run
    EXPECT_EQ(c.parses + c.refreshes, before);
}
