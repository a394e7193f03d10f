#include "sim/Frames.h"

#include <QTime>
#include <stdexcept>

namespace sim {

namespace {

constexpr quint8 kClassShort = 0x0;
constexpr quint8 kClassMid = 0x4;
constexpr quint8 kClassVar = 0xC;
constexpr int kShortLength = 9;
constexpr int kMidLength = 17;
constexpr int kVarOverhead = 9;

quint8 bcd(int value)
{
    return quint8((value / 10) << 4 | value % 10);
}

quint8 at(const QByteArray& bytes, int index)
{
    return quint8(bytes.at(index));
}

QByteArray head(const Header& header, quint8 frameClass, quint8 command)
{
    QByteArray bytes;
    bytes.append(char(kSync));
    bytes.append(char(frameClass << 4 | (header.classNibble & 0x0F)));
    bytes.append(char(header.f2));
    bytes.append(char(header.f3));
    bytes.append(char(header.f4));
    bytes.append(char(command));
    return bytes;
}

void appendAddressKeyTime(QByteArray& bytes, quint16 address, quint8 key, const BcdTime& time)
{
    bytes.append(char(address >> 8));
    bytes.append(char(address & 0xFF));
    bytes.append(char(key));
    bytes.append(char(time.hours));
    bytes.append(char(time.minutes));
    bytes.append(char(time.seconds));
}

quint8 ackCommand(quint8 command)
{
    return quint8((command & 0x0F) | 0xA0);
}

} // namespace

BcdTime bcdOf(const QTime& t)
{
    return {bcd(t.hour()), bcd(t.minute()), bcd(t.second())};
}

BcdTime bcdNow()
{
    return bcdOf(QTime::currentTime());
}

int varUnusedBytes(bool named)
{
    return named ? 7 : 6;
}

quint8 checksum(const QByteArray& bytes)
{
    quint8 sum = 0;
    for (char byte : bytes)
        sum = quint8(sum + quint8(byte));
    return sum;
}

QByteArray sealed(QByteArray head)
{
    const quint8 sum = checksum(head);
    head.append(char(sum));
    head.append(char(kEnd));
    return head;
}

QByteArray shortFrame(const Header& header, quint8 command, quint8 data)
{
    QByteArray bytes = head(header, kClassShort, command);
    bytes.append(char(data));
    return sealed(bytes);
}

QByteArray midFrame(const Header& header, quint8 command, quint8 cancelUnit, quint16 address, quint8 key,
                    const BcdTime& time)
{
    QByteArray bytes = head(header, kClassMid, command);
    bytes.append(char(cancelUnit));
    bytes.append(char(address >> 8));
    bytes.append(char(address & 0xFF));
    bytes.append(char(key));
    bytes.append(2, '\0');
    bytes.append(char(time.hours));
    bytes.append(char(time.minutes));
    bytes.append(char(time.seconds));
    return sealed(bytes);
}

QByteArray varCallFrame(const Header& header, quint16 address, quint8 key, const BcdTime& time,
                        const QByteArray& tail, const QByteArray& name)
{
    const int unused = varUnusedBytes(!name.isEmpty());
    if (tail.size() > unused || name.size() > kMaxNameBytes)
        throw std::invalid_argument("variable frame data too long");
    QByteArray data;
    appendAddressKeyTime(data, address, key, time);
    data.append(unused - int(tail.size()), '\0');
    data.append(tail);
    data.append(name);
    QByteArray bytes = head(header, kClassVar, kVarCall);
    bytes.append(char(data.size()));
    bytes.append(data);
    return sealed(bytes);
}

bool isWellFormed(const QByteArray& frame)
{
    if (frame.size() < kShortLength || at(frame, 0) != kSync)
        return false;
    int length = 0;
    switch (at(frame, 1) >> 4) {
    case kClassShort: length = kShortLength; break;
    case kClassMid: length = kMidLength; break;
    case kClassVar: length = at(frame, 6) + kVarOverhead; break;
    default: return false;
    }
    return frame.size() == length && at(frame, length - 1) == kEnd
           && at(frame, length - 2) == checksum(frame.first(length - 2));
}

std::optional<QByteArray> acknowledgementFor(const QByteArray& frame)
{
    if (!isWellFormed(frame))
        return std::nullopt;
    const int n = int(frame.size());
    const quint8 command = at(frame, 5);
    QByteArray ack;
    ack.append(char(kSync));
    switch (at(frame, 1) >> 4) {
    case kClassShort:
    case kClassMid:
        // Short and mid acknowledgements have a fixed head and echo byte 6 onwards.
        ack.append("\x41\x01\x02", 3);
        ack.append(frame.at(2));
        break;
    default:
        if (command != kVarCall)
            return std::nullopt; // device replies are not acknowledged
        ack.append(char(0xC1));
        ack.append(frame.at(4));
        ack.append(char(at(frame, 1) & 0x0F));
        ack.append(frame.at(2));
        break;
    }
    ack.append(char(ackCommand(command)));
    ack.append(frame.mid(6, n - 8));
    return sealed(ack);
}

QString hexText(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace sim
