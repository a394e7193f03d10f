#pragma once
// The station's serial port: always 9600 baud, 8 data bits, no parity, one
// stop bit. Received bytes are delivered on the owning (window) thread.
#include "comm/SerialLine.h"

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <functional>

class TMSComm final : public QObject, public ISerialLine {
    Q_OBJECT
public:
    explicit TMSComm(QObject* parent = nullptr);
    ~TMSComm() override;

    // The device for a port: portName when given, otherwise COM<port> on
    // Windows and /dev/ttyS<port-1> elsewhere.
    static QString DeviceName(uint8_t port, const QString& portName);

    // Opens the port; the status text tells the outcome. Anything pending is dropped.
    bool Open(uint8_t port, const QString& portName);
    // Reopens on another port only when it differs from the current one.
    bool ChangePort(uint8_t port, const QString& portName);
    void Close();

    bool PortOpen() const { return port_.isOpen(); }
    uint8_t CurrentPort() const { return portNumber_; }
    QString CurrentDevice() const { return port_.portName(); }
    QString StatusText() const { return status_; }
    bool StatusIsError() const { return statusError_; }
    // Why the last open or write failed, as the port tells it.
    QSerialPort::SerialPortError LastError() const { return port_.error(); }
    QString LastErrorText() const { return port_.errorString(); }

    bool SendFrame(const uint8_t* bytes, int n) override;
    // Waits until every byte sent has gone to the line (a program about to exit); false after msecs.
    bool WaitForWritten(int msecs) { return port_.bytesToWrite() == 0 || port_.waitForBytesWritten(msecs); }

    // Receives every byte read from the line, oldest first.
    std::function<void(const uint8_t*, int)> OnReceived;

signals:
    void StatusChanged(const QString& text, bool isError);

private:
    void ReadWaitingBytes();
    void SetStatus(const QString& text, bool isError);

    QSerialPort port_;
    uint8_t portNumber_ = 0;
    QString portName_;
    QString status_;
    bool statusError_ = false;
};
