#include "comm/CallOps.h"
#include "comm/DeviceReplies.h"
#include "comm/FrameHandler.h"
#include "comm/SerialLine.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class FakeLine : public ISerialLine {
public:
    bool SendFrame(const uint8_t* bytes, int n) override
    {
        sent.emplace_back(bytes, bytes + n);
        return !failing;
    }
    bool failing = false;
    std::vector<Bytes> sent;
};

struct Opened {
    uint16_t address;
    uint8_t key;
    QTime time;
    QString substitute;
    bool operator==(const Opened&) const = default;
};
struct Closed {
    uint16_t address;
    uint8_t cancelUnit;
    QTime time;
    bool operator==(const Closed&) const = default;
};

class FakeCalls : public ICallOps {
public:
    void OpenCall(uint16_t address, uint8_t key, const QTime& callTime, const QString& substitute) override
    {
        opened.push_back({address, key, callTime, substitute});
    }
    void CloseCallsAt(uint16_t address, uint8_t cancelUnit, const QTime& cancelTime) override
    {
        closed.push_back({address, cancelUnit, cancelTime});
    }
    std::vector<Opened> opened;
    std::vector<Closed> closed;
};

uint8_t SumBeforeChecksum(const Bytes& f)
{
    return uint8_t(std::accumulate(f.begin(), f.end() - 2, 0u));
}

// Fills in the checksum and the end byte.
Bytes Sealed(Bytes f)
{
    f[f.size() - 1] = 0x55;
    f[f.size() - 2] = SumBeforeChecksum(f);
    return f;
}

// Call or cancel fields of a mid frame, with header bytes that show where they are copied.
Bytes MidFrame(uint8_t cmd, uint16_t address, uint8_t key, uint8_t cancelUnit, Bytes bcd)
{
    return Sealed({0xAA, 0x47, 0x11, 0x22, 0x33, cmd, cancelUnit, uint8_t(address >> 8), uint8_t(address),
                   key, 0x5E, 0x6F, bcd[0], bcd[1], bcd[2], 0, 0});
}

// A variable frame of data length L, with data bytes 7.. taken from data and zero after it.
Bytes VarFrame(uint8_t cmd, int L, Bytes data)
{
    Bytes f(L + 9, 0);
    f[0] = 0xAA;
    f[1] = 0xC3;
    f[2] = 0x12;
    f[3] = 0x34;
    f[4] = 0x56;
    f[5] = cmd;
    f[6] = uint8_t(L);
    std::copy(data.begin(), data.end(), f.begin() + 7);
    return Sealed(f);
}

Bytes VarCallFrame(uint16_t address, uint8_t key, int L, const char* name = "")
{
    Bytes data = {uint8_t(address >> 8), uint8_t(address), key, 0x09, 0x30, 0x15, 1, 2, 3, 4, 5, 6, 7};
    data.insert(data.end(), name, name + strlen(name));
    return VarFrame(0x81, L, data);
}

// Acknowledgement of a short or mid frame, by the receiver's rule.
Bytes StationAck(const Bytes& f)
{
    Bytes ack = {0xAA, 0x41, 0x01, 0x02, f[2], uint8_t(0xA0 | (f[5] & 0x0F))};
    ack.insert(ack.end(), f.begin() + 6, f.end() - 2);
    ack.push_back(0);
    ack.push_back(0);
    return Sealed(ack);
}

Bytes VarAck(const Bytes& f)
{
    Bytes ack = {0xAA, 0xC1, f[4], uint8_t(f[1] & 0x0F), f[2], uint8_t(0xA0 | (f[5] & 0x0F))};
    ack.insert(ack.end(), f.begin() + 6, f.end() - 2);
    ack.push_back(0);
    ack.push_back(0);
    return Sealed(ack);
}

