#include "comm/FrameSync.h"

#include "comm/FrameEnvelope.h"
#include "core/LogCategories.h"

namespace {
int Advance(int index, int by) { return (index + by) % RecvRingSize; }
}  // namespace

bool TFrameSync::TakeFrame(int& r, int w, int n)
{
    if (!ring_.ReadRing(frame_, n, r, w))
        return false;
    switch (SyncState) {
    case TSyncState::ShortFrame: handlers_.HandleShortFrame(frame_); break;
    case TSyncState::MidFrame: handlers_.HandleMidFrame(frame_); break;
    default: handlers_.HandleVarFrame(frame_, n); break;
    }
    r = Advance(r, n);
    SyncState = TSyncState::Hunt;
    return true;
}

void TFrameSync::ParseRecvData()
{
    // Bytes overwritten in the ring may have held the start of the frame waited for.
    if (ring_.Lost.Value() != lostSeen_) {
        lostSeen_ = ring_.Lost.Value();
        SyncState = TSyncState::Hunt;
    }
    const int w = ring_.RecvWriteIndex;
    int r = ring_.RecvReadIndex;
    bool waiting = false;
    uint64_t skipped = 0;  // counted once per run: nothing shared is written per byte
    while (r != w && !waiting) {
        switch (SyncState) {
        case TSyncState::Hunt: {
            if (ring_.At(r) != Frame::Sync) {
                r = Advance(r, 1);
                ++skipped;
                break;
            }
            const int p = Advance(r, 1);
            if (p == w) {
                waiting = true;  // the class byte has not arrived yet
                break;
            }
            switch (ring_.At(p) >> 4) {
            case Frame::ShortClass: SyncState = TSyncState::ShortFrame; break;
            case Frame::MidClass: SyncState = TSyncState::MidFrame; break;
            case Frame::VarClass:
                SyncState = TSyncState::VarFrame;
                VarFrameLength = Frame::VarHeaderLength;
                break;
            default:  // only the sync byte is dropped
                r = p;
                ++skipped;
                break;
            }
            break;
        }
        case TSyncState::ShortFrame: waiting = !TakeFrame(r, w, Frame::ShortLength); break;
        case TSyncState::MidFrame: waiting = !TakeFrame(r, w, Frame::MidLength); break;
        case TSyncState::VarFrame:
            if (VarFrameLength != Frame::VarHeaderLength) {
                waiting = !TakeFrame(r, w, VarFrameLength);
                break;
            }
            if (!ring_.ReadRing(frame_, Frame::VarHeaderLength, r, w)) {
                waiting = true;
                break;
            }
            if (frame_[6] > Frame::MaxVarDataLength) {
                // A corrupt length would overrun the frame buffer: treat the
                // sync byte as noise and hunt on from the next byte.
                r = Advance(r, 1);
                ++skipped;
                SyncState = TSyncState::Hunt;
                break;
            }
            VarFrameLength = static_cast<uint8_t>(frame_[6] + Frame::VarOverhead);
            break;
        }
    }
    ring_.RecvReadIndex = r;
    if (skipped != 0) {
        Skipped.Add(skipped);
        qCDebug(LogComm, "skipped %llu bytes that belong to no frame", static_cast<unsigned long long>(skipped));
    }
}
