#pragma once
// Reading and writing a device's configuration memory: a size query, then
// one 32-byte block at a time, each request sent on the reply to the one
// before. Replies of another kind than the one expected, or for another
// block, are ignored.
#include "devices/DeviceExchange.h"

class TMemoryTransfer final : public TDeviceExchange {
public:
    enum class TMode { Read, Write };
    // The largest image a memory file holds; a device reporting more is refused (Refused).
    static constexpr quint32 MaxSize = 1u << 20;

    TMemoryTransfer(ISerialLine& line, const IClock& clock) : TDeviceExchange(line, clock) {}

    // Both start with the size query to the device at address.
    void StartRead(uint8_t address);
    void StartWrite(uint8_t address, const QByteArray& image);
    // The size reply (kind 1).
    void OnSize(quint32 size);
    // A block reply (kind 2 read, kind 3 written); the frame is valid only during the call.
    void OnBlock(int kind, const uint8_t* frame, int n);

    TMode Mode() const { return mode_; }
    // The reply command expected next (0x69, 0x6A or 0x66); 0 while idle.
    uint8_t Expected() const { return Running() ? expected_ : 0; }
    // The size the device reported (for the refusal message).
    quint32 ReportedSize() const { return reported_; }
    // What the last completed read brought (N bytes).
    const QByteArray& ReadImage() const { return result_; }

private:
    void Start(TMode mode, uint8_t address);
    void Request(uint32_t block);
    void Release() override { buffer_.clear(); }

    TMode mode_ = TMode::Read;
    uint8_t expected_ = 0;
    uint8_t address_ = 0;
    uint32_t block_ = 0;
    quint32 reported_ = 0;
    quint32 total_ = 0;
    QByteArray buffer_;  // read: the blocks received; write: the image being written
    QByteArray result_;
};
