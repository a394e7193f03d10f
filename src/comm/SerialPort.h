#pragma once
// The station's serial port: always 9600 baud, 8 data bits, no parity, one
// stop bit. Received bytes are delivered on the owning (window) thread.
// A port that fails while open (receiver unplugged) or does not open is tried
// again every 3 s on a timer, the same receiver under a new path included.
#include "comm/PortIdentity.h"
#include "comm/SerialLine.h"
#include "comm/UnconfirmedWrites.h"
#include "core/RetryTimer.h"

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TMSComm final : public QObject, public ISerialLine {
    Q_OBJECT
public:
    explicit TMSComm(QObject* parent = nullptr);
    // Runs the line on the given port object (tests hand in one whose writes they confirm or fail).
    explicit TMSComm(std::unique_ptr<QSerialPort> port, QObject* parent = nullptr);
    ~TMSComm() override;

    static constexpr int ReopenIntervalMs = 3000;

    // The device for a port: portName when given, otherwise COM<port> on
    // Windows and /dev/ttyS<port-1> elsewhere.
    static QString DeviceName(uint8_t port, const QString& portName);

    // Opens the port; the status text tells the outcome. Anything pending is dropped.
    bool Open(uint8_t port, const QString& portName);
    // Reopens on another port only when it differs from the current one.
    bool ChangePort(uint8_t port, const QString& portName);
    // Closes the port and stops trying to reopen it.
    void Close();

    bool PortOpen() const { return port_->isOpen(); }
    uint8_t CurrentPort() const { return portNumber_; }
    QString CurrentDevice() const { return device_; }
    QString StatusText() const { return status_; }
    bool StatusIsError() const { return statusError_; }
    // Where the list of present ports comes from (the system's by default; tests hand in their own).
    void SetPortLister(TPortLister lister) { lister_ = std::move(lister); }
    // What paces the reopening (a QTimer by default; tests hand in one they move on
    // themselves). Set before the port is opened.
    void SetReopenTimer(std::unique_ptr<IRetryTimer> timer);

    // Why the port did not open, for the operator: busy, not allowed (and what to do), or
    // the status text with the port's own words. Empty while it is open.
    QString OpenFailureText() const;

    bool SendFrame(const uint8_t* bytes, int n) override;
    // Waits until every byte sent has gone to the line (a program about to exit); false after msecs.
    bool WaitForWritten(int msecs) { return port_->bytesToWrite() == 0 || port_->waitForBytesWritten(msecs); }
    // Frames sent while held wait, in order, and go to the line together on release;
    // false when the port did not take them (it closed meanwhile or refused the write).
    void HoldOutput();
    bool ReleaseOutput();

    // Receives every byte read from the line, oldest first.
    std::function<void(const uint8_t*, int)> OnReceived;

signals:
    // Emitted when the text or its colour changes, not for every failed retry.
    void StatusChanged(const QString& text, bool isError);
    // Frames released from hold that the port took and then reported it could not
    // write. They are not sent again; frames of a port lost otherwise are not told.
    void HeldFramesNotWritten(quint64 frames);

private:
    bool OpenDevice(const QString& device);
    void ReadWaitingBytes();
    void PortFailed(QSerialPort::SerialPortError error);
    void TryReopen();
    // Status text textId ("COM%d ...") for the port, naming the device it opens.
    QString PortText(int textId) const;
    void SetStatus(const QString& text, bool isError);

    std::unique_ptr<QSerialPort> port_;
    std::unique_ptr<IRetryTimer> reopenTimer_;
    TPortLister lister_;
    TPortIdentity identity_;   // of the receiver last opened
    uint8_t portNumber_ = 0;
    QString portName_;
    QString device_;           // the device opened, or tried last
    QString status_;
    bool statusError_ = false;
    bool holding_ = false;
    QByteArray held_;
    std::vector<int> heldSizes_;  // of each frame in held_
    TUnconfirmedWrites unconfirmed_;
};
