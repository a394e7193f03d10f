#include "Commands.h"

#include "Args.h"
#include "sim/Frames.h"
#include "Latency.h"
#include "Session.h"

#include <QRegularExpression>
#include <optional>

namespace sim {

namespace {

using FrameBuilder = std::function<QByteArray(const Header&)>;

// Commands that make one frame; they can also be sent corrupted (badsum, badend).
struct FrameCommand {
    const char* name;
    const char* syntax;
    const char* purpose;
    FrameBuilder (*parse)(QStringList args);
};

struct ActionCommand {
    const char* name;
    const char* syntax;
    const char* purpose;
    Step (*parse)(QStringList args);
};

void requireCount(const QStringList& args, int min, int max)
{
    if (args.size() < min)
        throw UsageError(QStringLiteral("missing arguments"));
    if (args.size() > max)
        throw UsageError(QStringLiteral("too many arguments"));
}

// The optional trailing time of a command; absent means the time of sending.
std::optional<BcdTime> takeTime(const QStringList& args, qsizetype& next)
{
    if (next < args.size() && looksLikeTime(args[next]))
        return parseTime(args[next++]);
    return std::nullopt;
}

void requireAllUsed(const QStringList& args, qsizetype next)
{
    if (next < args.size())
        throw UsageError(QStringLiteral("unexpected argument '%1'").arg(args[next]));
}

// Removes "--tail HEX" from the arguments and returns its bytes.
QByteArray takeTail(QStringList& args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--tail"));
    if (at < 0)
        return {};
    if (at + 1 >= args.size())
        throw UsageError(QStringLiteral("--tail needs hex bytes"));
    const QByteArray tail = parseHexBytes({args[at + 1]});
    args.remove(at, 2);
    return tail;
}

FrameBuilder varFrame(quint16 address, quint8 key, std::optional<BcdTime> time, QByteArray tail, QByteArray name)
{
    if (name.size() > kMaxNameBytes)
        throw UsageError(QStringLiteral("name longer than %1 bytes").arg(kMaxNameBytes));
    const int unused = varUnusedBytes(!name.isEmpty());
    if (tail.size() > unused)
        throw UsageError(QStringLiteral("--tail longer than the %1 unused bytes").arg(unused));
    return [=](const Header& header) {
        return varCallFrame(header, address, key, time.value_or(bcdNow()), tail, name);
    };
}

FrameBuilder parseCall(QStringList args)
{
    requireCount(args, 2, 3);
    const quint16 address = parseAddress(args[0]);
    const quint8 key = parseKey(args[1]);
    qsizetype next = 2;
    const auto time = takeTime(args, next);
    requireAllUsed(args, next);
    return [=](const Header& header) {
        return midFrame(header, kMidCall, 0, address, key, time.value_or(bcdNow()));
    };
}

FrameBuilder parseCancel(QStringList args)
{
    requireCount(args, 1, 3);
    const quint16 address = parseAddress(args[0]);
    qsizetype next = 1;
    quint8 unit = 0;
    if (next < args.size() && !looksLikeTime(args[next]))
        unit = parseHexByte(args[next++], "cancel unit");
    const auto time = takeTime(args, next);
    requireAllUsed(args, next);
    return [=](const Header& header) {
        return midFrame(header, kMidCancel, unit, address, 0, time.value_or(bcdNow()));
    };
}

FrameBuilder parseVcall(QStringList args)
{
    const QByteArray tail = takeTail(args);
    requireCount(args, 2, 4);
    const quint16 address = parseAddress(args[0]);
    const quint8 key = parseKey(args[1]);
    qsizetype next = 2;
    const auto time = takeTime(args, next);
    const QByteArray name = next < args.size() ? args[next++].toLocal8Bit() : QByteArray();
    requireAllUsed(args, next);
    return varFrame(address, key, time, tail, name);
}

FrameBuilder parseVcancel(QStringList args)
{
    const QByteArray tail = takeTail(args);
    requireCount(args, 1, 2);
    const quint16 address = parseAddress(args[0]);
    qsizetype next = 1;
    const auto time = takeTime(args, next);
    requireAllUsed(args, next);
    return varFrame(address, kVarCancelKey, time, tail, {});
}

FrameBuilder parseShort(QStringList args)
{
    requireCount(args, 1, 2);
    const quint8 command = parseHexByte(args[0], "command");
    const quint8 data = args.size() > 1 ? parseHexByte(args[1], "data byte") : 0;
    return [=](const Header& header) { return shortFrame(header, command, data); };
}

FrameBuilder parseFrame(QStringList args)
{
    requireCount(args, 1, 255);
    const QByteArray head = parseHexBytes(args);
    return [=](const Header&) { return sealed(head); };
}

const FrameCommand kFrameCommands[] = {
    {"call", "call ADDR KEY [HH:MM:SS]", "mid call frame (0x91)", parseCall},
    {"cancel", "cancel ADDR [UNIT] [HH:MM:SS]", "mid cancel frame (0x92), UNIT a hex byte", parseCancel},
    {"vcall", "vcall ADDR KEY [HH:MM:SS] [NAME] [--tail HEX]", "variable call frame (0x81)", parseVcall},
    {"vcancel", "vcancel ADDR [HH:MM:SS] [--tail HEX]", "variable cancel frame (0x81, key 10)", parseVcancel},
    {"short", "short CMD [DATA]", "9-byte short frame, hex bytes", parseShort},
    {"frame", "frame HEX...", "these bytes plus checksum and end byte", parseFrame},
};

const FrameCommand* findFrameCommand(const QString& name)
{
    for (const FrameCommand& command : kFrameCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

Step sendFrame(FrameBuilder build)
{
    return [build](Session& session, Header& header) { session.send(build(header)); };
}

// badsum / badend: a frame command's frame with one byte of its trailer spoilt.
Step parseCorrupted(QStringList args, int offsetFromEnd)
{
    requireCount(args, 1, 255);
    const FrameCommand* command = findFrameCommand(args[0]);
    if (!command)
        throw UsageError(QStringLiteral("'%1' is not a frame command (call, cancel, vcall, vcancel, short, frame)")
                             .arg(args[0]));
    const FrameBuilder build = command->parse(args.mid(1));
    return sendFrame([=](const Header& header) {
        QByteArray frame = build(header);
        const qsizetype at = frame.size() - offsetFromEnd;
        frame[at] = char(frame[at] + 1);
        return frame;
    });
}

Step parseBadsum(QStringList args)
{
    return parseCorrupted(std::move(args), 2);
}

Step parseBadend(QStringList args)
{
    return parseCorrupted(std::move(args), 1);
}

Step parseRaw(QStringList args)
{
    requireCount(args, 1, 4096);
    const QByteArray bytes = parseHexBytes(args);
    return [=](Session& session, Header&) { session.send(bytes); };
}

Step parseNoise(QStringList args)
{
    requireCount(args, 1, 1);
    const int count = parseCount(args[0], "byte count", 0, 1'000'000);
    return [=](Session& session, Header&) { session.sendNoise(count); };
}

Step parseIdle(QStringList args)
{
    requireCount(args, 1, 1);
    const int ms = parseCount(args[0], "milliseconds", 0, 3'600'000);
    return [=](Session& session, Header&) { session.idle(ms); };
}

Step parseSplit(QStringList args)
{
    requireCount(args, 1, 1);
    if (args[0] != QLatin1String("on") && args[0] != QLatin1String("off"))
        throw UsageError(QStringLiteral("expected on or off, got '%1'").arg(args[0]));
    const bool on = args[0] == QLatin1String("on");
    return [=](Session& session, Header&) { session.setSplit(on); };
}

Step parseLatency(QStringList args)
{
    requireCount(args, 1, 2);
    const int count = parseCount(args[0], "frame count", 1, 1'000'000);
    const quint16 address = args.size() > 1 ? parseAddress(args[1]) : quint16(0x0001);
    return [=](Session& session, Header& header) { measureLatency(session, header, count, address); };
}

Step parseHeader(QStringList args)
{
    requireCount(args, 4, 4);
    const Header fields {parseHexByte(args[0], "class nibble"), parseHexByte(args[1], "header byte 2"),
                         parseHexByte(args[2], "header byte 3"), parseHexByte(args[3], "header byte 4")};
    if (fields.classNibble > 0x0F)
        throw UsageError(QStringLiteral("class nibble must be 0-F"));
    return [=](Session&, Header& header) { header = fields; };
}

Step parseReplies(QStringList args)
{
    requireCount(args, 2, 2);
    const QString what = args[0];
    const int value = parseCount(args[1], "count or milliseconds", 0, 600'000);
    int ReplyFaults::*field = nullptr;
    if (what == QLatin1String("drop"))
        field = &ReplyFaults::drop;
    else if (what == QLatin1String("delay"))
        field = &ReplyFaults::delayMs;
    else if (what == QLatin1String("misaddress"))
        field = &ReplyFaults::misaddress;
    else
        throw UsageError(QStringLiteral("expected drop, delay or misaddress, got '%1'").arg(what));
    return [=](Session& session, Header&) { session.changeFaults([=](ReplyFaults& faults) { faults.*field = value; }); };
}

const ActionCommand kActionCommands[] = {
    {"badsum", "badsum FRAMECOMMAND...", "that frame with a wrong checksum", parseBadsum},
    {"badend", "badend FRAMECOMMAND...", "that frame with a wrong end byte", parseBadend},
    {"raw", "raw HEX...", "these bytes exactly", parseRaw},
    {"noise", "noise N", "N random bytes, never 0xAA", parseNoise},
    {"sleep", "sleep MS", "wait; anything the station sends is unexpected", parseIdle},
    {"expect-quiet", "expect-quiet MS", "the same, stating that silence is the point", parseIdle},
    {"split", "split on|off", "write frames in random pieces with 1-20 ms pauses", parseSplit},
    {"latency", "latency N [ADDR]", "N timed frames, call and cancel alternately", parseLatency},
    {"header", "header NIB F2 F3 F4", "class low nibble and header bytes 2-4 of later frames",
     parseHeader},
    {"replies", "replies drop|delay|misaddress N", "device replies: drop the next N, delay each N ms, misaddress the next N block replies",
     parseReplies},
};

} // namespace

Step parseCommand(const QString& line)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList words = line.split(space, Qt::SkipEmptyParts);
    if (words.isEmpty())
        throw UsageError(QStringLiteral("empty command"));
    const QString name = words.takeFirst();
    const char* syntax = nullptr;
    try {
        if (const FrameCommand* command = findFrameCommand(name)) {
            syntax = command->syntax;
            return sendFrame(command->parse(words));
        }
        for (const ActionCommand& command : kActionCommands) {
            if (name == QLatin1String(command.name)) {
                syntax = command.syntax;
                return command.parse(words);
            }
        }
    } catch (const UsageError& error) {
        throw UsageError(QStringLiteral("%1: %2 (usage: %3)")
                             .arg(name, QString::fromLocal8Bit(error.what()),
                                  QString::fromLatin1(syntax)));
    }
    throw UsageError(QStringLiteral("unknown command '%1'").arg(name));
}

QString commandHelp()
{
    QString help;
    const auto line = [&help](const char* syntax, const char* purpose) {
        help += QStringLiteral("  %1 %2\n").arg(QLatin1String(syntax), -46).arg(QLatin1String(purpose));
    };
    for (const FrameCommand& command : kFrameCommands)
        line(command.syntax, command.purpose);
    for (const ActionCommand& command : kActionCommands)
        line(command.syntax, command.purpose);
    return help;
}

} // namespace sim
