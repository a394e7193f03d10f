#include "app/MemoryCommand.h"

#include "app/CommandLine.h"
#include "app/DeviceCommand.h"
#include "app/Subcommands.h"
#include "comm/DeviceReplies.h"
#include "core/Clock.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "core/SaveFile.h"
#include "devices/DeviceLink.h"
#include "devices/MemoryFile.h"
#include "devices/MemoryImage.h"
#include "devices/MemoryTransfer.h"


namespace {

constexpr TRange MemoryAddressRange{0, 255};

const TOptionSpec Options[] = {
    {"address", "Device address 0-255.", "N"},
};

// Whether the memory file can be written where it will be: a temporary file beside
// it, put in its place at the end. Nothing is left behind.
bool CanWriteFile(const QString& path)
{
    TSaveFile probe(path);
    const bool opened = probe.open(QIODevice::WriteOnly);
    probe.cancelWriting();
    return opened;
}

}  // namespace

int RunMemoryCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine line("memory", Options);
    QString action;
    int address = 0;
    if (const auto end = line.Parse(args, env.DataDir))
        return *end;
    if (!DeviceAction(line, {QStringLiteral("read"), QStringLiteral("write")}, &action)
        || !NumberOption(line, QStringLiteral("address"), MemoryAddressRange, 0, &address))
        return ExitBadArguments;
    if (line.Positional().size() != 2)
        return line.ReportUsage();
    const QString file = line.Positional().at(1);
    const bool reading = action == QLatin1String("read");

    // The file is checked before anything is sent: read, or that it can be written.
    QByteArray image;
    if (reading && !CanWriteFile(file))
        return ReportFailed(LoadResStr(2029));
    if (!reading) {
        if (const int refused = ImportMemoryFile(file, &image))
            return ReportFailed(LoadResStr(refused));
    }
    TDeviceLink link;
    if (!OpenConfiguredPort(link, env.Config))
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
        return ReportDone(LoadResStr(3021).arg(address).arg(qMin<quint32>(quint32(image.size()), transfer.ReportedSize())));
    if (!ExportMemoryFile(file, transfer.ReadImage())) {
        PrintError(LoadResStr(2029));
        return ExitFailed;
    }
    PrintLine(MemorySizeText(int(transfer.ReadImage().size())));
    PrintLine(LoadResStr(2030));
    return ExitDone;
}
