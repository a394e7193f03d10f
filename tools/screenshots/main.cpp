// screenshots OUTDIR: the main window in its three views with live calls in
// several states, the popup call window, the device windows, the
// data-maintenance dialogs, and the history and statistics windows over two
// months of generated calls, saved as PNG files. Runs the real windows over a
// sample restaurant with a hand-moved clock.
#include "CallLogGenerator.h"
#include "DeviceWindowShots.h"
#include "MaintenanceShots.h"
#include "ReportShots.h"
#include "Shots.h"

#include "app/DemoRestaurant.h"
#include "calls/SoundPlayer.h"
#include "calls/ui/PopupWin.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "core/Environment.h"
#include "mainwindow/CallViews.h"
#include "mainwindow/MainWindow.h"
#include "operators/LoginMsg.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

class SilentSound final : public ISoundPlayer {
public:
    void PlayOnce(const QString&) override {}
    void PlayLoop(const QString&) override {}
    void Stop() override {}
};

void Click(QWidget& w, const TFuncButton& b)
{
    const QPointF at((b.Left + b.Right) / 2.0, (b.Top + b.Bottom) / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
    QApplication::sendEvent(&w, &release);
    Settle();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots")).absolutePath();
    QDir().mkpath(out);
    QTemporaryDir data;
    TEnvironment env = MakeEnvironment(data.path(), true);
    {
        TDM_Sys store;
        QString error;
        const TCallLogPlan calls{QDate::currentDate().addDays(-59), 60, 24000, 7, QDate::currentDate().addDays(-30)};
        if (!store.Open(env.DataDir, &error) || !SeedDemoRestaurant(store, env.ConfigPath, &error)
            || !GenerateCallLog(store, calls, &error)) {
            QTextStream(stderr) << "screenshots: " << error << Qt::endl;
            return 1;
        }
    }

    ManualClock clock;
    clock.SetTick(1000000);
    clock.SetTime(QTime(19, 30, 0));
    SilentSound sound;
    TStation station(env, clock, sound);
    TFrm_Main window(station, clock);
    QString error;
    if (!window.Start(&error)) {
        QTextStream(stderr) << "screenshots: " << error << Qt::endl;
        return 1;
    }
    env.Config.ServiceTimeOutKeepOnTime = true;  // timed-out calls stay on show
    window.show();
    window.SetLogin({true, 1, QStringLiteral("admin"), QDateTime::currentDateTime(), PopedomAll});

    // Calls of several ages at the tables of the main hall (thresholds 20/40/60 s).
    TCallTracker& calls = window.Station().Tracker();
    const struct {
        uint16_t addr;
        uint8_t key;
        uint32_t ageBefore;  // seconds the clock moves on after this call
    } presses[] = {{0x0001, 11, 25}, {0x0002, 12, 25}, {0x0003, 13, 20}, {0x0005, 11, 15}, {0x0006, 12, 10}, {0x0007, 13, 5}};
    for (const auto& p : presses) {
        calls.OpenCall(p.addr, p.key, clock.TimeOfDay(), QString());
        for (uint32_t s = 0; s < p.ageBefore; ++s) {
            clock.Advance(1000);
            calls.RefreshCallRecordState();
        }
    }
    calls.CloseCallsAt(0x0006, 0x01, clock.TimeOfDay());
    calls.RefreshCallRecordState();
    Settle();

    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("Tvw_LayOut"));
    if (tree && tree->topLevelItemCount() > 0 && tree->topLevelItem(0)->childCount() > 0)
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    Settle();

    bool ok = Save(window, out + "/main-layout-view.png");
    Click(window, window.Buttons().Button(17));
    ok = Save(window, out + "/main-call-records.png") && ok;
    Click(window, window.Buttons().Button(18));
    ok = Save(window, out + "/main-unprocessed.png") && ok;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* popup = qobject_cast<TFrm_PopupWin*>(w))
            ok = Save(*popup, out + "/popup-window.png") && ok;
    ok = SaveMaintenanceDialogs(out, &window, window.Station().Store(), env) && ok;
    ok = SaveReportShots(out, window.Station().Store(), window.Station().LayoutTree(), env) && ok;

    ok = SaveDeviceWindowShots(out, env.ConfigPath, [&](int n) { Click(window, window.Buttons().Button(n)); }) && ok;
    window.Station().Close();
    return ok ? 0 : 1;
}
