// The link counters: what the receive path took in and what it made of it,
// through the real ring, synchroniser and frame handler; the held
// acknowledgements the port no longer takes; and the console's ten-minute line.
#include "comm/CallOps.h"
#include "comm/DeviceReplies.h"
#include "comm/FrameEnvelope.h"
#include "comm/FrameHandler.h"
#include "comm/LinkReport.h"
#include "comm/SerialLine.h"
#include "comm/SerialPort.h"
#include "core/Clock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Sealed(Bytes f)
{
    Frame::Seal(f.data(), static_cast<int>(f.size()));
    return f;
}

const Bytes kShort = Sealed({0xAA, 0x01, 0x02, 0x03, 0x04, 0x10, 0x33, 0, 0});
const Bytes kMidCall = Sealed({0xAA, 0x41, 0, 0, 0, 0x91, 0, 0x00, 0x01, 0x0B, 0, 0, 0x10, 0x10, 0x01, 0, 0});
// The receiver's example call frame, L = 12.
const Bytes kVarCall = {0xAA, 0xC0, 0x00, 0x00, 0x00, 0x81, 0x0C, 0x00, 0x01, 0x0B, 0x10,
                        0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x41, 0x42, 0xA7, 0x55};
// A device's reply (LED progress): a valid frame that is not acknowledged.
const Bytes kVarReply = Sealed({0xAA, 0xC0, 0, 0, 0, 0x53, 0x00, 0, 0});
const Bytes kNoise = {0x00, 0x13, 0x55, 0xFF, 0x41, 0x91, 0x7E};  // no 0xAA

