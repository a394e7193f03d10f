#pragma once
// Checks every frame the receiver sends, acknowledges it, turns call and
// cancel frames into operations on the live calls and passes the device
// tools' replies on.
#include "comm/FrameSync.h"
#include "comm/LinkCounters.h"

class ISerialLine;
class ICallOps;
class TDeviceReplies;

class TFrameHandler final : public IFrameHandlers {
public:
    TFrameHandler(ISerialLine& line, ICallOps& calls, TDeviceReplies& replies)
        : line_(line), calls_(calls), replies_(replies) {}

    void HandleShortFrame(const uint8_t* frame) override;
    void HandleMidFrame(const uint8_t* frame) override;
    void HandleVarFrame(const uint8_t* frame, int n) override;

    // Acknowledgements counted as written that then did not leave: output held back
    // while frames were handled, which the port refused on release or failed to write
    // later. They move from Acks to AckFailed, so the two always add up to those sent.
    void AcksNotWritten(uint64_t n);

    TLinkCounter Frames;     // valid frames handled
    TLinkCounter Dropped;    // frames dropped for their checksum or end byte
    TLinkCounter Acks;       // acknowledgements the port took (and did not report lost since)
    TLinkCounter AckFailed;  // acknowledgements the port did not take

private:
    // Sends the acknowledgement of a received frame of length n: the given
    // first five bytes, the answering command code, then the received bytes
    // from offset 6 echoed.
    void SendAck(const uint8_t* frame, int n, const uint8_t (&head)[5]);
    void HandleVarCall(const uint8_t* frame, int n);
    // Counts the frame as handled or dropped; false when it is dropped.
    bool Accept(const uint8_t* frame, int n);

    ISerialLine& line_;
    ICallOps& calls_;
    TDeviceReplies& replies_;
};
