#include "comm/PortIdentity.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

QString Resolved(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

}  // namespace

std::vector<TPortIdentity> ListSerialPorts()
{
    std::vector<TPortIdentity> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        TPortIdentity p;
        p.Path = info.systemLocation();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            p.Vendor = info.vendorIdentifier();
            p.Product = info.productIdentifier();
        }
        p.Serial = info.serialNumber();
        ports.push_back(p);
    }
    return ports;
}

TPortIdentity IdentityOf(const QString& path, const std::vector<TPortIdentity>& listed)
{
    const QString device = Resolved(path);
    for (const TPortIdentity& p : listed) {
        if (p.Path == path || Resolved(p.Path) == device)
            return p;
    }
    TPortIdentity bare;
    bare.Path = path;
    return bare;
}

QString MovedPath(const TPortIdentity& wanted, const std::vector<TPortIdentity>& listed)
{
    for (const TPortIdentity& p : listed) {
        if (wanted.SameDevice(p) && p.Path != wanted.Path)
            return p.Path;
    }
    return QString();
}