class FrameHandlerTest : public ::testing::Test {
protected:
    void Short(const Bytes& f) { handler.HandleShortFrame(f.data()); }
    void Mid(const Bytes& f) { handler.HandleMidFrame(f.data()); }
    void Var(const Bytes& f) { handler.HandleVarFrame(f.data(), int(f.size())); }
    void ExpectNothingDone()
    {
        EXPECT_TRUE(line.sent.empty());
        EXPECT_TRUE(calls.opened.empty());
        EXPECT_TRUE(calls.closed.empty());
    }

    FakeLine line;
    FakeCalls calls;
    TDeviceReplies replies;
    TFrameHandler handler{line, calls, replies};
};

// The receiver's example call frame, L = 12, key 11, 10:10:01.
const Bytes kVarCall = {0xAA, 0xC0, 0x00, 0x00, 0x00, 0x81, 0x0C, 0x00, 0x01, 0x0B, 0x10,
                        0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x41, 0x42, 0xA7, 0x55};

TEST_F(FrameHandlerTest, VarCallExampleIsAcknowledgedAndOpensCall)
{
    Var(kVarCall);
    const Bytes ack = {0xAA, 0xC1, 0x00, 0x00, 0x00, 0xA1, 0x0C, 0x00, 0x01, 0x0B, 0x10,
                       0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x41, 0x42, 0xC8, 0x55};
    ASSERT_EQ(line.sent.size(), 1u);
    EXPECT_EQ(line.sent[0], ack);
    // Bytes 41 42 lie before the name field: no name.
    EXPECT_EQ(calls.opened, (std::vector<Opened>{{0x0001, 11, QTime(10, 10, 1), "(0001)"}}));
    EXPECT_TRUE(calls.closed.empty());
}

TEST_F(FrameHandlerTest, VarCancelKeyClosesCallsWithoutCancelUnit)
{
    Bytes cancel = kVarCall;
    cancel[9] = 0x0A;
    cancel[19] = 0xA6;
    Var(cancel);
    ASSERT_EQ(line.sent.size(), 1u);
    EXPECT_EQ(line.sent[0], VarAck(cancel));
    EXPECT_EQ(line.sent[0][19], 0xC7);
    EXPECT_EQ(calls.closed, (std::vector<Closed>{{0x0001, 0, QTime(10, 10, 1)}}));
    EXPECT_TRUE(calls.opened.empty());
}

TEST_F(FrameHandlerTest, VarCallNameComesBeforeAddress)
{
    const Bytes named = VarCallFrame(0x00AB, 0x0C, 16, "T12");  // name bytes 20-22
    Var(named);
    ASSERT_EQ(line.sent.size(), 1u);
    EXPECT_EQ(line.sent[0], VarAck(named));  // header fields moved, length and data echoed
    Var(VarCallFrame(0xBEEF, 0x0D, 14, "Z"));     // shortest frame with a name
    Var(VarCallFrame(0x00AB, 0x0C, 13, "X"));     // byte 20 is the checksum: no name
    // Padding ends the name: a NUL (and whatever follows it), or trailing blanks.
    Var(VarFrame(0x81, 19, {0x00, 0x01, 0x0B, 0x09, 0x30, 0x15, 1, 2, 3, 4, 5, 6, 7, 'A', '1', 0, 'z', 0, 0}));
    Var(VarCallFrame(0x0002, 0x0B, 17, "B2  "));
    ASSERT_EQ(calls.opened.size(), 5u);
    EXPECT_EQ(calls.opened[0], (Opened{0x00AB, 0x0C, QTime(9, 30, 15), "T12(00AB)"}));
    EXPECT_EQ(calls.opened[1].substitute, "Z(BEEF)");
    EXPECT_EQ(calls.opened[2].substitute, "(00AB)");
    EXPECT_EQ(calls.opened[3].substitute, "A1(0001)");
    EXPECT_EQ(calls.opened[4].substitute, "B2(0002)");
}

