#include "comm/FrameEnvelope.h"
#include "comm/FrameSync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Seen {
    char kind;  // 'S', 'M' or 'V'
    Bytes bytes;
    bool operator==(const Seen&) const = default;
};

class Recorder : public IFrameHandlers {
public:
    void HandleShortFrame(const uint8_t* f) override { seen.push_back({'S', Bytes(f, f + 9)}); }
    void HandleMidFrame(const uint8_t* f) override { seen.push_back({'M', Bytes(f, f + 17)}); }
    void HandleVarFrame(const uint8_t* f, int n) override { seen.push_back({'V', Bytes(f, f + n)}); }
    std::vector<Seen> seen;
};

// The receiver's example: one variable frame with L = 12.
const Bytes kVarExample = {0xAA, 0xC0, 0x00, 0x00, 0x00, 0x81, 0x0C, 0x00, 0x01, 0x0B, 0x10,
                           0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x41, 0x42, 0xA7, 0x55};

Bytes Sealed(Bytes f)
{
    Frame::Seal(f.data(), static_cast<int>(f.size()));
    return f;
}

Bytes ShortFrame(uint8_t cmd) { return Sealed({0xAA, 0x01, 0x02, 0x03, 0x04, cmd, 0x33, 0, 0}); }

Bytes MidFrame(uint8_t cmd, uint16_t addr)
{
    Bytes f(17, 0);
    f[0] = 0xAA;
    f[1] = 0x41;
    f[5] = cmd;
    f[7] = addr >> 8;
    f[8] = addr & 0xFF;
    f[9] = 0x0B;
    return Sealed(f);
}

Bytes VarFrame(uint8_t len)
{
    Bytes f(len + 9, 0x5A);
    f[0] = 0xAA;
    f[1] = 0xC0;
    f[5] = 0x81;
    f[6] = len;
    return Sealed(f);
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct Station {
    TRecvRing ring;
    Recorder rec;
    TFrameSync sync{ring, rec};

    void Receive(const Bytes& b, size_t from, size_t to)
    {
        ring.CopyReceivedBytes(b.data() + from, static_cast<int>(to - from));
        sync.ParseRecvData();
    }
    void Receive(const Bytes& b) { Receive(b, 0, b.size()); }
};

}  // namespace

TEST(FrameEnvelope, ChecksumAndEndByteDecideValidity)
{
    EXPECT_TRUE(Frame::IsValid(kVarExample.data(), 21));
    Bytes wrongSum = kVarExample;
    wrongSum[19] ^= 1;
    EXPECT_FALSE(Frame::IsValid(wrongSum.data(), 21));
    Bytes wrongEnd = ShortFrame(0x10);
    wrongEnd[8] = 0x54;
    EXPECT_FALSE(Frame::IsValid(wrongEnd.data(), 9));
}

TEST(FrameSync, VariableExampleArrivesOnceWhateverTheSplit)
{
    // Every split into two and three deliveries.
    for (size_t a = 0; a <= kVarExample.size(); ++a) {
        for (size_t b = a; b <= kVarExample.size(); ++b) {
            Station s;
            s.Receive(kVarExample, 0, a);
            s.Receive(kVarExample, a, b);
            s.Receive(kVarExample, b, kVarExample.size());
            ASSERT_EQ(s.rec.seen.size(), 1u) << "split at " << a << "," << b;
            EXPECT_EQ(s.rec.seen[0], (Seen{'V', kVarExample}));
            EXPECT_EQ(s.sync.SyncState, TSyncState::Hunt);
            EXPECT_EQ(s.ring.RecvReadIndex, s.ring.RecvWriteIndex);
        }
    }
}

TEST(FrameSync, AllClassesInOneStreamByteByByte)
{
    const Bytes stream = Concat({ShortFrame(0x10), MidFrame(0x91, 0x1234), VarFrame(0), VarFrame(30)});
    Station s;
    for (size_t i = 0; i < stream.size(); ++i)
        s.Receive(stream, i, i + 1);
    ASSERT_EQ(s.rec.seen.size(), 4u);
    EXPECT_EQ(s.rec.seen[0].kind, 'S');
    EXPECT_EQ(s.rec.seen[1].kind, 'M');
    EXPECT_EQ(s.rec.seen[2], (Seen{'V', VarFrame(0)}));  // L = 0 is a 9-byte frame
    EXPECT_EQ(s.rec.seen[3].bytes.size(), 39u);
}

TEST(FrameSync, FrameAcrossTheRingEndArrivesContiguous)
{
    Station s;
    // Fill with noise so that the next frame starts 5 bytes before the end.
    Bytes noise(RecvRingSize - 5, 0x11);
    s.Receive(noise);
    ASSERT_EQ(s.ring.RecvReadIndex, RecvRingSize - 5);
    const Bytes mid = MidFrame(0x92, 0xBEEF);
    s.Receive(mid);
    ASSERT_EQ(s.rec.seen.size(), 1u);
    EXPECT_EQ(s.rec.seen[0], (Seen{'M', mid}));
    EXPECT_EQ(s.ring.RecvReadIndex, 12);
}

