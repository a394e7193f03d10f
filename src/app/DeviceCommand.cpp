#include "app/DeviceCommand.h"

#include "core/Config.h"
#include "core/Paths.h"
#include "devices/DeviceLink.h"

#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

bool ParseDeviceCommand(QCommandLineParser& parser, const QString& name, const QStringList& actions,
                        const QStringList& args, QString* action)
{
    parser.addPositionalArgument(QStringLiteral("action"), actions.join(QLatin1Char('|')));
    if (!parser.parse(QStringList{QStringLiteral("callstation ") + name} + args)) {
        PrintUsage(parser.errorText());
        return false;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || !actions.contains(positional.first())) {
        PrintUsage(QStringLiteral("%1: give one of %2").arg(name, actions.join(QStringLiteral(", "))));
        return false;
    }
    *action = positional.first();
    return true;
}

bool NumberOption(const QCommandLineParser& parser, const QString& option, TRange range, int defaultValue,
                  int* value)
{
    if (!parser.isSet(option)) {
        *value = defaultValue;
        return true;
    }
    bool ok = false;
    *value = parser.value(option).toInt(&ok, 10);
    if (ok && range.Contains(*value))
        return true;
    PrintUsage(QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'")
                   .arg(option)
                   .arg(range.Min)
                   .arg(range.Max)
                   .arg(parser.value(option)));
    return false;
}

void PrintLine(const QString& text) { QTextStream(stdout) << text << Qt::endl; }

void PrintError(const QString& text) { QTextStream(stderr) << text << Qt::endl; }

void PrintUsage(const QString& text) { QTextStream(stderr) << "callstation: " << text << Qt::endl; }

bool OpenConfiguredPort(TDeviceLink& link)
{
    ReadConfig(ConfigPath, Config, StateTexts);
    QString error;
    if (link.Open(Config, &error))
        return true;
    PrintError(error);
    return false;
}

TTransferEnd RunExchange(TDeviceExchange& exchange, const std::function<void()>& start)
{
    QEventLoop loop;
    TTransferEnd end = TTransferEnd::Cancelled;
    exchange.OnEnded = [&](TTransferEnd how) {
        end = how;
        loop.quit();
    };
    QTimer watch;
    watch.setInterval(1000);
    QObject::connect(&watch, &QTimer::timeout, &loop, [&exchange] { exchange.CheckTimeout(); });
    watch.start();
    start();
    if (exchange.Running())
        loop.exec();
    exchange.OnEnded = nullptr;
    return end;
}

bool RunUntil(int ms, const std::function<void(const std::function<void()>& done)>& start)
{
    QEventLoop loop;
    bool finished = false;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    start([&] {
        finished = true;
        loop.quit();
    });
    if (!finished)
        loop.exec();
    return finished;
}
