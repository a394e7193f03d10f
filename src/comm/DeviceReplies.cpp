#include "comm/DeviceReplies.h"

#include "core/PostTo.h"

#include <utility>

namespace {
// A size reply carries the size in data bytes 7-10: at least 4 data bytes.
constexpr int SizeReplyMinLength = 13;
}  // namespace

void TDeviceReplies::RegisterLed(std::function<bool()> progressVisible, TLedAckReceiver onAck)
{
    ledProgressVisible_ = std::move(progressVisible);
    ledAck_ = std::move(onAck);
}

void TDeviceReplies::UnregisterLed()
{
    ledProgressVisible_ = nullptr;
    ledAck_ = nullptr;
}

void TDeviceReplies::RegisterCopyData(TFrameReceiver onBlock, TPostedReceiver onSize)
{
    copyBlock_ = std::move(onBlock);
    Reset(copySize_, std::move(onSize));
}

void TDeviceReplies::UnregisterCopyData()
{
    copyBlock_ = nullptr;
    Reset(copySize_, nullptr);
}

void TDeviceReplies::RegisterBind(TPostedReceiver onAck)
{
    Reset(bind_, std::move(onAck));
}

void TDeviceReplies::UnregisterBind()
{
    Reset(bind_, nullptr);
}

void TDeviceReplies::Reset(TPostedSlot& slot, TPostedReceiver receiver)
{
    slot.receiver = std::move(receiver);
    ++slot.generation;
}

void TDeviceReplies::Post(TPostedSlot& slot, int wParam, quint32 lParam)
{
    if (!slot.receiver)
        return;
    PostTo(&postContext_, [&slot, generation = slot.generation, wParam, lParam] {
        if (slot.generation == generation && slot.receiver)
            slot.receiver(wParam, lParam);
    });
}

void TDeviceReplies::Route(const uint8_t* frame, int n)
{
    // Copies of the receivers are called, so that a window may unregister
    // from inside its own handler.
    switch (frame[5]) {
    case LedAck:
        if (ledAck_ && ledProgressVisible_ && ledProgressVisible_()) {
            const TLedAckReceiver onAck = ledAck_;
            onAck(frame, n);
        }
        break;
    case MemBlockWritten:
    case MemBlockRead:
        if (copyBlock_) {
            const TFrameReceiver onBlock = copyBlock_;
            onBlock(frame[5] == MemBlockRead ? BlockReadReply : BlockWrittenReply, frame, n);
        }
        break;
    case MemSize:
        // A reply too short to carry the size has none to report.
        if (n >= SizeReplyMinLength)
            Post(copySize_, SizeReply,
                 quint32(frame[7]) << 24 | quint32(frame[8]) << 16 | quint32(frame[9]) << 8 | frame[10]);
        break;
    case BindAck:
    case KeyTextAck:
        Post(bind_, SettingAck, 1);
        break;
    default:
        break;
    }
}
