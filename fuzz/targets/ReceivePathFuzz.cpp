// Bytes from the receiver's line, delivered into the ring in chunks of every
// size, through the synchroniser and the frame handlers. What must hold for
// any bytes at all:
// - the parser always advances: after a run, less than one whole frame waits;
// - an acknowledgement goes out only for a frame with a valid checksum and end
//   byte, and is itself a valid frame of the length its class gives;
// - a valid call frame in noise without sync bytes is always found, once.
// - the link counters account for every byte: each was skipped, is part of a
//   frame handled or dropped, or still waits; each frame is one or the other.
#include "comm/CallOps.h"
#include "comm/DeviceReplies.h"
#include "comm/FrameEnvelope.h"
#include "comm/FrameHandler.h"
#include "comm/LinkCounters.h"
#include "comm/SerialLine.h"
#include "LineFeed.h"

#include <vector>

namespace {

struct Calls final : ICallOps {
    void OpenCall(uint16_t address, uint8_t key, const QTime&, const QString&) override
    {
        if (address == 0x4242 && key == 0x0B)
            ++beacons;
    }
    void CloseCallsAt(uint16_t, uint8_t, const QTime&) override {}
    int beacons = 0;
};

// Sits between the synchroniser and the real handlers, so that every
// acknowledgement can be matched with the frame it answers.
struct CheckedHandlers final : IFrameHandlers, ISerialLine {
    CheckedHandlers() : inner(*this, calls, replies) {}

    void HandleShortFrame(const uint8_t* f) override
    {
        const uint8_t* exact = placed.Place(f, Frame::ShortLength);
        Run(exact, Frame::ShortLength, [&] { inner.HandleShortFrame(exact); });
    }
    void HandleMidFrame(const uint8_t* f) override
    {
        const uint8_t* exact = placed.Place(f, Frame::MidLength);
        Run(exact, Frame::MidLength, [&] { inner.HandleMidFrame(exact); });
    }
    void HandleVarFrame(const uint8_t* f, int n) override
    {
        Require(n >= Frame::VarOverhead && n <= Frame::MaxLength && n == f[6] + Frame::VarOverhead);
        const uint8_t* exact = placed.Place(f, n);
        Run(exact, n, [&] { inner.HandleVarFrame(exact, n); });
    }

    bool SendFrame(const uint8_t* bytes, int n) override
    {
        Require(frameLength > 0 && frameValid && n == frameLength);
        Require(bytes[0] == Frame::Sync && Frame::IsValid(bytes, n));
        return true;
    }

    template <class Fn>
    void Run(const uint8_t* f, int n, Fn handle)
    {
        Require(f[0] == Frame::Sync);
        ++frames;
        frameBytes += static_cast<uint64_t>(n);
        frameLength = n;
        frameValid = Frame::IsValid(f, n);
        handle();
        frameLength = 0;
    }

    Calls calls;
    TDeviceReplies replies;
    TFrameHandler inner;
    ExactFrame placed;
    int frameLength = 0;
    bool frameValid = false;
    uint64_t frames = 0;      // handed to the handlers
    uint64_t frameBytes = 0;  // their bytes
};

// A valid mid call frame from address 0x4242 with key 11.
std::vector<uint8_t> Beacon()
{
    std::vector<uint8_t> f = {0xAA, 0x40, 0, 0, 0, 0x91, 0, 0x42, 0x42, 0x0B, 0, 0, 0x12, 0x00, 0x00, 0, 0};
    Frame::Seal(f.data(), static_cast<int>(f.size()));
    return f;
}

// One line's worth of objects, made once and reset for every input: the ring's
// contents need no clearing, only its indices say what is unread. The noisy
// stream's buffer is kept too, so that an input costs no allocation of its own.
struct Line {
    CheckedHandlers handlers;
    TRecvRing ring;
    TFrameSync sync{ring, handlers};
    const std::vector<uint8_t> beacon = Beacon();
    std::vector<uint8_t> noisy;

    // Receives the bytes; every one of them is then counted where it went.
    void ReceiveCounted(const uint8_t* bytes, size_t size, Chunks& chunks)
    {
        const TLinkCounts before = ReadLinkCounts(ring, sync, handlers.inner);
        const uint64_t frames = handlers.frames;
        const uint64_t frameBytes = handlers.frameBytes;
        Receive(ring, sync, bytes, size, chunks);
        const TLinkCounts after = ReadLinkCounts(ring, sync, handlers.inner);
        const auto waiting = static_cast<uint64_t>(TRecvRing::Available(ring.RecvReadIndex, ring.RecvWriteIndex));
        Require(after.Received - before.Received == size);
        Require(after.Skipped - before.Skipped + handlers.frameBytes - frameBytes + waiting == size);
        Require(after.Frames - before.Frames + after.Dropped - before.Dropped == handlers.frames - frames);
    }

    void Reset(int start)
    {
        ring.RecvReadIndex = ring.RecvWriteIndex = start;
        sync.SyncState = TSyncState::Hunt;
        sync.VarFrameLength = 0;
        handlers.calls.beacons = 0;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static Line line;
    Chunks chunks{data[0] * 2654435761u + data[1]};
    // Start anywhere in the ring, so that frames also wrap around its end.
    const int start = (data[0] << 8 | data[1]) % RecvRingSize;
    const uint8_t* stream = data + 2;
    const size_t length = size - 2;
    line.Reset(start);
    line.ReceiveCounted(stream, length, chunks);

    // The same bytes without sync bytes, with a valid call frame in the middle.
    std::vector<uint8_t>& noisy = line.noisy;
    noisy.clear();
    for (size_t i = 0; i < length; ++i)
        if (stream[i] != Frame::Sync)
            noisy.push_back(stream[i]);
    noisy.insert(noisy.begin() + static_cast<std::ptrdiff_t>(noisy.size() / 2), line.beacon.begin(), line.beacon.end());
    line.Reset(start);
    line.ReceiveCounted(noisy.data(), noisy.size(), chunks);
    Require(line.handlers.calls.beacons == 1);
    return 0;
}
