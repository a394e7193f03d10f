#include "app/LedCommand.h"

#include "app/DeviceCommand.h"
#include "app/Subcommands.h"
#include "comm/DeviceReplies.h"
#include "core/Clock.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "devices/DeviceFrames.h"
#include "devices/DeviceLink.h"
#include "devices/LedUpload.h"

#include <QDateTime>

namespace {

constexpr TRange LedAddressRange{1, 99};

// The list to upload: from the file given, else from Config.ini; nothing when it cannot be read.
bool ReadList(const QString& file, TLedList& list)
{
    int adjusted = 0;
    QString error;
    const bool read = file.isEmpty() ? LoadLedList(ConfigPath, list, &adjusted, &error)
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

int RunLedCommand(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption addressOption(QStringLiteral("address"), QStringLiteral("Display address 1-99."),
                                           QStringLiteral("N"));
    const QCommandLineOption fileOption(QStringLiteral("file"), QStringLiteral("INI file with the messages."),
                                        QStringLiteral("FILE"));
    parser.addOptions({addressOption, fileOption});
    QString action;
    int address = 1;
    if (!ParseDeviceCommand(parser, QStringLiteral("led"), {QStringLiteral("upload"), QStringLiteral("clock")}, args,
                            &action)
        || !NumberOption(parser, addressOption.names().first(), LedAddressRange, 1, &address))
        return ExitBadArguments;

    TLedList list;
    if (action == QLatin1String("upload") && !ReadList(parser.value(fileOption), list))
        return ExitFailed;
    TDeviceLink link;
    if (!OpenConfiguredPort(link))
        return ExitFailed;
    if (action == QLatin1String("upload"))
        return Upload(link, uint8_t(address), list);
    DeviceFrames::Send(link.Line(), DeviceFrames::ClockFrame(QDateTime::currentDateTime()));
    link.Drain();
    return ExitDone;
}
