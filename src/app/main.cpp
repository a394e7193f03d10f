// callstation [--data-dir DIR] [--headless] [--demo]
#include "app/ConsoleEvents.h"
#include "app/DemoReceiver.h"
#include "app/DemoRestaurant.h"
#include "app/SignalQuit.h"
#include "calls/ui/SoundEffectPlayer.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "core/Paths.h"
#include "station/Station.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QTranslator>
#include <memory>

namespace {

// CALLSTATION_CLOCK_RATE=N runs the station's tick N times faster, so that
// whole-process tests go through long service times quickly.
uint32_t ClockRate()
{
    const int rate = qEnvironmentVariableIntValue("CALLSTATION_CLOCK_RATE");
    return rate > 1 ? static_cast<uint32_t>(rate) : 1u;
}

bool ArgGiven(int argc, char** argv, const char* name)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], name) == 0)
            return true;
    return false;
}

// Windows need a screen; without one the station runs headless.
bool DisplayAvailable()
{
#if defined(Q_OS_LINUX)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// Demo mode: a sample restaurant in an empty data directory and a simulated
// receiver on a pseudo-terminal that the station opens instead of its port.
std::unique_ptr<TDemoReceiver> PrepareDemo(TStation& station, QString* error)
{
    {
        TDM_Sys store;
        if (!store.Open(DataDir, error) || !SeedDemoRestaurant(store, ConfigPath, error))
            return nullptr;
    }
    auto receiver = std::make_unique<TDemoReceiver>(QRandomGenerator::global()->generate());
    if (!receiver->Open(error))
        return nullptr;
    station.SetPortOverride(receiver->DevicePath());
    return receiver;
}

void StartDemo(TDemoReceiver* receiver, TStation& station, const std::function<void(const QString&)>& report)
{
    QString error;
    if (receiver && !receiver->Start(station.Store(), &error))
        report(QStringLiteral("demo: %1").arg(error));
}

int RunHeadless(QCoreApplication& app, bool demo)
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
    std::unique_ptr<TDemoReceiver> receiver;
    if (demo && !(receiver = PrepareDemo(station, &error))) {
        console.Line(QStringLiteral("error   demo: %1").arg(error));
        return 1;
    }
    if (!station.Start(&error)) {
        console.Line(QStringLiteral("error   cannot open the data store in %1: %2").arg(DataDir, error));
        return 1;
    }
    console.Line(QStringLiteral("station %1 running, data in %2").arg(Config.Title, DataDir));
    StartDemo(receiver.get(), station, [&](const QString& text) { console.Line(text); });
    OnTerminationSignal([&] {
        if (receiver)
            receiver->Stop();
        station.Close();
        console.Line(QStringLiteral("station closed"));
        app.quit();
    });
    return app.exec();
}

int RunWindowed(QApplication& app, bool demo)
{
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    SystemClock clock(ClockRate());
    TSoundEffectPlayer sound;
    TFrm_Main window(clock, sound);
    window.Station().SetWorkerCycle(static_cast<int>(1000 / clock.Rate()));
    QString error;
    std::unique_ptr<TDemoReceiver> receiver;
    if (demo && !(receiver = PrepareDemo(window.Station(), &error))) {
        QTextStream(stderr) << "callstation: demo: " << error << Qt::endl;
        return 1;
    }
    if (!window.Start(&error)) {
        QTextStream(stderr) << "callstation: cannot open the data store in " << DataDir << ": " << error << Qt::endl;
        return 1;
    }
    StartDemo(receiver.get(), window.Station(), [](const QString& text) { QTextStream(stderr) << text << Qt::endl; });
    window.show();
    OnTerminationSignal([&] {
        if (receiver)
            receiver->Stop();
        window.Station().Close();
        app.quit();
    });
    return app.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    const bool headless = ArgGiven(argc, argv, "--headless") || !DisplayAvailable();
    std::unique_ptr<QCoreApplication> app;
    if (headless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("callstation"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Data directory."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption headlessOption(QStringLiteral("headless"), QStringLiteral("Run without windows."));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Simulated receiver; an empty data directory gets a sample restaurant."));
    parser.addOptions({dataDir, headlessOption, demo});
    parser.process(*app);

    InitDataDir(parser.value(dataDir));
    if (!QDir().mkpath(DataDir)) {
        QTextStream(stderr) << "callstation: cannot create the data directory " << DataDir << Qt::endl;
        return 1;
    }
    InitDateFormats(SystemUsesChineseCodePage());
    if (headless) {
        if (!ArgGiven(argc, argv, "--headless"))
            QTextStream(stderr) << "callstation: no display, running headless" << Qt::endl;
        return RunHeadless(*app, parser.isSet(demo));
    }
    return RunWindowed(static_cast<QApplication&>(*app), parser.isSet(demo));
}
