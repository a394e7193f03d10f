// callstation [--data-dir DIR] [--headless] [--demo]
// callstation [--data-dir DIR] COMMAND ARGS...
#include "app/ConsoleEvents.h"
#include "app/DemoReceiver.h"
#include "app/DemoRestaurant.h"
#include "app/QtMessages.h"
#include "app/SignalQuit.h"
#include "app/Subcommands.h"
#include "app/WebPage.h"
#include "calls/ui/SoundEffectPlayer.h"
#include "comm/LinkReport.h"
#include "core/Clock.h"
#include "core/DataDirLock.h"
#include "core/DataStore.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "mainwindow/MainWindow.h"
#include "station/Station.h"
#include "web/WebTexts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <memory>

namespace {

void Say(const QString& text) { QTextStream(stderr) << "callstation: " << text << Qt::endl; }

// CALLSTATION_CLOCK_RATE=N runs the station's tick N times faster, so that the
// demo and whole-process tests go through long service times quickly. A real
// station's call timing must never change silently: elsewhere it is refused.
uint32_t ClockRate([[maybe_unused]] bool demo)
{
    const int rate = qEnvironmentVariableIntValue("CALLSTATION_CLOCK_RATE");
    if (rate <= 1)
        return 1;
#ifndef STATION_TEST_BUILD
    if (!demo) {
        Say(QStringLiteral("CALLSTATION_CLOCK_RATE is ignored: only the demo runs on a fast clock"));
        return 1;
    }
#endif
    Say(QStringLiteral("the clock runs %1 times fast (CALLSTATION_CLOCK_RATE)").arg(rate));
    return static_cast<uint32_t>(rate);
}

// Where the back-office command starts in argv: the first argument that is neither an
// option nor the value of --data-dir or --web; argc when there is none.
int CommandIndex(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--data-dir") == 0 || qstrcmp(argv[i], "-data-dir") == 0 || qstrcmp(argv[i], "--web") == 0
            || qstrcmp(argv[i], "-web") == 0)
            ++i;
        else if (argv[i][0] != '-')
            return i;
    }
    return argc;
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