TEST(FrameSync, LoneSyncByteWaitsForItsClassByte)
{
    Station s;
    s.Receive(Bytes{0x01, 0x02, 0xAA});
    EXPECT_TRUE(s.rec.seen.empty());
    EXPECT_EQ(s.ring.RecvReadIndex, 2);  // noise consumed, r stays on the sync byte
    const Bytes f = ShortFrame(0x20);
    s.Receive(f, 1, f.size());
    ASSERT_EQ(s.rec.seen.size(), 1u);
    EXPECT_EQ(s.rec.seen[0].bytes, f);
}

TEST(FrameSync, UnknownClassDropsOnlyTheSyncByte)
{
    Station s;
    // AA 2F: the 2F is examined next; AA AA 01..: the second AA starts a short frame.
    Bytes f = ShortFrame(0x30);
    f[1] = 0x01;
    f = Sealed(f);
    s.Receive(Concat({{0xAA, 0x2F}, {0xAA}, f}));
    ASSERT_EQ(s.rec.seen.size(), 1u);
    EXPECT_EQ(s.rec.seen[0].bytes, f);
}

TEST(FrameSync, InvalidFrameIsConsumedWholeAndTheNextOneFound)
{
    Station s;
    Bytes bad = ShortFrame(0x10);
    bad[7] ^= 0xFF;  // wrong checksum: still handed over and consumed as a whole
    // A sync byte inside the bad frame's data must not start a frame.
    bad[6] = 0xAA;
    const Bytes good = MidFrame(0x91, 7);
    s.Receive(Concat({bad, good}));
    ASSERT_EQ(s.rec.seen.size(), 2u);
    EXPECT_EQ(s.rec.seen[0].bytes, bad);
    EXPECT_EQ(s.rec.seen[1].bytes, good);
}

TEST(FrameSync, CorruptLengthSwallowsFollowingFrames)
{
    Station s;
    Bytes var = kVarExample;
    var[6] = 200;  // 209 bytes awaited from the sync byte
    s.Receive(var);
    const Bytes mid = MidFrame(0x91, 1);
    for (int i = 0; i < 10; ++i)
        s.Receive(mid);
    EXPECT_TRUE(s.rec.seen.empty());
    EXPECT_EQ(s.sync.SyncState, TSyncState::VarFrame);
    for (int i = 0; i < 2; ++i)
        s.Receive(mid);
    ASSERT_GE(s.rec.seen.size(), 1u);
    EXPECT_EQ(s.rec.seen[0].kind, 'V');
    EXPECT_EQ(s.rec.seen[0].bytes.size(), 209u);
}

TEST(FrameSync, LengthAbove246DropsTheSyncByteAndHuntsOn)
{
    Station s;
    Bytes var = kVarExample;
    var[6] = 247;
    const Bytes mid = MidFrame(0x91, 3);
    s.Receive(Concat({var, mid}));
    ASSERT_EQ(s.rec.seen.size(), 1u);
    EXPECT_EQ(s.rec.seen[0].bytes, mid);
    EXPECT_EQ(s.sync.SyncState, TSyncState::Hunt);
}

TEST(FrameSync, BytesStoredWakeTheWorkerEvenWhenEmpty)
{
    TRecvRing ring;
    int pulses = 0;
    ring.OnBytesStored = [&] { ++pulses; };
    ring.CopyReceivedBytes(nullptr, 0);
    const uint8_t b = 1;
    ring.CopyReceivedBytes(&b, 1);
    EXPECT_EQ(pulses, 2);
}

TEST(FrameSync, NoiseAndRandomSplitsOverManyRingWraps)
{
    std::mt19937 rng(12345);
    Bytes stream;
    std::vector<Bytes> expected;
    for (int i = 0; i < 3000; ++i) {
        const int noise = static_cast<int>(rng() % 5);
        for (int k = 0; k < noise; ++k)
            stream.push_back(static_cast<uint8_t>(rng() % 0xA0));  // never 0xAA
        Bytes f;
        switch (rng() % 3) {
        case 0: f = ShortFrame(static_cast<uint8_t>(rng())); break;
        case 1: f = MidFrame(0x91, static_cast<uint16_t>(rng())); break;
        default: f = VarFrame(static_cast<uint8_t>(rng() % 40)); break;
        }
        if (rng() % 7 == 0)
            f[f.size() - 2] ^= 0x5A;  // a bad checksum is still one whole frame
        stream.insert(stream.end(), f.begin(), f.end());
        expected.push_back(f);
    }
    Station s;
    size_t at = 0;
    while (at < stream.size()) {
        const size_t n = std::min<size_t>(stream.size() - at, 1 + rng() % 600);
        s.Receive(stream, at, at + n);
        at += n;
    }
    ASSERT_EQ(s.rec.seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(s.rec.seen[i].bytes, expected[i]) << "frame " << i;
}
