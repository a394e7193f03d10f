#pragma once
// The receiver's line for the command-line device tools: the port of the
// settings with a receive ring, synchroniser and frame handler of its own,
// without a station. Received bytes are cut into frames at once, and
// replies go to the device-reply registry as in the station.
#include "comm/CallOps.h"
#include "comm/DeviceReplies.h"
#include "comm/FrameHandler.h"
#include "comm/FrameSync.h"
#include "comm/RecvRing.h"
#include "comm/SerialPort.h"

struct TConfig;

class TDeviceLink {
public:
    TDeviceLink();

    // Opens the port named by the settings. False with a message when it does not open; a port
    // that another program (the station) holds is named busy, one this user may not use says why.
    bool Open(const TConfig& config, QString* error);

    TDeviceReplies& Replies() { return replies_; }
    ISerialLine& Line() { return comm_; }
    // Before the program exits: every byte sent goes to the line first.
    void Drain() { comm_.WaitForWritten(1000); }

private:
    // Calls from the receiver are acknowledged as usual but tracked by no one here.
    class TNoCalls final : public ICallOps {
    public:
        void OpenCall(uint16_t, uint8_t, const QTime&, const QString&) override {}
        void CloseCallsAt(uint16_t, uint8_t, const QTime&) override {}
    };

    TRecvRing ring_;
    TMSComm comm_;
    TDeviceReplies replies_;
    TNoCalls calls_;
    TFrameHandler handler_;
    TFrameSync sync_;
};
