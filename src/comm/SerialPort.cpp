#include "comm/SerialPort.h"

#include "comm/CommTexts.h"
#include "comm/PortAccess.h"
#include "core/ResStrings.h"

namespace {

// Errors after which the device is gone or unusable until it is opened again.
// Left open, a vanished device reports them without end and keeps the thread busy.
bool EndsTheLink(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError
           || error == QSerialPort::WriteError;
}

}  // namespace

TMSComm::TMSComm(QObject* parent) : TMSComm(std::make_unique<QSerialPort>(), parent) {}

TMSComm::TMSComm(std::unique_ptr<QSerialPort> port, QObject* parent)
    : QObject(parent), port_(std::move(port)), lister_(ListSerialPorts)
{
    connect(port_.get(), &QSerialPort::readyRead, this, &TMSComm::ReadWaitingBytes);
    connect(port_.get(), &QSerialPort::errorOccurred, this, &TMSComm::PortFailed);
    connect(port_.get(), &QSerialPort::bytesWritten, this, [this](qint64 n) { unconfirmed_.Confirmed(n); });
    SetReopenTimer(std::make_unique<TQtRetryTimer>());
}

void TMSComm::SetReopenTimer(std::unique_ptr<IRetryTimer> timer)
{
    reopenTimer_ = std::move(timer);
    reopenTimer_->OnTimeout = [this] { TryReopen(); };
}

TMSComm::~TMSComm() { Close(); }

QString TMSComm::DeviceName(uint8_t port, const QString& portName)
{
    if (!portName.trimmed().isEmpty())
        return portName.trimmed();
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port > 0 ? port - 1 : 0);
#endif
}

bool TMSComm::Open(uint8_t port, const QString& portName)
{
    Close();
    portNumber_ = port;
    portName_ = portName.trimmed();
    const QString device = DeviceName(port, portName_);
    identity_ = TPortIdentity{device};
    if (OpenDevice(device)) {
        identity_ = IdentityOf(device, lister_());
        SetStatus(PortText(TxtCommOpened), false);
        return true;
    }
    SetStatus(PortText(TxtCommOpenFailed), true);
    // A receiver plugged in later is picked up without a restart.
    reopenTimer_->Start(ReopenIntervalMs);
    return false;
}

bool TMSComm::OpenDevice(const QString& device)
{
    device_ = device;
    // A new stream: confirmations and failures of the old one no longer come.
    unconfirmed_.Clear();
    port_->setPortName(device);
    const bool ok = port_->open(QIODevice::ReadWrite) && port_->setBaudRate(QSerialPort::Baud9600)
                    && port_->setDataBits(QSerialPort::Data8) && port_->setParity(QSerialPort::NoParity)
                    && port_->setStopBits(QSerialPort::OneStop)
                    && port_->setFlowControl(QSerialPort::NoFlowControl) && port_->clear();
    if (!ok && port_->isOpen())
        port_->close();
    return ok;
}

bool TMSComm::ChangePort(uint8_t port, const QString& portName)
{
    if (port == portNumber_ && portName.trimmed() == portName_ && port_->isOpen())
        return true;
    return Open(port, portName);
}

void TMSComm::Close()
{
    if (port_->isOpen()) {
        // Acknowledgements still waiting in the buffer go out first.
        ReleaseOutput();
        port_->flush();
        // A device gone meanwhile has been closed by its failure.
        if (port_->isOpen())
            port_->close();
    }
    held_.clear();
    heldSizes_.clear();
    reopenTimer_->Stop();
}

bool TMSComm::SendFrame(const uint8_t* bytes, int n)
{
    if (!port_->isOpen())
        return false;
    if (holding_) {
        held_.append(reinterpret_cast<const char*>(bytes), n);
        heldSizes_.push_back(n);
        return true;
    }
    if (port_->write(reinterpret_cast<const char*>(bytes), n) != n)
        return false;
    unconfirmed_.Taken(n, false);
    return true;
}

void TMSComm::HoldOutput() { holding_ = true; }

bool TMSComm::ReleaseOutput()
{
    holding_ = false;
    const bool written = held_.isEmpty() || (port_->isOpen() && port_->write(held_) == held_.size());
    // The port writes on its own time: each frame is waited for until it confirms the bytes.
    if (written) {
        for (const int size : heldSizes_)
            unconfirmed_.Taken(size, true);
    }
    held_.clear();
    heldSizes_.clear();
    return written;
}

void TMSComm::ReadWaitingBytes()
{
    uint8_t buffer[4096];
    for (;;) {
        const qint64 got = port_->read(reinterpret_cast<char*>(buffer), sizeof buffer);
        if (got <= 0)
            break;
        if (OnReceived)
            OnReceived(buffer, static_cast<int>(got));
    }
}

void TMSComm::PortFailed(QSerialPort::SerialPortError error)
{
    if (!port_->isOpen() || !EndsTheLink(error))
        return;
    // Bytes the port took and did not confirm before a write error never reached the line.
    if (error == QSerialPort::WriteError) {
        if (const uint64_t lost = unconfirmed_.Failed())
            emit HeldFramesNotWritten(lost);
    }
    port_->close();
    SetStatus(PortText(TxtCommLinkLost), true);
    reopenTimer_->Start(ReopenIntervalMs);
}

void TMSComm::TryReopen()
{
    const QString configured = DeviceName(portNumber_, portName_);
    bool ok = OpenDevice(configured);
    if (!ok && identity_.Identifiable()) {
        const QString moved = MovedPath(identity_, lister_());
        ok = !moved.isEmpty() && OpenDevice(moved);
    }
    if (!ok)
        return;
    reopenTimer_->Stop();
    identity_.Path = device_;
    SetStatus(PortText(TxtCommOpened), false);
}

QString TMSComm::OpenFailureText() const
{
    if (port_->isOpen())
        return QString();
    const QString problem = PortAccessProblem(device_, port_->error(), port_->errorString());
    return problem.isEmpty() ? status_ + QStringLiteral("：") + port_->errorString() : problem;
}

QString TMSComm::PortText(int textId) const
{
    QString text = QString::asprintf(LoadResStr(textId).toUtf8().constData(), portNumber_, 9600, 8, 1);
    // The device stands where the number would: outside Windows a port number
    // names no device (port 1 opens /dev/ttyS0), and a named or moved device is what is used.
    text.replace(QStringLiteral("COM%1").arg(portNumber_), device_);
    return text;
}

void TMSComm::SetStatus(const QString& text, bool isError)
{
    if (text == status_ && isError == statusError_)
        return;
    status_ = text;
    statusError_ = isError;
    emit StatusChanged(text, isError);
}