Bytes BadSum(Bytes f)
{
    f[f.size() - 2] ^= 0x01;
    return f;
}
Bytes BadEnd(Bytes f)
{
    f.back() = 0x54;
    return f;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

class Line final : public ISerialLine {
public:
    bool SendFrame(const uint8_t*, int) override { return working; }
    bool working = true;
};

class Calls final : public ICallOps {
public:
    void OpenCall(uint16_t, uint8_t, const QTime&, const QString&) override { ++opened; }
    void CloseCallsAt(uint16_t, uint8_t, const QTime&) override {}
    int opened = 0;
};

struct ReceivePath {
    Line line;
    Calls calls;
    TDeviceReplies replies;
    TRecvRing ring;
    TFrameHandler handler{line, calls, replies};
    TFrameSync sync{ring, handler};

    void Receive(const Bytes& bytes, size_t chunk)
    {
        for (size_t at = 0; at < bytes.size(); at += chunk) {
            ring.CopyReceivedBytes(bytes.data() + at, static_cast<int>(std::min(chunk, bytes.size() - at)));
            sync.ParseRecvData();
        }
    }
    TLinkCounts Counts() const { return ReadLinkCounts(ring, sync, handler); }
};

struct CountCase {
    const char* name;
    Bytes stream;
    bool lineWorks;
    TLinkCounts expected;  // Received is the stream's length
    int callsOpened;
};

void PrintTo(const CountCase& c, std::ostream* os) { *os << c.name; }

class LinkCounters : public ::testing::TestWithParam<CountCase> {};

TEST_P(LinkCounters, EveryByteAndFrameIsAccountedFor)
{
    const CountCase& c = GetParam();
    TLinkCounts expected = c.expected;
    expected.Received = c.stream.size();
    // Whole deliveries and single bytes, as a slow line gives them, count the same.
    for (const size_t chunk : {c.stream.size(), size_t(1)}) {
        ReceivePath path;
        path.line.working = c.lineWorks;
        path.Receive(c.stream, chunk);
        EXPECT_EQ(path.Counts(), expected) << "chunk " << chunk << ": " << LinkCountsLine(path.Counts()).toStdString();
        EXPECT_EQ(path.calls.opened, c.callsOpened) << "chunk " << chunk;
    }
}

const CountCase kCountCases[] = {
    {"NoiseIsSkippedByteByByte", kNoise, true, {.Skipped = 7}, 0},
    // AA 2F: only the sync byte is dropped, and 2F is noise of its own.
    {"UnknownClassCostsItsSyncByte", {0xAA, 0x2F, 0x01}, true, {.Skipped = 3}, 0},
    // A length past the frame buffer: the sync byte is dropped, and the six header bytes after it are noise.
    {"CorruptLengthCostsItsSyncByte", {0xAA, 0xC0, 0, 0, 0, 0x81, 0xF8}, true, {.Skipped = 7}, 0},
    {"GoodFramesOfEveryClass", Concat({kShort, kMidCall, kVarCall, kVarReply}), true,
     {.Frames = 4, .Acks = 3}, 2},
    {"BadChecksumsAreDroppedWhole", Concat({BadSum(kShort), BadSum(kMidCall), BadSum(kVarCall)}), true,
     {.Dropped = 3}, 0},
    {"BadEndBytesAreDroppedWhole", Concat({BadEnd(kMidCall), BadEnd(kVarCall)}), true, {.Dropped = 2}, 0},
    {"NoiseBadAndGoodFramesMixed",
     Concat({kNoise, BadSum(kMidCall), kMidCall, {0xAA, 0x2F}, BadEnd(kShort), kVarCall, kNoise}), true,
     {.Skipped = 16, .Frames = 2, .Dropped = 2, .Acks = 2}, 2},
    // Calls are still acted on when the port does not take their acknowledgements.
    {"AcknowledgementsThePortRefuses", Concat({kShort, kMidCall, kVarCall, kVarReply}), false,
     {.Frames = 4, .AckFailed = 3}, 2},
    // The rest of a frame is awaited, not counted.
    {"PartialFrameWaits", Bytes(kMidCall.begin(), kMidCall.begin() + 10), true, {}, 0},
};

INSTANTIATE_TEST_SUITE_P(Streams, LinkCounters, ::testing::ValuesIn(kCountCases),
                         [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

// Frames held back while a run of the synchroniser handles them are reported lost
// when the port is gone before they could leave.
// More bytes than the ring holds arrive before the synchroniser runs: the overwritten ones
// count as skipped, and a frame whose start was overwritten is not read out of noise.
struct OverflowCase {
    const char* name;
    Bytes parsedBefore;  // delivered and parsed before the flood
    Bytes flood;         // delivered in one piece, more than the ring holds
};

void PrintTo(const OverflowCase& c, std::ostream* os) { *os << c.name; }

class RingOverflow : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(RingOverflow, LostBytesCountAsSkipped)
{
    ReceivePath path;
    path.Receive(GetParam().parsedBefore, GetParam().parsedBefore.size());
    path.ring.CopyReceivedBytes(GetParam().flood.data(), static_cast<int>(GetParam().flood.size()));
    path.Receive(kShort, kShort.size());
    const TLinkCounts c = path.Counts();
    EXPECT_EQ(c.Received, GetParam().parsedBefore.size() + GetParam().flood.size() + kShort.size());
    EXPECT_EQ(c.Frames, 1u) << LinkCountsLine(c).toStdString();
    EXPECT_EQ(c.Skipped, c.Received - kShort.size()) << LinkCountsLine(c).toStdString();
    EXPECT_EQ(TRecvRing::Available(path.ring.RecvReadIndex, path.ring.RecvWriteIndex), 0);
}

const Bytes kFlood(RecvRingSize + 100, 0x00);

INSTANTIATE_TEST_SUITE_P(
    Floods, RingOverflow,
    ::testing::Values(OverflowCase{"UnreadFrameOverwritten", {}, Concat({kShort, kFlood})},
                      OverflowCase{"FloodOfExactlyTheRing", {}, Bytes(RecvRingSize, 0x00)},
                      OverflowCase{"FrameWaitedForOverwritten", Bytes(kVarCall.begin(), kVarCall.begin() + 5), kFlood}),
    [](const ::testing::TestParamInfo<OverflowCase>& info) { return std::string(info.param.name); });

TEST(LinkCounters, HeldAcknowledgementsOfAPortThatWentAwayAreNotWritten)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    TMSComm comm;
    ASSERT_TRUE(comm.Open(1, QString::fromLocal8Bit(ptsname(master))));

    comm.HoldOutput();
    EXPECT_TRUE(comm.SendFrame(kShort.data(), static_cast<int>(kShort.size())));
    ::close(master);  // the receiver is unplugged
    QDeadlineTimer deadline(3000);
    while (comm.PortOpen() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_FALSE(comm.PortOpen());
    EXPECT_FALSE(comm.ReleaseOutput());
    // Nothing held: nothing to lose.
    comm.HoldOutput();
    EXPECT_TRUE(comm.ReleaseOutput());
}

TEST(LinkReport, SaysTheCountersEveryTenMinutesWhenTheyChangedAndAtTheEnd)
{
    ManualClock clock;
    clock.SetTick(0xFFFF0000u);  // the tick wraps within the first interval
    TLinkCounts counts;
    TLinkReport report(clock, [&] { return counts; });

    counts.Received = 40;
    clock.Advance(TLinkReport::IntervalMs - 1);
    EXPECT_FALSE(report.Due()) << "before ten minutes";
    clock.Advance(1);
    EXPECT_EQ(report.Due(), LinkCountsLine(counts));
    EXPECT_FALSE(report.Due()) << "said already";

    clock.Advance(TLinkReport::IntervalMs);
    EXPECT_FALSE(report.Due()) << "unchanged for ten minutes";
    counts.Dropped = 1;
    clock.Advance(TLinkReport::IntervalMs / 2);
    EXPECT_FALSE(report.Due()) << "changed, but five minutes since the last look";
    clock.Advance(TLinkReport::IntervalMs / 2);
    EXPECT_EQ(report.Due(), LinkCountsLine(counts));

    EXPECT_EQ(report.Final(), LinkCountsLine(counts)) << "at the end, changed or not";
}

}  // namespace
