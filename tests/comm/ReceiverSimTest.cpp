// The simulated receiver checks the station against its own encoding of the
// line protocol, so that encoding is pinned here against frames worked out by
// hand. The simulator runs with --dump: it prints "send <frame>" and, when
// the station owes one, "expect <acknowledgement>", without opening a line.
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const QString kSimulator = QStringLiteral(STATION_BINARY_DIR "/tools/receiver-sim/receiver-sim");

struct SimRun {
    int exitCode = -1;
    std::vector<std::string> lines;
    QString errors;
};

SimRun dump(const QString& commands)
{
    QProcess process;
    process.start(kSimulator, {QStringLiteral("--dump"), QStringLiteral("--"), commands});
    process.closeWriteChannel();
    SimRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    const QStringList lines =
        QString::fromLatin1(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines)
        run.lines.push_back(line.toStdString());
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

class ReceiverSimDump : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(kSimulator).isExecutable()) << "build the receiver-sim target first: "
                                                           << kSimulator.toStdString();
    }

    // The lines printed for commands that must be accepted.
    static std::vector<std::string> accepted(const QString& commands)
    {
        const SimRun run = dump(commands);
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        return run.lines;
    }
};

TEST_F(ReceiverSimDump, VariableFramesMatchTheReferenceExchange)
{
    // A call with key 11 at 10:10:01 whose unused field ends in 41 42, and the
    // same press as a cancel (key 10).
    EXPECT_EQ(accepted(QStringLiteral("vcall 0001 11 10:10:01 --tail 4142; vcancel 0x0001 10:10:01 --tail 4142")),
              Lines({
                  "send AA C0 00 00 00 81 0C 00 01 0B 10 10 01 00 00 00 00 41 42 A7 55",
                  "expect AA C1 00 00 00 A1 0C 00 01 0B 10 10 01 00 00 00 00 41 42 C8 55",
                  "send AA C0 00 00 00 81 0C 00 01 0A 10 10 01 00 00 00 00 41 42 A6 55",
                  "expect AA C1 00 00 00 A1 0C 00 01 0A 10 10 01 00 00 00 00 41 42 C7 55",
              }));
}

TEST_F(ReceiverSimDump, RawBytesOfAValidFrameStillExpectTheirAcknowledgement)
{
    EXPECT_EQ(accepted(QStringLiteral("raw AA C0 00 00 00 81 0C 00 01 0B 10 10 01 00 00 00 00 41 42 A7 55")),
              Lines({
                  "send AA C0 00 00 00 81 0C 00 01 0B 10 10 01 00 00 00 00 41 42 A7 55",
                  "expect AA C1 00 00 00 A1 0C 00 01 0B 10 10 01 00 00 00 00 41 42 C8 55",
              }));
}

TEST_F(ReceiverSimDump, NamedVariableCallPutsTheNameAtOffsetTwenty)
{
    // L = 13 + 2 name bytes; offsets 13-19 are the unused field.
    EXPECT_EQ(accepted(QStringLiteral("vcall 1 0x0B 10:10:01 T5")),
              Lines({
                  "send AA C0 00 00 00 81 0F 00 01 0B 10 10 01 00 00 00 00 00 00 00 54 35 B0 55",
                  "expect AA C1 00 00 00 A1 0F 00 01 0B 10 10 01 00 00 00 00 00 00 00 54 35 D1 55",
              }));
}

TEST_F(ReceiverSimDump, MidAndShortFramesAndTheirAcknowledgements)
{
    EXPECT_EQ(accepted(QStringLiteral("call 01A3 11 10:25:07; cancel 1a3 5 10:25:09; short 10 05")),
              Lines({
                  "send AA 40 00 00 00 91 00 01 A3 0B 00 00 10 25 07 66 55",
                  "expect AA 41 01 02 00 A1 00 01 A3 0B 00 00 10 25 07 7A 55",
                  "send AA 40 00 00 00 92 05 01 A3 00 00 00 10 25 09 63 55",
                  "expect AA 41 01 02 00 A2 05 01 A3 00 00 00 10 25 09 77 55",
                  "send AA 00 00 00 00 10 05 BF 55",
                  "expect AA 41 01 02 00 A0 05 93 55",
              }));
}

TEST_F(ReceiverSimDump, HeaderFieldsAreStampedAndMovedIntoTheAcknowledgement)
{
    // Mid acknowledgements keep byte 2 only; variable ones carry bytes 4, 1 (low nibble) and 2.
    EXPECT_EQ(accepted(QStringLiteral("header 3 11 22 33; call 01A3 11 10:25:07; vcall 1 11 10:10:01")),
              Lines({
                  "send AA 43 11 22 33 91 00 01 A3 0B 00 00 10 25 07 CF 55",
                  "expect AA 41 01 02 11 A1 00 01 A3 0B 00 00 10 25 07 8B 55",
                  "send AA C3 11 22 33 81 0C 00 01 0B 10 10 01 00 00 00 00 00 00 8D 55",
                  "expect AA C1 33 03 11 A1 0C 00 01 0B 10 10 01 00 00 00 00 00 00 8C 55",
              }));
}

TEST_F(ReceiverSimDump, FramesTheStationMustNotAcknowledge)
{
    EXPECT_EQ(accepted(QStringLiteral("badsum call 01A3 11 10:25:07; badend short 10 05; frame AA C0 00 00 00 82 00")),
              Lines({
                  "send AA 40 00 00 00 91 00 01 A3 0B 00 00 10 25 07 67 55",
                  "send AA 00 00 00 00 10 05 BF 56",
                  "send AA C0 00 00 00 82 00 EC 55",
              }));
}

TEST_F(ReceiverSimDump, BadCommandsAreRejectedBeforeAnythingIsSent)
{
    const struct {
        const char* commands;
        const char* message;
    } cases[] = {
        {"call 01A3 11; call 12345 11", "command 2: call: bad address '12345'"},
        {"call 1 256", "bad key '256'"},
        {"raw AA C", "bad hex bytes 'C'"},
        {"vcall 1 11 --tail 11223344556677", "--tail longer than the 6 unused bytes"},
        {"badsum sleep 10", "'sleep' is not a frame command"},
        {"ring 1", "unknown command 'ring'"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.commands);
        const SimRun run = dump(QString::fromLatin1(bad.commands));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.lines.empty());
        EXPECT_TRUE(run.errors.contains(QLatin1String(bad.message))) << run.errors.toStdString();
    }
}

} // namespace
