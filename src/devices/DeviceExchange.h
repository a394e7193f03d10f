#pragma once
// What the LED upload and the memory transfers share: stop-and-wait
// exchanges with a device. One frame is outstanding at a time; the next is
// sent from the reply; a once-a-second watch gives up when more than 3000 ms
// have passed since the last frame was sent. There is no retry.
#include "core/Clock.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

class ISerialLine;

// How an exchange ended: every reply came, no reply in time, the operator cancelled, or the device
// reported something the station must not act on.
enum class TTransferEnd { Done, TimedOut, Cancelled, Refused };

class TDeviceExchange {
public:
    static constexpr uint32_t ReplyTimeoutMs = 3000;

    virtual ~TDeviceExchange() = default;

    // The once-a-second watch.
    void CheckTimeout();
    // The progress panel's cancel button: later replies are ignored.
    void Cancel();

    bool Running() const { return running_; }
    int Progress() const { return progress_; }
    int Maximum() const { return maximum_; }

    std::function<void(const QString& status)> OnStatus;
    std::function<void()> OnProgress;
    std::function<void(TTransferEnd)> OnEnded;

protected:
    TDeviceExchange(ISerialLine& line, const IClock& clock) : line_(line), clock_(clock) {}

    void Begin(int maximum);
    // Shows the status, notes the time and sends; a failed send shows as a time-out.
    void Send(const QString& status, const QByteArray& frame);
    void SetProgress(int value, int maximum);
    void End(TTransferEnd how);
    // Lets go of what the exchange held.
    virtual void Release() {}

private:
    ISerialLine& line_;
    const IClock& clock_;
    uint32_t sentAt_ = 0;
    bool running_ = false;
    int progress_ = 0;
    int maximum_ = 0;
};
