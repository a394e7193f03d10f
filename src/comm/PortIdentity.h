#pragma once
// Which physical receiver sits behind a serial device: USB vendor, product and
// serial number. A receiver plugged back in may come back under another path
// (/dev/ttyUSB0 -> /dev/ttyUSB1, COM3 -> COM5); its identity stays.
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

struct TPortIdentity {
    QString Path;           // the device as opened (/dev/ttyUSB0, COM3)
    uint16_t Vendor = 0;    // 0: not known (built-in port, pseudo-terminal)
    uint16_t Product = 0;
    QString Serial;

    // Only a device that names vendor, product and serial number can be told apart from its twins.
    bool Identifiable() const { return Vendor != 0 && Product != 0 && !Serial.isEmpty(); }
    bool SameDevice(const TPortIdentity& other) const
    {
        return Identifiable() && Vendor == other.Vendor && Product == other.Product && Serial == other.Serial;
    }
};

using TPortLister = std::function<std::vector<TPortIdentity>()>;

// The serial ports present now, as the system lists them.
std::vector<TPortIdentity> ListSerialPorts();

// The identity of the listed port at path (a link such as /dev/serial/by-id/... is followed);
// a bare identity when the list does not hold it.
TPortIdentity IdentityOf(const QString& path, const std::vector<TPortIdentity>& listed);

// The path under which the device wanted is listed now, when it is not its old one; empty otherwise.
QString MovedPath(const TPortIdentity& wanted, const std::vector<TPortIdentity>& listed);
