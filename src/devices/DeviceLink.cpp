#include "devices/DeviceLink.h"

#include "core/Config.h"
#include "core/Failure.h"

TDeviceLink::TDeviceLink() : handler_(comm_, calls_, replies_), sync_(ring_, handler_)
{
    ring_.OnBytesStored = [this] { sync_.ParseRecvData(); };
    comm_.OnReceived = [this](const uint8_t* bytes, int n) { ring_.CopyReceivedBytes(bytes, n); };
}

bool TDeviceLink::Open(const TConfig& config, QString* error)
{
    if (comm_.Open(config.Port, config.PortName))
        return true;
    // A running station holding the port, or a user not allowed to use it, is named as such.
    return Fail(error, comm_.OpenFailureText());
}
