// Replies of a configuration memory on the receiver's line, taken by a running
// memory read or write: block replies of any shape, for any block, in any
// order, among noise and other frames. What must hold for any bytes at all:
// - nothing is read outside a frame or written outside the image;
// - every frame the station sends (acknowledgements, block requests) is well formed;
// - progress never passes its maximum;
// - a read that completes gives exactly the size the device reported.
#include "comm/CallOps.h"
#include "comm/DeviceReplies.h"
#include "comm/FrameHandler.h"
#include "comm/SerialLine.h"
#include "core/Clock.h"
#include "devices/MemoryTransfer.h"
#include "LineFeed.h"

#include <QByteArray>
#include <optional>

namespace {

struct NoCalls final : ICallOps {
    void OpenCall(uint16_t, uint8_t, const QTime&, const QString&) override {}
    void CloseCallsAt(uint16_t, uint8_t, const QTime&) override {}
};

struct CheckedLine final : ISerialLine {
    bool SendFrame(const uint8_t* bytes, int n) override
    {
        Require(n >= Frame::ShortLength && n <= Frame::MaxLength && Frame::IsValid(bytes, n));
        return true;
    }
};

// Hands every frame to the real handler at the end of a block of its own size.
struct ExactHandlers final : IFrameHandlers {
    explicit ExactHandlers(TFrameHandler& inner) : inner(inner) {}
    void HandleShortFrame(const uint8_t* f) override { inner.HandleShortFrame(placed.Place(f, Frame::ShortLength)); }
    void HandleMidFrame(const uint8_t* f) override { inner.HandleMidFrame(placed.Place(f, Frame::MidLength)); }
    void HandleVarFrame(const uint8_t* f, int n) override { inner.HandleVarFrame(placed.Place(f, n), n); }
    TFrameHandler& inner;
    ExactFrame placed;
};

// One line with a memory transfer registered for its block replies, made once.
struct Line {
    CheckedLine line;
    NoCalls calls;
    TDeviceReplies replies;
    TFrameHandler handler{line, calls, replies};
    ExactHandlers exact{handler};
    TRecvRing ring;
    TFrameSync sync{ring, exact};
    ManualClock clock;
    TMemoryTransfer transfer{line, clock};
    std::optional<TTransferEnd> ended;

    Line()
    {
        // The size reply reaches a window through the event loop, which a fuzz run has not:
        // the size comes from the input instead, and none is posted to pile up unread.
        replies.RegisterCopyData([this](int kind, const uint8_t* frame, int n) { transfer.OnBlock(kind, frame, n); },
                                 nullptr);
        transfer.OnEnded = [this](TTransferEnd how) { ended = how; };
    }
};

}  // namespace

// Input: a mode byte (bit 0: write), two size bytes (the size the device reports,
// up to 2 KiB), then the line's bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    static Line line;
    const bool write = data[0] & 1;
    const quint32 reported = (quint32(data[1]) << 8 | data[2]) % 2049;
    line.ended.reset();
    line.ring.RecvReadIndex = line.ring.RecvWriteIndex = 0;
    line.sync.SyncState = TSyncState::Hunt;
    line.sync.VarFrameLength = 0;
    if (write)
        line.transfer.StartWrite(1, QByteArray(int(data[0] >> 1) * 16, '\x5A'));
    else
        line.transfer.StartRead(1);
    line.transfer.OnSize(reported);

    Chunks chunks{data[0] * 2654435761u + data[1]};
    Receive(line.ring, line.sync, data + 3, size - 3, chunks);

    Require(line.transfer.Progress() <= line.transfer.Maximum());
    if (!write && line.ended == TTransferEnd::Done)
        Require(line.transfer.ReadImage().size() == qsizetype(reported));
    line.transfer.Cancel();
    return 0;
}
