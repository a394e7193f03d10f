#include "app/BindCommand.h"

#include "app/CommandLine.h"
#include "app/DeviceCommand.h"
#include "app/Subcommands.h"
#include "comm/DeviceReplies.h"
#include "core/Environment.h"
#include "core/GbkCodec.h"
#include "core/ResStrings.h"
#include "devices/DeviceExchange.h"
#include "devices/DeviceFrames.h"
#include "devices/DeviceLink.h"

namespace {

const TOptionSpec Options[] = {
    {"address", "Device address 1-99.", "N"},
    {"button", "Call-button address, up to 4 digits.", "DDDD"},
    {"code", "Internal code, up to 6 hexadecimal digits.", "HHHHHH"},
    {"tone", "Prompt tone 1-12.", "N"},
    {"group", "Pager group 1-29.", "N"},
    {"pager", "Pager address 1-99.", "N"},
    {"alarm", "Alarm output on."},
    {"key", "Key value 1-4.", "N"},
    {"text", "Message or key text.", "TEXT"},
};

// A text option within its byte limit; false, after a one-line error, when it is longer.
bool TextOption(const TCommandLine& line, const QString& defaultText, int maxBytes, QString* text)
{
    *text = line.IsSet(QStringLiteral("text")) ? line.Value(QStringLiteral("text")) : defaultText;
    if (GbkLength(*text) <= maxBytes)
        return true;
    ReportBadArguments(QStringLiteral("--text takes at most %1 bytes (a Chinese character takes two)").arg(maxBytes));
    return false;
}

// A text option that must follow an entry rule of the window.
bool EntryOption(const TCommandLine& line, const QString& option, bool (*accepts)(const QString&),
                 const char* rule, QString* text)
{
    if (!line.IsSet(option))
        return true;
    *text = line.Value(option).toUpper();
    if (accepts(*text))
        return true;
    ReportBadArguments(QStringLiteral("--%1 takes %2, not '%3'").arg(option, QLatin1String(rule), line.Value(option)));
    return false;
}

bool ReadButton(const TCommandLine& line, TBindButton& b)
{
    int device = 0, tone = 0, group = 0, pager = 0;
    if (!NumberOption(line, QStringLiteral("address"), BindDeviceRange, b.DeviceAddress, &device)
        || !NumberOption(line, QStringLiteral("tone"), ToneRange, b.Tone, &tone)
        || !NumberOption(line, QStringLiteral("group"), PagerGroupRange, b.PagerGroup, &group)
        || !NumberOption(line, QStringLiteral("pager"), PagerAddressRange, b.PagerAddress, &pager)
        || !EntryOption(line, QStringLiteral("button"), IsButtonAddressEntry, "up to 4 digits", &b.ButtonAddress)
        || !EntryOption(line, QStringLiteral("code"), IsInternalCodeEntry, "up to 6 hexadecimal digits",
                        &b.InternalCode)
        || !TextOption(line, b.Text, MaxBindTextBytes, &b.Text))
        return false;
    b.DeviceAddress = uint8_t(device);
    b.Tone = uint8_t(tone);
    b.PagerGroup = uint8_t(group);
    b.PagerAddress = uint8_t(pager);
    b.Alarm = line.IsSet(QStringLiteral("alarm"));
    return true;
}

bool ReadKey(const TCommandLine& line, TKeyText& k)
{
    int device = 0, key = 0;
    if (!NumberOption(line, QStringLiteral("address"), BindDeviceRange, k.DeviceAddress, &device)
        || !NumberOption(line, QStringLiteral("key"), KeyValueRange, k.Key, &key)
        || !TextOption(line, k.Text, MaxKeyTextBytes, &k.Text))
        return false;
    k.DeviceAddress = uint8_t(device);
    k.Key = uint8_t(key);
    return true;
}

}  // namespace

int RunBindCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine line("bind", Options);
    QString action;
    if (const auto end = line.Parse(args, env.DataDir))
        return *end;
    if (!DeviceAction(line, {QStringLiteral("button"), QStringLiteral("key")}, &action))
        return ExitBadArguments;
    const bool button = action == QLatin1String("button");
    // Each action takes only its own options.
    const QStringList foreign = button ? QStringList{QStringLiteral("key")}
                                       : QStringList{QStringLiteral("button"), QStringLiteral("code"),
                                                     QStringLiteral("tone"), QStringLiteral("group"),
                                                     QStringLiteral("pager"), QStringLiteral("alarm")};
    for (const QString& option : foreign)
        if (line.IsSet(option)) {
            ReportBadArguments(QStringLiteral("bind %1 takes no --%2").arg(action, option));
            return ExitBadArguments;
        }
    TBindButton binding;
    TKeyText keyText;
    if (button ? !ReadButton(line, binding) : !ReadKey(line, keyText))
        return ExitBadArguments;

    TDeviceLink link;
    if (!OpenConfiguredPort(link, env.Config))
        return ExitFailed;
    const bool acknowledged = RunUntil(int(TDeviceExchange::ReplyTimeoutMs), [&](const std::function<void()>& done) {
        link.Replies().RegisterBind([done](int, quint32) { done(); });
        DeviceFrames::Send(link.Line(),
                           button ? DeviceFrames::BindFrame(binding) : DeviceFrames::KeyTextFrame(keyText));
    });
    link.Replies().UnregisterBind();
    if (!acknowledged) {
        PrintError(LoadResStr(1918));
        return ExitFailed;
    }
    PrintLine(LoadResStr(2110));
    return ExitDone;
}