TEST_F(FrameHandlerTest, VarCallTooShortForItsFieldsIsOnlyAcknowledged)
{
    const Bytes f = VarFrame(0x81, 2, {0x00, 0x01});
    Var(f);
    ASSERT_EQ(line.sent.size(), 1u);
    EXPECT_EQ(line.sent[0], VarAck(f));
    EXPECT_TRUE(calls.opened.empty());
    EXPECT_TRUE(calls.closed.empty());
}

TEST_F(FrameHandlerTest, MidCallIsAcknowledgedAndOpensCallWithPositionText)
{
    // Byte for byte, so the acknowledgement rule is checked by something other than its own restatement.
    const Bytes f = {0xAA, 0x47, 0x11, 0x22, 0x33, 0x91, 0x00, 0x01, 0xA3,
                     0x0D, 0x5E, 0x6F, 0x10, 0x25, 0x07, 0xA2, 0x55};
    Mid(f);
    ASSERT_EQ(line.sent.size(), 1u);
    EXPECT_EQ(line.sent[0], (Bytes{0xAA, 0x41, 0x01, 0x02, 0x11, 0xA1, 0x00, 0x01, 0xA3,
                                   0x0D, 0x5E, 0x6F, 0x10, 0x25, 0x07, 0x5A, 0x55}));
    EXPECT_EQ(calls.opened, (std::vector<Opened>{{0x01A3, 0x0D, QTime(10, 25, 7), "未设置(1A3)"}}));
    EXPECT_TRUE(calls.closed.empty());
}

TEST_F(FrameHandlerTest, MidCancelClosesCallsNamingCancelUnit)
{
    const Bytes f = MidFrame(0x92, 0xFE01, 0x0B, 0x2C, {0x23, 0x59, 0x58});
    Mid(f);
    ASSERT_EQ(line.sent.size(), 1u);
    EXPECT_EQ(line.sent[0], StationAck(f));
    EXPECT_EQ(line.sent[0][5], 0xA2);
    EXPECT_EQ(calls.closed, (std::vector<Closed>{{0xFE01, 0x2C, QTime(23, 59, 58)}}));
    EXPECT_TRUE(calls.opened.empty());
}

TEST_F(FrameHandlerTest, MidOtherCommandIsOnlyAcknowledged)
{
    const Bytes f = MidFrame(0x93, 0x0001, 0x0B, 0x00, {0x10, 0x10, 0x01});
    Mid(f);
    ASSERT_EQ(line.sent.size(), 1u);
    EXPECT_EQ(line.sent[0], StationAck(f));
    EXPECT_EQ(line.sent[0][5], 0xA3);
    EXPECT_TRUE(calls.opened.empty());
    EXPECT_TRUE(calls.closed.empty());
}

TEST_F(FrameHandlerTest, ShortFrameIsOnlyAcknowledged)
{
    const Bytes f = Sealed({0xAA, 0x05, 0x77, 0x88, 0x99, 0x34, 0x6B, 0, 0});
    Short(f);
    ASSERT_EQ(line.sent.size(), 1u);
    EXPECT_EQ(line.sent[0], StationAck(f));
    EXPECT_EQ(line.sent[0], (Bytes{0xAA, 0x41, 0x01, 0x02, 0x77, 0xA4, 0x6B, 0x74, 0x55}));
    EXPECT_TRUE(calls.opened.empty());
}

// A frame with a wrong checksum or end byte, by class: dropped without acknowledgement or action.
struct TInvalidFrame {
    const char* name;
    Bytes frame;
    int at;             // the byte made wrong
    uint8_t value;
};

void PrintTo(const TInvalidFrame& f, std::ostream* os) { *os << f.name; }

class InvalidFrame : public FrameHandlerTest, public ::testing::WithParamInterface<TInvalidFrame> {};