// The data directory when --data-dir is not given: Data beside the program in its build tree;
// installed (as in /usr/bin, where it may not write), the user's data location.
QString DefaultDataDir()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    if (programDir == QFileInfo(QStringLiteral(STATION_BUILD_TREE)).canonicalFilePath())
        return programDir + QStringLiteral("/Data");
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// Demo mode: a sample restaurant in an empty data directory and a simulated
// receiver on a pseudo-terminal that the station opens instead of its port.
std::unique_ptr<TDemoReceiver> PrepareDemo(TStation& station, QString* error)
{
    {
        const TEnvironment& env = station.Environment();
        TDM_Sys store;
        if (!store.Open(env.DataDir, error) || !SeedDemoRestaurant(store, env.ConfigPath, error))
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

// The station, made once; its face is the console when headless, else the main window given it.
// env: main()'s, the window thread's copy for the whole run.
int RunStation(QCoreApplication& app, TEnvironment& env, bool demo, bool headless, const QString& webOption)
{
    QTranslator qtTexts;
    if (!headless
        && qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    SystemClock clock(ClockRate(demo));
    TConsoleEvents console(env.Config);
    TSoundEffectPlayer effects;
    // Headless, the console also says which warning sound plays.
    TConsoleSound consoleSound(console, &effects);
    TStation station(env, clock, headless ? static_cast<ISoundPlayer&>(consoleSound) : effects, console);
    station.SetWorkerCycle(static_cast<int>(1000 / clock.Rate()));
    std::unique_ptr<TFrm_Main> window;
    if (!headless)
        window = std::make_unique<TFrm_Main>(station, clock);

    // Headless, the console shows the port, the call log and the link counters, every ten
    // minutes of the station's clock when they changed and at the end; the window shows its own.
    TLinkReport linkReport(clock, [&station] { return station.LinkCounts(); });
    QTimer linkTimer;
    if (headless) {
        QObject::connect(&linkTimer, &QTimer::timeout, &app, [&] {
            if (const std::optional<QString> line = linkReport.Due())
                console.Line(*line);
        });
        QObject::connect(&station, &TStation::PortStatusChanged, &app,
                         [&console, &station](const QString& text, bool isError) {
                             // A failed port says why (busy, or which group the user must join).
                             const QString why = isError ? station.Port().OpenFailureText() : QString();
                             console.PortStatus(why.isEmpty() ? text : why, isError);
                         });
        QObject::connect(&station, &TStation::CallLogStatusChanged, &app,
                         [&console](const QString& text, bool isError) { console.CallLogStatus(text, isError); });
        QObject::connect(&station, &TStation::CentralLinkChanged, &app,
                         [&console](const TCentralLinkState& state) { console.CentralLink(state); });
    }
    const auto say = [&](const QString& text) {
        if (headless)
            console.Line(text);
        else
            QTextStream(stderr) << text << Qt::endl;
    };
    const auto fail = [&](const QString& text) {
        if (headless)
            console.Line(QStringLiteral("error   ") + text);
        else
            Say(text);
        return 1;
    };

    QString error;
    std::unique_ptr<TDemoReceiver> receiver;
    // A termination signal or the end of the desktop session closes the station as closing the
    // window does, without the exit question; caught from before the start on.
    const auto shutdown = [&] {
        if (receiver)
            receiver->Stop();
        if (window) {
            window->Shutdown();
            return;
        }
        station.Close();
        linkTimer.stop();
        console.Line(linkReport.Final());
        if (const int kept = station.CallLog().Waiting())
            console.Line(QStringLiteral("journal %1 ended calls kept for the call log's next start").arg(kept));
        console.Line(QStringLiteral("station closed"));
        app.quit();
    };
    OnTerminationSignal(shutdown);
    if (window)
        QObject::connect(static_cast<QGuiApplication*>(&app), &QGuiApplication::commitDataRequest, window.get(),
                         [&](QSessionManager&) { shutdown(); });
    if (demo && !(receiver = PrepareDemo(station, &error)))
        return fail(QStringLiteral("demo: %1").arg(error));
    std::unique_ptr<TWebPage> web = MakeWebPage(station, clock, env, webOption, demo, say);
    if (!(window ? window->Start(&error) : station.Start(&error)))
        return fail(QStringLiteral("cannot open the data store in %1: %2").arg(env.DataDir, error));
    if (headless) {
        console.Line(QStringLiteral("station %1 running, data in %2").arg(env.Config.Title, env.DataDir));
        linkTimer.start(1000);
    }
    if (web && !web->Listen(say))
        web.reset();
    StartDemo(receiver.get(), station, say);
    if (window)
        window->show();
    const int status = app.exec();
    // The windowed station says its counters at the end too, on standard error.
    if (window)
        say(linkReport.Final());
    return status;
}

// callstation [--data-dir DIR] COMMAND ARGS...
int RunSubcommand(int argc, char** argv, int commandIndex)
{
    const QString name = QString::fromLocal8Bit(argv[commandIndex]);
    const TSubcommand* command = FindSubcommand(name);
    if (!command) {
        Say(QStringLiteral("unknown command %1 (commands: %2)").arg(name, SubcommandNames()));
        return ExitBadArguments;
    }
    // Before the command: the data directory, and the command's own --help or --verbose.
    QString dataDir;
    QStringList args;
    for (int i = 1; i < commandIndex; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const QString option = arg.startsWith(QLatin1String("--")) ? arg.mid(2) : arg.mid(1);
        if ((option == QLatin1String("data-dir")) && i + 1 < commandIndex)
            dataDir = QString::fromLocal8Bit(argv[++i]);
        else if (option.startsWith(QLatin1String("data-dir=")))
            dataDir = option.section(QLatin1Char('='), 1);
        else if (QStringList{QStringLiteral("help"), QStringLiteral("h"), QStringLiteral("verbose")}.contains(option))
            args << arg;
        else {
            Say(QStringLiteral("before a command only --data-dir DIR, --help and --verbose are taken, not %1").arg(arg));
            return ExitBadArguments;
        }
    }
    for (int i = commandIndex + 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // Qt's own warnings stay out of a nightly job's output unless --verbose asks for them.
    HoldQtMessages();
    // Only a command that draws gets a GUI application (and its platform's warnings).
    std::unique_ptr<QCoreApplication> app;
    if (command->Draws && command->Draws(args)) {
        if (!DisplayAvailable())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const TEnvironment env = MakeEnvironment(dataDir.isEmpty() ? DefaultDataDir() : dataDir, SystemUsesChineseCodePage());
    return ExecuteSubcommand(*command, env, args);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("callstation"));
    const int commandIndex = CommandIndex(argc, argv);
    if (commandIndex < argc)
        return RunSubcommand(argc, argv, commandIndex);

    const bool headless = ArgGiven(argc, argv, "--headless") || !DisplayAvailable();
    std::unique_ptr<QCoreApplication> app;
    if (headless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The service-call station. A back-office command runs instead of it, without opening the port:\n")
        + SubcommandUsages() + QStringLiteral("\nEach command takes --help and --verbose."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Data directory. Default: %1 (installed, the user's data location; "
                                                    "in the build tree, Data beside the program).")
                                         .arg(QDir::toNativeSeparators(DefaultDataDir())),
                                     QStringLiteral("DIR"));
    const QCommandLineOption headlessOption(QStringLiteral("headless"), QStringLiteral("Run without windows."));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Simulated receiver; an empty data directory gets a sample restaurant."));
    const QCommandLineOption web(QStringLiteral("web"),
                                 QStringLiteral("Serve the web page on this address (a bare port: 127.0.0.1); "
                                                "wins over Config.ini [Web] Listen. The demo serves it on 127.0.0.1:8080."),
                                 QStringLiteral("[ADDR:]PORT"));
    parser.addOptions({dataDir, headlessOption, demo, web});
    parser.process(*app);
    if (parser.isSet(web) && !ParseListen(parser.value(web))) {
        Say(LoadResStr(TxtWebBadListen).arg(parser.value(web)));
        return ExitBadArguments;
    }

    // The one environment of the run; the station reads its settings again as it starts.
    TEnvironment env = MakeEnvironment(parser.value(dataDir).isEmpty() ? DefaultDataDir() : parser.value(dataDir),
                                       SystemUsesChineseCodePage());
    if (!QDir().mkpath(env.DataDir)) {
        Say(QStringLiteral("cannot create the data directory %1").arg(env.DataDir));
        return 1;
    }
    // One station per data directory: a second one would answer the same receiver and log every call twice.
    TDataDirLock lock(env.DataDir);
    if (!lock.TryLock()) {
        Say(QStringLiteral("a station is already running on the data directory %1 (%2)").arg(env.DataDir, lock.Holder()));
        if (!headless)
            ShowError(nullptr, LoadResStr(3004).arg(QDir::toNativeSeparators(env.DataDir)));
        return 1;
    }
    if (headless && !ArgGiven(argc, argv, "--headless"))
        Say(QStringLiteral("no display, running headless"));
    return RunStation(*app, env, parser.isSet(demo), headless, parser.value(web));
}
