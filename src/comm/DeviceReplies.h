#pragma once
// Where the receiver's replies to the device tools go. Each tool window
// registers while it exists; a reply for a tool that is not registered is dropped.
#include <QObject>
#include <cstdint>
#include <functional>

class TDeviceReplies {
public:
    // Reply command codes (byte 5 of a variable frame).
    static constexpr uint8_t LedAck = 0x53;
    static constexpr uint8_t MemBlockWritten = 0x66;
    static constexpr uint8_t MemSize = 0x69;
    static constexpr uint8_t MemBlockRead = 0x6A;
    static constexpr uint8_t BindAck = 0x82;
    static constexpr uint8_t KeyTextAck = 0x85;

    // What a notification to the memory copy or bind window carries (its wParam).
    static constexpr int SizeReply = 1;          // lParam: the configuration area size
    static constexpr int BlockReadReply = 2;     // with the frame
    static constexpr int BlockWrittenReply = 3;  // with the frame
    static constexpr int SettingAck = 1;         // bind window, lParam 1

    // Runs later on the registry's thread, after the current frame run.
    using TPostedReceiver = std::function<void(int wParam, quint32 lParam)>;
    // Runs at once; the frame is valid only during the call.
    using TFrameReceiver = std::function<void(int wParam, const uint8_t* frame, int n)>;
    using TLedAckReceiver = std::function<void(const uint8_t* frame, int n)>;

    // LED window: acknowledgements reach it only while its upload progress is shown.
    void RegisterLed(std::function<bool()> progressVisible, TLedAckReceiver onAck);
    void UnregisterLed();
    // Memory copy window: block replies at once, the size reply posted.
    void RegisterCopyData(TFrameReceiver onBlock, TPostedReceiver onSize);
    void UnregisterCopyData();
    // Bind settings window: every acknowledgement posted.
    void RegisterBind(TPostedReceiver onAck);
    void UnregisterBind();

    // Routes a valid variable frame by its command code; other codes are ignored.
    void Route(const uint8_t* frame, int n);

private:
    // A posted notification reaches its receiver only when the receiver has not
    // been unregistered or replaced since it was posted.
    struct TPostedSlot {
        TPostedReceiver receiver;
        quint64 generation = 0;
    };
    void Post(TPostedSlot& slot, int wParam, quint32 lParam);
    static void Reset(TPostedSlot& slot, TPostedReceiver receiver);

    std::function<bool()> ledProgressVisible_;
    TLedAckReceiver ledAck_;
    TFrameReceiver copyBlock_;
    TPostedSlot copySize_;
    TPostedSlot bind_;
    // Owns the queued notifications: they die with the registry.
    QObject postContext_;
};
