// One timing pass over a busy station: 10 000 live calls spread over the 200
// points of the shown layout, timed-out calls kept on time.
#include "calls/CallLog.h"
#include "calls/CallTracker.h"
#include "calls/DutyLookup.h"
#include "calls/SoundPlayer.h"
#include "core/Clock.h"
#include "layout/LayoutModel.h"

#include <benchmark/benchmark.h>

namespace {

struct NoDuty final : IDutyLookup {
    QString FindOnDutyWaiter(uint16_t) const override { return QStringLiteral("Li"); }
    QString FindCanceller(uint8_t) const override { return QString(); }
    QString FindStaffNumber(const QString&) const override { return QString(); }
};

struct NoLog final : ICallLogWriter {
    void CallOpened(TCallRecord&) override {}
    void LogServedCall(const TCallRecord&, const QString&, const QTime&) override {}
    void LogUnservedCall(const TCallRecord&) override {}
};

struct NoSound final : ISoundPlayer {
    void PlayOnce(const QString&) override {}
    void PlayLoop(const QString&) override {}
    void Stop() override {}
};

void BM_RefreshTenThousandCalls(benchmark::State& state)
{
    constexpr int kPoints = 200;
    constexpr int kCalls = 10000;
    ManualClock clock;
    clock.SetTick(1000);
    TConfig cfg;
    cfg.ServiceTimeOutKeepOnTime = true;
    cfg.PopupWin = true;
    TStateTexts texts{QStringLiteral("Waiting"), QStringLiteral("Served"), QStringLiteral("Warn1"),
                      QStringLiteral("Warn2"), QStringLiteral("TimedOut")};
    TLayOutTree tree;
    auto hall = std::make_unique<TLayOutNode>();
    hall->Name = QStringLiteral("Hall");
    hall->Points.resize(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        hall->Points[i].Address = static_cast<uint16_t>(i + 1);
        hall->Points[i].Name = QStringLiteral("T%1").arg(i + 1);
    }
    tree.Selected = hall.get();
    tree.Layouts.push_back(std::move(hall));

    NoDuty duty;
    NoLog log;
    NoSound sound;
    ICallEvents events;
    const TDateFormats formats;
    TCallTracker tracker(clock, cfg, texts, formats, tree, duty, log, sound, events);
    // Calls arrive 15 ms apart, so the pass sees them in every state over the run.
    for (int i = 0; i < kCalls; ++i) {
        tracker.OpenCall(static_cast<uint16_t>(1 + i % kPoints), static_cast<uint8_t>(11 + i % 3), QTime(12, 0, 0),
                         QString());
        clock.Advance(15);
    }

    for (auto _ : state) {
        clock.Advance(1000);
        tracker.RefreshCallRecordState();
    }
    if (tracker.Records().Count() != kCalls)
        state.SkipWithError("calls were lost");
    state.SetItemsProcessed(state.iterations() * kCalls);
}

}  // namespace

BENCHMARK(BM_RefreshTenThousandCalls)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
