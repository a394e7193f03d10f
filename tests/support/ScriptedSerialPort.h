#pragma once
// A serial port whose writing the test plays out: the bytes written are taken
// but not sent, and the port confirms them or fails only when the test says so,
// as a real port does later from its event loop. It still opens a real device
// (a pseudo-terminal), so the line's own settings and reopening run unchanged.
#include <QSerialPort>

class ScriptedSerialPort final : public QSerialPort {
public:
    void Confirm(qint64 bytes) { emit bytesWritten(bytes); }
    void Fail(QSerialPort::SerialPortError error) { emit errorOccurred(error); }

protected:
    qint64 writeData(const char*, qint64 n) override { return n; }
};
