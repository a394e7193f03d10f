// One refresh pass of the live calls including the repaint of the main
// window, with 500 live calls and a layout of 200 points shown.
#include "calls/SoundPlayer.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "core/Environment.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

class Quiet final : public ISoundPlayer {
public:
    void PlayOnce(const QString&) override {}
    void PlayLoop(const QString&) override {}
    void Stop() override {}
};

bool SeedLayoutOf200Points(const QString& dataDir)
{
    TDM_Sys store;
    if (!store.Open(dataDir))
        return false;
    return store.InTransaction([&] {
        TQuery q(store);
        q.SetSQL("insert into LayOutName values(1, 'Hall', '')");
        if (!q.ExecSQL())
            return false;
        for (int i = 0; i < 200; ++i) {
            q.SetSQL("insert into LayOutPoint values(?, 1, ?, ?, 0, ?, ?, ?, 56, 36, '')");
            for (const QVariant& v : {QVariant(i + 1), QVariant(QStringLiteral("T%1").arg(i + 1)), QVariant(i % 2),
                                      QVariant(10 + (i % 20) * 60), QVariant(10 + (i / 20) * 42), QVariant(i % 3)})
                q.Bind(v);
            if (!q.ExecSQL())
                return false;
        }
        return true;
    });
}

void BM_RefreshWithRepaint(benchmark::State& state)
{
    QTemporaryDir data;
    TEnvironment env = MakeEnvironment(data.path(), true);
    if (!SeedLayoutOf200Points(env.DataDir)) {
        state.SkipWithError("cannot seed the layout");
        return;
    }
    ManualClock clock;
    clock.SetTick(100000);
    Quiet sound;
    TStation station(env, clock, sound);
    TFrm_Main window(station, clock);
    if (!window.Start()) {
        state.SkipWithError("cannot start the station");
        return;
    }
    env.Config.ServiceTimeOutKeepOnTime = true;  // every call stays live and keeps changing
    window.resize(1280, 800);
    window.show();
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("Tvw_LayOut"));
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    TCallTracker& calls = window.Station().Tracker();
    for (int i = 0; i < 500; ++i) {
        calls.OpenCall(static_cast<uint16_t>(1 + i % 200), static_cast<uint8_t>(11 + i % 3), QTime(12, 0, 0), QString());
        clock.Advance(300);  // ages spread over 150 s: every state is present
    }
    QApplication::processEvents();
    for (auto _ : state) {
        clock.Advance(1000);
        calls.RefreshCallRecordState();
        window.repaint();
        QApplication::processEvents();
    }
    window.Station().Close();
}

}  // namespace

BENCHMARK(BM_RefreshWithRepaint)->Unit(benchmark::kMillisecond)->Iterations(100);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
