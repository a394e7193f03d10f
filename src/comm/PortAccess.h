#pragma once
// Why a serial device did not open, in words the operator can act on: another
// program holds it, or this user may not use it (on Linux: the user is not in
// the group that owns the device).
#include <QSerialPort>
#include <QString>

// The message for device after an open that failed with error and the port's own errorText; empty
// when the error is neither a busy device nor a refused permission.
QString PortAccessProblem(const QString& device, QSerialPort::SerialPortError error, const QString& errorText);
