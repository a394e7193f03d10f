#include "devices/DeviceExchange.h"

#include "devices/DeviceFrames.h"

void TDeviceExchange::CheckTimeout()
{
    // The tick wraps: only the time since the frame counts.
    if (running_ && clock_.Tick() - sentAt_ > ReplyTimeoutMs)
        End(TTransferEnd::TimedOut);
}

void TDeviceExchange::Cancel()
{
    if (running_)
        End(TTransferEnd::Cancelled);
}

void TDeviceExchange::Begin(int maximum)
{
    running_ = true;
    SetProgress(0, maximum);
}

void TDeviceExchange::Send(const QString& status, const QByteArray& frame)
{
    if (OnStatus)
        OnStatus(status);
    sentAt_ = clock_.Tick();
    DeviceFrames::Send(line_, frame);
}

void TDeviceExchange::SetProgress(int value, int maximum)
{
    progress_ = value;
    maximum_ = maximum;
    if (OnProgress)
        OnProgress();
}

void TDeviceExchange::End(TTransferEnd how)
{
    running_ = false;
    Release();
    if (OnEnded)
        OnEnded(how);
}
