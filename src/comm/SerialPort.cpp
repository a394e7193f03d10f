#include "comm/SerialPort.h"

#include "core/ResStrings.h"

TMSComm::TMSComm(QObject* parent) : QObject(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, &TMSComm::ReadWaitingBytes);
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
    port_.setPortName(DeviceName(port, portName_));
    const bool ok = port_.open(QIODevice::ReadWrite) && port_.setBaudRate(QSerialPort::Baud9600)
                    && port_.setDataBits(QSerialPort::Data8) && port_.setParity(QSerialPort::NoParity)
                    && port_.setStopBits(QSerialPort::OneStop)
                    && port_.setFlowControl(QSerialPort::NoFlowControl) && port_.clear();
    // A port named by device shows its device name where the number would stand.
    const QString label = portName_.isEmpty() ? QString() : portName_;
    if (ok) {
        QString text = QString::asprintf(LoadResStr(223).toUtf8().constData(), port, 9600, 8, 1);
        if (!label.isEmpty())
            text.replace(QStringLiteral("COM%1").arg(port), label);
        SetStatus(text, false);
        return true;
    }
    if (port_.isOpen())
        port_.close();
    QString text = QString::asprintf(LoadResStr(222).toUtf8().constData(), port);
    if (!label.isEmpty())
        text.replace(QStringLiteral("COM%1").arg(port), label);
    SetStatus(text, true);
    return false;
}

bool TMSComm::ChangePort(uint8_t port, const QString& portName)
{
    if (port == portNumber_ && portName.trimmed() == portName_ && port_.isOpen())
        return true;
    return Open(port, portName);
}

void TMSComm::Close()
{
    if (port_.isOpen())
        port_.close();
}

bool TMSComm::SendFrame(const uint8_t* bytes, int n)
{
    if (!port_.isOpen())
        return false;
    return port_.write(reinterpret_cast<const char*>(bytes), n) == n;
}

void TMSComm::ReadWaitingBytes()
{
    uint8_t buffer[4096];
    for (;;) {
        const qint64 got = port_.read(reinterpret_cast<char*>(buffer), sizeof buffer);
        if (got <= 0)
            break;
        if (OnReceived)
            OnReceived(buffer, static_cast<int>(got));
    }
}

void TMSComm::SetStatus(const QString& text, bool isError)
{
    status_ = text;
    statusError_ = isError;
    emit StatusChanged(text, isError);
}
