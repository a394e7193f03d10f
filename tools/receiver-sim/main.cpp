// receiver-sim: plays the wireless receiver on a serial line or a
// pseudo-terminal. It sends call and cancel frames from a script, checks the
// station's acknowledgements byte for byte and reports every deviation.

#include "Args.h"
#include "Commands.h"
#include "Console.h"
#include "DumpSession.h"
#include "sim/Frames.h"
#include "LineSession.h"
#include "SerialLine.h"
#include "SlaveLink.h"
#include "StdinLines.h"
#include "Stop.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <vector>

using namespace sim;

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

struct Options {
    bool dump = false;
    bool pty = false;
    QString device;
    QString link;
    QString script;
    QString inlineCommands;
    std::optional<uint> seed;
    int noiseBetween = 0;
    int ackTimeoutMs = 2000;
    bool led = false;
    bool bind = false;
    std::optional<int> memorySize;
    QString memoryImage;
    QString saveMemory;
    ReplyFaults faults;
};

bool isComment(const QString& line)
{
    return line.isEmpty() || line.startsWith(QLatin1Char('#'));
}

// Parses every command before anything is sent; "what" names a line in messages.
std::vector<Step> parseAll(const QStringList& lines, const QString& what)
{
    std::vector<Step> steps;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (isComment(line))
            continue;
        try {
            steps.push_back(parseCommand(line));
        } catch (const UsageError& error) {
            throw UsageError(QStringLiteral("%1 %2: %3").arg(what).arg(i + 1).arg(QString::fromLocal8Bit(error.what())));
        }
    }
    return steps;
}

