#include "app/MemoryCommand.h"

#include "app/DeviceCommand.h"
#include "app/Subcommands.h"
#include "comm/DeviceReplies.h"
#include "core/Clock.h"
#include "core/ResStrings.h"
#include "devices/DeviceLink.h"
#include "devices/MemoryFile.h"
#include "devices/MemoryImage.h"
#include "devices/MemoryTransfer.h"

namespace {

constexpr TRange MemoryAddressRange{0, 255};

}  // namespace

int RunMemoryCommand(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption addressOption(QStringLiteral("address"), QStringLiteral("Device address 0-255."),
                                           QStringLiteral("N"));
    parser.addOption(addressOption);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The device memory file."));
    QString action;
    int address = 0;
    if (!ParseDeviceCommand(parser, QStringLiteral("memory"), {QStringLiteral("read"), QStringLiteral("write")}, args,
                            &action)
        || !NumberOption(parser, addressOption.names().first(), MemoryAddressRange, 0, &address))
        return ExitBadArguments;
    if (parser.positionalArguments().size() != 2) {
        PrintUsage(QStringLiteral("memory %1: give one FILE").arg(action));
        return ExitBadArguments;
    }
    const QString file = parser.positionalArguments().at(1);
    const bool reading = action == QLatin1String("read");

    // The file is checked before anything is sent.
    QByteArray image;
    if (!reading) {
        if (const int refused = ImportMemoryFile(file, &image)) {
            PrintError(LoadResStr(refused));
            return ExitFailed;
        }
    }
    TDeviceLink link;
    if (!OpenConfiguredPort(link))
        return ExitFailed;
    SystemClock clock;
    TMemoryTransfer transfer(link.Line(), clock);
    link.Replies().RegisterCopyData(
        [&transfer](int kind, const uint8_t* frame, int n) { transfer.OnBlock(kind, frame, n); },
        [&transfer](int, quint32 size) { transfer.OnSize(size); });
    const TTransferEnd end = RunExchange(transfer, [&] {
        if (reading)
            transfer.StartRead(uint8_t(address));
        else
            transfer.StartWrite(uint8_t(address), image);
    });
    link.Replies().UnregisterCopyData();

    switch (end) {
    case TTransferEnd::Done:
        break;
    case TTransferEnd::Refused:
        PrintError(LoadResStr(3303).arg(transfer.ReportedSize()));
        return ExitFailed;
    default:
        PrintError(LoadResStr(2022));
        return ExitFailed;
    }
    if (!reading)
        return ExitDone;
    if (!ExportMemoryFile(file, transfer.ReadImage())) {
        PrintError(LoadResStr(2029));
        return ExitFailed;
    }
    PrintLine(MemorySizeText(int(transfer.ReadImage().size())));
    PrintLine(LoadResStr(2030));
    return ExitDone;
}
