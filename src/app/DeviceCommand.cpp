#include "app/DeviceCommand.h"

#include "app/CommandLine.h"
#include "core/Config.h"
#include "devices/DeviceLink.h"

#include <QEventLoop>
#include <QTimer>

bool DeviceAction(const TCommandLine& line, const QStringList& actions, QString* action)
{
    const QStringList positional = line.Positional();
    if (positional.isEmpty() || !actions.contains(positional.first())) {
        line.ReportUsage();
        return false;
    }
    *action = positional.first();
    return true;
}

bool NumberOption(const TCommandLine& line, const QString& option, TRange range, int defaultValue, int* value)
{
    if (!line.IsSet(option)) {
        *value = defaultValue;
        return true;
    }
    bool ok = false;
    *value = line.Value(option).toInt(&ok, 10);
    if (ok && range.Contains(*value))
        return true;
    ReportBadArguments(QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'")
                           .arg(option)
                           .arg(range.Min)
                           .arg(range.Max)
                           .arg(line.Value(option)));
    return false;
}

bool OpenConfiguredPort(TDeviceLink& link, const TConfig& cfg)
{
    QString error;
    if (link.Open(cfg, &error))
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