TEST_P(InvalidFrame, IsDroppedSilently)
{
    Bytes f = GetParam().frame;
    f[GetParam().at] = GetParam().value;
    if (f.size() == 9 && (f[1] & 0xF0) == 0x00)
        Short(f);
    else if (f.size() == 17 && (f[1] & 0xF0) == 0x40)
        Mid(f);
    else
        Var(f);
    ExpectNothingDone();
}

const Bytes kShort = Sealed({0xAA, 0x05, 0x77, 0x88, 0x99, 0x34, 0x6B, 0, 0});
const Bytes kMidCall = MidFrame(0x91, 0x0001, 0x0B, 0x00, {0x10, 0x10, 0x01});

INSTANTIATE_TEST_SUITE_P(FrameHandler, InvalidFrame,
                         ::testing::Values(TInvalidFrame{"ShortEndByte54", kShort, 8, 0x54},
                                           TInvalidFrame{"ShortChecksumOneOff", kShort, 7, uint8_t(kShort[7] + 1)},
                                           TInvalidFrame{"MidCallChecksumOneOff", kMidCall, 15, uint8_t(kMidCall[15] + 1)},
                                           TInvalidFrame{"MidCallEndByte00", kMidCall, 16, 0x00},
                                           TInvalidFrame{"VarCallChecksumA8", kVarCall, 19, 0xA8},
                                           TInvalidFrame{"VarCallEndByte56", kVarCall, 20, 0x56}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameHandlerTest, FailedAckSendStillActsOnFrameAndLaterFrames)
{
    line.failing = true;
    Mid(MidFrame(0x91, 0x0002, 0x0B, 0x00, {0x08, 0x00, 0x00}));
    Var(kVarCall);
    Mid(MidFrame(0x92, 0x0002, 0x0B, 0x05, {0x08, 0x01, 0x00}));
    EXPECT_EQ(line.sent.size(), 3u);
    ASSERT_EQ(calls.opened.size(), 2u);
    EXPECT_EQ(calls.opened[0].address, 0x0002);
    EXPECT_EQ(calls.opened[1].address, 0x0001);
    EXPECT_EQ(calls.closed, (std::vector<Closed>{{0x0002, 0x05, QTime(8, 1, 0)}}));
}

// Device tool replies.

class DeviceRepliesTest : public FrameHandlerTest {
protected:
    struct Posted {
        int wParam;
        quint32 lParam;
        bool operator==(const Posted&) const = default;
    };
    struct Delivered {
        int wParam;
        Bytes frame;
        bool operator==(const Delivered&) const = default;
    };
    static void RunPosted() { QCoreApplication::sendPostedEvents(); }

    void RegisterBind()
    {
        replies.RegisterBind([this](int w, quint32 l) { bindPosted.push_back({w, l}); });
    }
    void RegisterCopyData()
    {
        replies.RegisterCopyData([this](int w, const uint8_t* f, int n) { copyDelivered.push_back({w, Bytes(f, f + n)}); },
                                 [this](int w, quint32 l) { copyPosted.push_back({w, l}); });
    }

    std::vector<Posted> bindPosted;
    std::vector<Posted> copyPosted;
    std::vector<Delivered> copyDelivered;
};

TEST_F(DeviceRepliesTest, BindAckWithoutWindowDoesNothing)
{
    Var(VarFrame(0x82, 1, {0x00}));
    RunPosted();
    ExpectNothingDone();
    EXPECT_TRUE(bindPosted.empty());
}

TEST_F(DeviceRepliesTest, BindAckIsPostedOnceAndNotAcknowledged)
{
    RegisterBind();
    Var(VarFrame(0x82, 1, {0x00}));
    EXPECT_TRUE(bindPosted.empty());  // queued, not delivered during the frame run
    RunPosted();
    EXPECT_EQ(bindPosted, (std::vector<Posted>{{1, 1}}));
    RunPosted();
    EXPECT_EQ(bindPosted.size(), 1u);

    Var(VarFrame(0x85, 0, {}));
    RunPosted();
    EXPECT_EQ(bindPosted, (std::vector<Posted>{{1, 1}, {1, 1}}));
    EXPECT_TRUE(line.sent.empty());
}

TEST_F(DeviceRepliesTest, PostedAckIsDroppedWhenWindowClosedBeforeItRuns)
{
    RegisterBind();
    Var(VarFrame(0x82, 1, {0x00}));
    replies.UnregisterBind();
    RunPosted();
    EXPECT_TRUE(bindPosted.empty());

    // A window opened again does not receive what was meant for the old one.
    RegisterBind();
    Var(VarFrame(0x85, 1, {0x00}));
    replies.UnregisterBind();
    RegisterBind();
    RunPosted();
    EXPECT_TRUE(bindPosted.empty());
}

TEST_F(DeviceRepliesTest, BlockRepliesAreDeliveredAtOnceWithFrame)
{
    RegisterCopyData();
    const Bytes written = VarFrame(0x66, 4, {0x00, 0x00, 0x00, 0x20});
    const Bytes read = VarFrame(0x6A, 36, {0x00, 0x00, 0x00, 0x40, 0xDE, 0xAD});
    Var(written);
    Var(read);
    EXPECT_EQ(copyDelivered, (std::vector<Delivered>{{3, written}, {2, read}}));
    RunPosted();
    EXPECT_EQ(copyDelivered.size(), 2u);
    EXPECT_TRUE(copyPosted.empty());
    EXPECT_TRUE(line.sent.empty());
}

TEST_F(DeviceRepliesTest, SizeReplyIsPostedWithBytes7To10MostSignificantFirst)
{
    RegisterCopyData();
    Var(VarFrame(0x69, 4, {0xF1, 0x02, 0x83, 0x04}));
    Var(VarFrame(0x69, 2, {0x01, 0x02}));  // too short to carry a size
    EXPECT_TRUE(copyPosted.empty());
    RunPosted();
    EXPECT_EQ(copyPosted, (std::vector<Posted>{{1, 0xF1028304u}}));
    EXPECT_TRUE(copyDelivered.empty());
}

TEST_F(DeviceRepliesTest, CopyDataRepliesWithoutWindowAreDropped)
{
    RegisterCopyData();
    replies.UnregisterCopyData();
    Var(VarFrame(0x66, 4, {0, 0, 0, 0}));
    Var(VarFrame(0x6A, 4, {0, 0, 0, 0}));
    Var(VarFrame(0x69, 4, {0, 0, 1, 0}));
    RunPosted();
    EXPECT_TRUE(copyDelivered.empty());
    EXPECT_TRUE(copyPosted.empty());
}

TEST_F(DeviceRepliesTest, LedAckOnlyWhileProgressShown)
{
    const Bytes ack = VarFrame(0x53, 1, {0x01});
    Var(ack);  // no LED window

    bool visible = false;
    std::vector<Bytes> acks;
    replies.RegisterLed([&] { return visible; }, [&](const uint8_t* f, int n) { acks.emplace_back(f, f + n); });
    Var(ack);
    EXPECT_TRUE(acks.empty());

    visible = true;
    Var(ack);
    EXPECT_EQ(acks, std::vector<Bytes>{ack});

    replies.UnregisterLed();
    Var(ack);
    EXPECT_EQ(acks.size(), 1u);
    EXPECT_TRUE(line.sent.empty());
}

TEST_F(DeviceRepliesTest, OtherCommandsAndInvalidRepliesAreIgnored)
{
    RegisterBind();
    RegisterCopyData();
    Var(VarFrame(0x70, 4, {0, 0, 0, 0}));
    Bytes badSum = VarFrame(0x66, 4, {0, 0, 0, 0});
    ++badSum[11];
    Var(badSum);
    RunPosted();
    ExpectNothingDone();
    EXPECT_TRUE(bindPosted.empty());
    EXPECT_TRUE(copyDelivered.empty());
}

}  // namespace
