#include "app/LedCommand.h"

#include "app/CommandLine.h"
#include "app/DeviceCommand.h"
#include "app/Subcommands.h"
#include "comm/DeviceReplies.h"
#include "core/Clock.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "devices/DeviceFrames.h"
#include "devices/DeviceLink.h"
#include "devices/LedUpload.h"

#include <QDateTime>

namespace {

constexpr TRange LedAddressRange{1, 99};

const TOptionSpec Options[] = {
    {"address", "Display address 1-99.", "N"},
    {"file", "INI file with the messages.", "FILE"},
};

// The list to upload: from the file given, else from the Config.ini at configPath; nothing when it
// cannot be read.
bool ReadList(const QString& file, const QString& configPath, TLedList& list)
{
    int adjusted = 0;
    QString error;
    const bool read = file.isEmpty() ? LoadLedList(configPath, list, &adjusted, &error)
                                     : ImportLedList(file, list, &adjusted);
    if (!read) {
        PrintError(error.isEmpty() ? LoadResStr(1610) : LoadResStr(1610) + QLatin1Char(' ') + error);
        return false;
    }
    if (adjusted > 0)
        PrintError(LoadResStr(3301).arg(adjusted));
    return true;
}

int Upload(TDeviceLink& link, uint8_t address, const TLedList& list)
{
    SystemClock clock;
    TLedUpload upload(link.Line(), clock);
    upload.OnStatus = PrintLine;
    link.Replies().RegisterLed([&upload] { return upload.Running(); },
                               [&upload](const uint8_t*, int) { upload.OnAck(); });
    const TTransferEnd end = RunExchange(upload, [&] { upload.Start(address, list); });
    link.Replies().UnregisterLed();
    if (end == TTransferEnd::Done)
        return ExitDone;
    PrintError(LoadResStr(1918));
    return ExitFailed;
}

}  // namespace

int RunLedCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine line("led", Options);
    QString action;
    int address = 1;
    if (const auto end = line.Parse(args, env.DataDir))
        return *end;
    if (!DeviceAction(line, {QStringLiteral("upload"), QStringLiteral("clock")}, &action)
        || !NumberOption(line, QStringLiteral("address"), LedAddressRange, 1, &address))
        return ExitBadArguments;

    TLedList list;
    if (action == QLatin1String("upload") && !ReadList(line.Value(QStringLiteral("file")), env.ConfigPath, list))
        return ExitFailed;
    TDeviceLink link;
    if (!OpenConfiguredPort(link, env.Config))
        return ExitFailed;
    if (action == QLatin1String("upload"))
        return Upload(link, uint8_t(address), list);
    DeviceFrames::Send(link.Line(), DeviceFrames::ClockFrame(QDateTime::currentDateTime()));
    link.Drain();
    return ExitDone;
}
