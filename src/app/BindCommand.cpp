#include "app/BindCommand.h"

#include "app/DeviceCommand.h"
#include "app/Subcommands.h"
#include "comm/DeviceReplies.h"
#include "core/GbkCodec.h"
#include "core/ResStrings.h"
#include "devices/DeviceExchange.h"
#include "devices/DeviceFrames.h"
#include "devices/DeviceLink.h"

namespace {

QCommandLineOption Option(const char* name, const char* description, const char* value = nullptr)
{
    return value ? QCommandLineOption(QLatin1String(name), QLatin1String(description), QLatin1String(value))
                 : QCommandLineOption(QLatin1String(name), QLatin1String(description));
}

// A text option within its byte limit; false, after a one-line error, when it is longer.
bool TextOption(const QCommandLineParser& parser, const QString& defaultText, int maxBytes, QString* text)
{
    *text = parser.isSet(QStringLiteral("text")) ? parser.value(QStringLiteral("text")) : defaultText;
    if (GbkLength(*text) <= maxBytes)
        return true;
    PrintUsage(QStringLiteral("--text takes at most %1 bytes (a Chinese character takes two)").arg(maxBytes));
    return false;
}

// A text option that must follow an entry rule of the window.
bool EntryOption(const QCommandLineParser& parser, const QString& option, bool (*accepts)(const QString&),
                 const char* rule, QString* text)
{
    if (!parser.isSet(option))
        return true;
    *text = parser.value(option).toUpper();
    if (accepts(*text))
        return true;
    PrintUsage(QStringLiteral("--%1 takes %2, not '%3'").arg(option, QLatin1String(rule), parser.value(option)));
    return false;
}

bool ReadButton(const QCommandLineParser& parser, TBindButton& b)
{
    int device = 0, tone = 0, group = 0, pager = 0;
    if (!NumberOption(parser, QStringLiteral("address"), BindDeviceRange, b.DeviceAddress, &device)
        || !NumberOption(parser, QStringLiteral("tone"), ToneRange, b.Tone, &tone)
        || !NumberOption(parser, QStringLiteral("group"), PagerGroupRange, b.PagerGroup, &group)
        || !NumberOption(parser, QStringLiteral("pager"), PagerAddressRange, b.PagerAddress, &pager)
        || !EntryOption(parser, QStringLiteral("button"), IsButtonAddressEntry, "up to 4 digits", &b.ButtonAddress)
        || !EntryOption(parser, QStringLiteral("code"), IsInternalCodeEntry, "up to 6 hexadecimal digits",
                        &b.InternalCode)
        || !TextOption(parser, b.Text, MaxBindTextBytes, &b.Text))
        return false;
    b.DeviceAddress = uint8_t(device);
    b.Tone = uint8_t(tone);
    b.PagerGroup = uint8_t(group);
    b.PagerAddress = uint8_t(pager);
    b.Alarm = parser.isSet(QStringLiteral("alarm"));
    return true;
}

bool ReadKey(const QCommandLineParser& parser, TKeyText& k)
{
    int device = 0, key = 0;
    if (!NumberOption(parser, QStringLiteral("address"), BindDeviceRange, k.DeviceAddress, &device)
        || !NumberOption(parser, QStringLiteral("key"), KeyValueRange, k.Key, &key)
        || !TextOption(parser, k.Text, MaxKeyTextBytes, &k.Text))
        return false;
    k.DeviceAddress = uint8_t(device);
    k.Key = uint8_t(key);
    return true;
}

}  // namespace

int RunBindCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({Option("address", "Device address 1-99.", "N"),
                       Option("button", "Call-button address, up to 4 digits.", "DDDD"),
                       Option("code", "Internal code, up to 6 hexadecimal digits.", "HHHHHH"),
                       Option("tone", "Prompt tone 1-12.", "N"), Option("group", "Pager group 1-29.", "N"),
                       Option("pager", "Pager address 1-99.", "N"), Option("alarm", "Alarm output on."),
                       Option("key", "Key value 1-4.", "N"), Option("text", "Message or key text.", "TEXT")});
    QString action;
    if (!ParseDeviceCommand(parser, QStringLiteral("bind"), {QStringLiteral("button"), QStringLiteral("key")}, args,
                            &action))
        return ExitBadArguments;
    const bool button = action == QLatin1String("button");
    // Each action takes only its own options.
    const QStringList foreign = button ? QStringList{QStringLiteral("key")}
                                       : QStringList{QStringLiteral("button"), QStringLiteral("code"),
                                                     QStringLiteral("tone"), QStringLiteral("group"),
                                                     QStringLiteral("pager"), QStringLiteral("alarm")};
    for (const QString& option : foreign)
        if (parser.isSet(option)) {
            PrintUsage(QStringLiteral("bind %1 takes no --%2").arg(action, option));
            return ExitBadArguments;
        }
    TBindButton binding;
    TKeyText keyText;
    if (button ? !ReadButton(parser, binding) : !ReadKey(parser, keyText))
        return ExitBadArguments;

    TDeviceLink link;
    if (!OpenConfiguredPort(link))
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