std::vector<Step> loadScript(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw UsageError(QStringLiteral("cannot read script %1: %2").arg(path, file.errorString()));
    return parseAll(QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n')), path + QStringLiteral(" line"));
}

Options parseOptions(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays the wireless receiver on a serial line: sends frames and checks the "
                       "station's acknowledgements.\nCommands come from --script, from the command line "
                       "after -- (separated by ';'), or from stdin, one per line:\n")
        + commandHelp());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption pty(QStringLiteral("pty"), QStringLiteral("Open a pseudo-terminal; prints PTY <slave path> first."));
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Use this serial device (9600 8N1)."), QStringLiteral("path"));
    const QCommandLineOption link(QStringLiteral("link"), QStringLiteral("With --pty: make this path a link to the slave."), QStringLiteral("path"));
    const QCommandLineOption script(QStringLiteral("script"), QStringLiteral("Read commands from this file."), QStringLiteral("file"));
    const QCommandLineOption dump(QStringLiteral("dump"), QStringLiteral("Print the frames and expected acknowledgements instead of using a line."));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed for noise and split pieces."), QStringLiteral("n"));
    const QCommandLineOption noiseBetween(QStringLiteral("noise-between"), QStringLiteral("Up to n noise bytes before each frame."), QStringLiteral("n"));
    const QCommandLineOption ackTimeout(QStringLiteral("ack-timeout"), QStringLiteral("Wait this long for an acknowledgement (default 2000)."), QStringLiteral("ms"));
    const QCommandLineOption led(QStringLiteral("led"), QStringLiteral("Be an LED display: acknowledge messages (0x53), print them and the clock."));
    const QCommandLineOption bind(QStringLiteral("bind"), QStringLiteral("Be a binding target: acknowledge 0x82 and 0x85, print them."));
    const QCommandLineOption memory(QStringLiteral("memory"), QStringLiteral("Be a configuration memory of this many bytes (random content from --seed)."), QStringLiteral("bytes"));
    const QCommandLineOption memoryImage(QStringLiteral("memory-image"), QStringLiteral("Be a configuration memory holding this file's bytes (--memory pads or cuts it)."), QStringLiteral("file"));
    const QCommandLineOption saveMemory(QStringLiteral("save-memory"), QStringLiteral("At the end, write the memory's bytes to this file."), QStringLiteral("file"));
    const QCommandLineOption dropReplies(QStringLiteral("drop-replies"), QStringLiteral("Send none of the first n device replies."), QStringLiteral("n"));
    const QCommandLineOption replyDelay(QStringLiteral("reply-delay"), QStringLiteral("Hold every device reply back this long."), QStringLiteral("ms"));
    const QCommandLineOption misaddress(QStringLiteral("misaddress"), QStringLiteral("The first n block replies name the next block instead."), QStringLiteral("n"));
    parser.addOptions({help, pty, device, link, script, dump, seed, noiseBetween, ackTimeout, led, bind, memory,
                       memoryImage, saveMemory, dropReplies, replyDelay, misaddress});
    parser.addPositionalArgument(QStringLiteral("commands"), QStringLiteral("Commands separated by ';'."), QStringLiteral("[-- COMMAND[; COMMAND...]]"));

    if (!parser.parse(app.arguments()))
        throw UsageError(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        std::exit(0);
    }

    Options options;
    options.dump = parser.isSet(dump);
    options.pty = parser.isSet(pty);
    options.device = parser.value(device);
    options.link = parser.value(link);
    options.script = parser.value(script);
    if (int(options.dump) + int(options.pty) + int(parser.isSet(device)) != 1)
        throw UsageError(QStringLiteral("give exactly one of --pty, --device PATH, --dump"));
    if (parser.isSet(link) && !options.pty)
        throw UsageError(QStringLiteral("--link needs --pty"));
    if (!parser.positionalArguments().isEmpty()) {
        if (!app.arguments().contains(QStringLiteral("--")))
            throw UsageError(QStringLiteral("unexpected argument '%1' (commands go after --)").arg(parser.positionalArguments().first()));
        if (parser.isSet(script))
            throw UsageError(QStringLiteral("give commands either with --script or after --, not both"));
        options.inlineCommands = parser.positionalArguments().join(QLatin1Char(' '));
    }
    if (parser.isSet(seed)) {
        bool ok = false;
        options.seed = parser.value(seed).toUInt(&ok);
        if (!ok)
            throw UsageError(QStringLiteral("bad --seed '%1' (expected a whole number)").arg(parser.value(seed)));
    }
    if (parser.isSet(noiseBetween))
        options.noiseBetween = parseCount(parser.value(noiseBetween), "--noise-between", 0, 10'000);
    if (parser.isSet(ackTimeout))
        options.ackTimeoutMs = parseCount(parser.value(ackTimeout), "--ack-timeout", 1, 600'000);
    options.led = parser.isSet(led);
    options.bind = parser.isSet(bind);
    if (parser.isSet(memory))
        options.memorySize = parseCount(parser.value(memory), "--memory", 0, 64 << 20);
    options.memoryImage = parser.value(memoryImage);
    options.saveMemory = parser.value(saveMemory);
    if (parser.isSet(saveMemory) && !parser.isSet(memory) && !parser.isSet(memoryImage))
        throw UsageError(QStringLiteral("--save-memory needs --memory or --memory-image"));
    if (parser.isSet(dropReplies))
        options.faults.drop = parseCount(parser.value(dropReplies), "--drop-replies", 0, 1'000'000);
    if (parser.isSet(replyDelay))
        options.faults.delayMs = parseCount(parser.value(replyDelay), "--reply-delay", 0, 600'000);
    if (parser.isSet(misaddress))
        options.faults.misaddress = parseCount(parser.value(misaddress), "--misaddress", 0, 1'000'000);
    return options;
}

// Runs commands as they are read, so a test can drive the line step by step.
// Returns false when a line was not a valid command (it is skipped).
bool runStdin(Session& session, Header& header)
{
    StdinLines input;
    bool allValid = true;
    int number = 0;
    while (const auto raw = input.next(session)) {
        ++number;
        const QString line = QString::fromLocal8Bit(*raw).trimmed();
        if (isComment(line))
            continue;
        try {
            parseCommand(line)(session, header);
        } catch (const UsageError& error) {
            warn(QStringLiteral("stdin line %1: %2").arg(number).arg(QString::fromLocal8Bit(error.what())));
            allValid = false;
        }
    }
    return allValid;
}

// The emulated devices: the memory from its image file, or random bytes of the size given.
DeviceOptions deviceOptions(const Options& options, std::mt19937& random)
{
    DeviceOptions devices {options.led, options.bind, std::nullopt, say};
    if (!options.memoryImage.isEmpty()) {
        QFile file(options.memoryImage);
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error(QStringLiteral("cannot read %1: %2").arg(options.memoryImage, file.errorString()).toStdString());
        devices.memory = file.readAll();
        if (options.memorySize)
            devices.memory->resize(*options.memorySize, '\0');
    } else if (options.memorySize) {
        QByteArray bytes(*options.memorySize, Qt::Uninitialized);
        for (char& b : bytes)
            b = char(std::uniform_int_distribution<int>(0, 255)(random));
        devices.memory = bytes;
    }
    return devices;
}

void saveMemory(const Devices& devices, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*devices.memory()) != devices.memory()->size())
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    std::vector<Step> steps;
    try {
        options = parseOptions(app);
        if (!options.script.isEmpty())
            steps = loadScript(options.script);
        else if (!options.inlineCommands.isEmpty())
            steps = parseAll(options.inlineCommands.split(QLatin1Char(';')), QStringLiteral("command"));
    } catch (const UsageError& error) {
        warn(QString::fromLocal8Bit(error.what()));
        warn(QStringLiteral("see receiver-sim --help"));
        return kUsageError;
    }

    installStopHandlers();
    std::mt19937 random(options.seed ? *options.seed : std::random_device {}());
    const bool fromStdin = options.script.isEmpty() && options.inlineCommands.isEmpty();
    try {
        std::unique_ptr<SerialLine> line;
        std::unique_ptr<SlaveLink> link;
        std::unique_ptr<Session> session;
        Devices devices(deviceOptions(options, random));
        devices.faults = options.faults;
        if (options.dump) {
            session = std::make_unique<DumpSession>(random, options.noiseBetween);
        } else {
            line = options.pty ? SerialLine::openPty() : SerialLine::openDevice(options.device);
            if (!options.link.isEmpty())
                link = std::make_unique<SlaveLink>(options.link, line->stationPath());
            if (options.pty)
                say(QStringLiteral("PTY ") + line->stationPath());
            session = std::make_unique<LineSession>(*line, random, options.noiseBetween, options.ackTimeoutMs, devices);
        }
        Header header;
        bool allValid = true;
        if (fromStdin) {
            allValid = runStdin(*session, header);
        } else {
            for (const Step& step : steps) {
                if (stopRequested())
                    break;
                step(*session, header);
            }
        }
        const int status = session->finish();
        if (!options.saveMemory.isEmpty())
            saveMemory(devices, options.saveMemory);
        return allValid ? status : kUsageError;
    } catch (const std::runtime_error& error) {
        warn(QString::fromLocal8Bit(error.what()));
        return kFailure;
    }
}
