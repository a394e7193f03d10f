// callstation [--data-dir DIR] [--headless]
#include "app/ConsoleEvents.h"
#include "app/SignalQuit.h"
#include "calls/ui/SoundEffectPlayer.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/Paths.h"
#include "core/Station.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace {

// CALLSTATION_CLOCK_RATE=N runs the station's tick N times faster, so that
// whole-process tests go through long service times quickly.
uint32_t ClockRate()
{
    const int rate = qEnvironmentVariableIntValue("CALLSTATION_CLOCK_RATE");
    return rate > 1 ? static_cast<uint32_t>(rate) : 1u;
}

int RunHeadless(QCoreApplication& app)
{
    SystemClock clock(ClockRate());
    TConsoleEvents console;
    TSoundEffectPlayer effects;
    TConsoleSound sound(console, &effects);
    TStation station(clock, sound, console);
    station.SetWorkerCycle(static_cast<int>(1000 / clock.Rate()));
    QObject::connect(&station, &TStation::PortStatusChanged, &app,
                     [&console](const QString& text, bool isError) { console.PortStatus(text, isError); });
    QString error;
    if (!station.Start(&error)) {
        console.Line(QStringLiteral("error   cannot open the data store in %1: %2").arg(DataDir, error));
        return 1;
    }
    console.Line(QStringLiteral("station %1 running, data in %2").arg(Config.Title, DataDir));
    OnTerminationSignal([&] {
        station.Close();
        console.Line(QStringLiteral("station closed"));
        app.quit();
    });
    return app.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("callstation"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Data directory."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption headless(QStringLiteral("headless"), QStringLiteral("Run without windows."));
    parser.addOptions({dataDir, headless});
    parser.process(app);

    InitDataDir(parser.value(dataDir));
    if (!QDir().mkpath(DataDir)) {
        QTextStream(stderr) << "callstation: cannot create the data directory " << DataDir << Qt::endl;
        return 1;
    }
    InitDateFormats(SystemUsesChineseCodePage());
    // The windows come with the main window; until then the station runs headless.
    return RunHeadless(app);
}
