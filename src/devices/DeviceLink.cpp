#include "devices/DeviceLink.h"

#include "core/Config.h"
#include "core/ResStrings.h"

TDeviceLink::TDeviceLink() : handler_(comm_, calls_, replies_), sync_(ring_, handler_)
{
    ring_.OnBytesStored = [this] { sync_.ParseRecvData(); };
    comm_.OnReceived = [this](const uint8_t* bytes, int n) { ring_.CopyReceivedBytes(bytes, n); };
}

bool TDeviceLink::Open(const TConfig& config, QString* error)
{
    if (comm_.Open(config.Port, config.PortName))
        return true;
    // A running station holds the port: say so rather than only "cannot open".
    const QString device = TMSComm::DeviceName(config.Port, config.PortName);
    if (comm_.LastError() == QSerialPort::PermissionError)
        *error = LoadResStr(3302).arg(device, comm_.LastErrorText());
    else
        *error = comm_.StatusText() + QStringLiteral("：") + comm_.LastErrorText();
    return false;
}
