#pragma once
// Uploading the message list to the LED strip: one message frame at a time,
// each sent on the acknowledgement of the one before, then the end frame.
// An upload runs exactly while the window shows its progress panel.
#include "devices/DeviceExchange.h"
#include "devices/LedMessages.h"

class TLedUpload final : public TDeviceExchange {
public:
    TLedUpload(ISerialLine& line, const IClock& clock) : TDeviceExchange(line, clock) {}

    // Sends the first frame; the list is copied.
    void Start(uint8_t address, const TLedList& list);
    // An acknowledgement (0x53) from the display: the next frame, or the end.
    void OnAck();

private:
    void UploadControl();
    void Release() override { list_.clear(); }

    TLedList list_;
    uint8_t address_ = 1;
};
