#include "sim/Devices.h"

#include "sim/Frames.h"

namespace sim {

namespace {

constexpr quint8 kLedMessage = 0x53;
constexpr quint8 kLedClock = 0x55;
constexpr quint8 kLedEndMode = 0xFF;
constexpr quint8 kSizeQuery = 0x68;
constexpr quint8 kSizeReply = 0x69;
constexpr quint8 kBlockRead = 0x67;
constexpr quint8 kBlockData = 0x6A;
constexpr quint8 kBlockWrite = 0x66;
constexpr quint8 kBind = 0x82;
constexpr quint8 kKeyText = 0x85;
constexpr int kBlock = 32;
constexpr int kHead = 7;  // sync, class, three header bytes, command, length

quint8 at(const QByteArray& bytes, int index) { return quint8(bytes.at(index)); }
quint8 commandOf(const QByteArray& frame) { return at(frame, 5); }
quint8 addressOf(const QByteArray& frame) { return at(frame, 4); }
// The data bytes between the length byte and the checksum.
QByteArray dataOf(const QByteArray& frame) { return frame.mid(kHead, frame.size() - kHead - 2); }

quint32 bigEndian(const QByteArray& bytes, int index)
{
    return quint32(at(bytes, index)) << 24 | quint32(at(bytes, index + 1)) << 16 | quint32(at(bytes, index + 2)) << 8
           | at(bytes, index + 3);
}

QByteArray bigEndianBytes(quint32 value)
{
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    return QByteArray(bytes, sizeof bytes);
}

// A device's reply: a variable frame from that device with this command and data.
QByteArray reply(quint8 address, quint8 command, const QByteArray& data)
{
    QByteArray bytes;
    bytes.append(char(kSync));
    bytes.append(char(0xC0));
    bytes.append(2, '\0');
    bytes.append(char(address));
    bytes.append(char(command));
    bytes.append(char(data.size()));
    bytes.append(data);
    return sealed(bytes);
}

QString hex(const QByteArray& bytes) { return hexText(bytes).remove(QLatin1Char(' ')); }
QString bcd(quint8 byte) { return hex(QByteArray(1, char(byte))); }

} // namespace

void Devices::say(const QString& line) const
{
    if (options_.report)
        options_.report(line);
}

std::vector<QByteArray> Devices::take(QByteArray& bytes)
{
    std::vector<QByteArray> replies;
    qsizetype i = 0;
    while ((i = bytes.indexOf(char(kSync), i)) >= 0 && i + kHead <= bytes.size()) {
        const int length = at(bytes, int(i) + 6) + 9;
        const QByteArray frame = bytes.mid(i, length);
        const bool taken = (at(bytes, int(i) + 1) >> 4) == 0xC && frame.size() == length && isWellFormed(frame)
                           && (led(frame, replies) || memoryCommand(frame, replies) || binding(frame, replies));
        if (taken)
            bytes.remove(i, length);
        else
            ++i;
    }
    return replies;
}

bool Devices::applyFaults(QByteArray& bytes)
{
    if (faults.drop > 0) {
        --faults.drop;
        return false;
    }
    const quint8 command = commandOf(bytes);
    if (faults.misaddress > 0 && (command == kBlockData || command == kBlockWrite)) {
        --faults.misaddress;
        QByteArray data = dataOf(bytes);
        data.replace(0, 4, bigEndianBytes(bigEndian(data, 0) + kBlock));
        bytes = reply(addressOf(bytes), command, data);
    }
    return true;
}

bool Devices::led(const QByteArray& frame, std::vector<QByteArray>& replies)
{
    if (!options_.led)
        return false;
    const QByteArray data = dataOf(frame);
    if (commandOf(frame) == kLedClock && data.size() == 7) {
        // The clock frame is not answered.
        say(QStringLiteral("LED CLOCK 20%1-%2-%3 weekday=%4 %5:%6:%7")
                .arg(bcd(at(data, 0)), bcd(at(data, 1)), bcd(at(data, 2)))
                .arg(at(data, 3))
                .arg(bcd(at(data, 4)), bcd(at(data, 5)), bcd(at(data, 6))));
        return true;
    }
    if (commandOf(frame) != kLedMessage || data.size() < 5)
        return false;
    if (at(data, 1) == kLedEndMode)
        say(QStringLiteral("LED END address=%1 count=%2").arg(addressOf(frame)).arg(at(data, 0)));
    else
        say(QStringLiteral("LED MSG address=%1 slot=%2 mode=%3 interval=%4 stop=%5 color=%6 data=%7 text=%8")
                .arg(addressOf(frame))
                .arg(at(data, 0))
                .arg(at(data, 1))
                .arg(at(data, 2))
                .arg(at(data, 3))
                .arg(at(data, 4) & 0x03)
                .arg(at(data, 4) >> 7)
                .arg(hex(data.mid(5))));
    replies.push_back(reply(addressOf(frame), kLedMessage, {}));
    return true;
}

bool Devices::memoryCommand(const QByteArray& frame, std::vector<QByteArray>& replies)
{
    if (!options_.memory)
        return false;
    QByteArray& memory = *options_.memory;
    const QByteArray data = dataOf(frame);
    const quint8 address = addressOf(frame);
    switch (commandOf(frame)) {
    case kSizeQuery:
        if (!data.isEmpty())
            return false;
        say(QStringLiteral("MEM SIZE address=%1 size=%2").arg(address).arg(memory.size()));
        replies.push_back(reply(address, kSizeReply, bigEndianBytes(quint32(memory.size()))));
        return true;
    case kBlockRead: {
        if (data.size() != 4)
            return false;
        const quint32 block = bigEndian(data, 0);
        say(QStringLiteral("MEM READ %1").arg(hex(data)));
        // Past the end of the memory a device reads as zeros.
        QByteArray bytes = block < quint32(memory.size()) ? memory.mid(qsizetype(block), kBlock) : QByteArray();
        bytes.append(kBlock - bytes.size(), '\0');
        replies.push_back(reply(address, kBlockData, data + bytes));
        return true;
    }
    case kBlockWrite: {
        if (data.size() != 4 + kBlock)
            return false;
        const quint32 block = bigEndian(data, 0);
        say(QStringLiteral("MEM WRITE %1").arg(hex(data.first(4))));
        // Only the bytes within the memory are kept.
        for (int i = 0; i < kBlock && block + quint32(i) < quint32(memory.size()); ++i)
            memory[qsizetype(block) + i] = data.at(4 + i);
        replies.push_back(reply(address, kBlockWrite, data.first(4)));
        return true;
    }
    default:
        return false;
    }
}

bool Devices::binding(const QByteArray& frame, std::vector<QByteArray>& replies)
{
    if (!options_.bind)
        return false;
    const QByteArray data = dataOf(frame);
    const quint8 address = addressOf(frame);
    if (commandOf(frame) == kBind && data.size() >= 10 && at(data, 2) == 0xAA) {
        say(QStringLiteral("BIND address=%1 button=%2 code=%3 tone=%4 group=%5 pager=%6 alarm=%7 text=%8")
                .arg(address)
                .arg(hex(data.first(2)), hex(data.mid(3, 3)))
                .arg(at(data, 6))
                .arg(at(data, 7))
                .arg(at(data, 8))
                .arg(at(data, 9))
                .arg(hex(data.mid(10))));
    } else if (commandOf(frame) == kKeyText && data.size() >= 2 && data.endsWith('\r')) {
        say(QStringLiteral("KEY address=%1 key=%2 text=%3").arg(address).arg(at(data, 0)).arg(hex(data.mid(1, data.size() - 2))));
    } else {
        return false;
    }
    replies.push_back(reply(address, commandOf(frame), {}));
    return true;
}

} // namespace sim
