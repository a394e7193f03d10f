#include "devices/DeviceFrames.h"

#include "comm/FrameEnvelope.h"
#include "comm/SerialLine.h"
#include "core/GbkCodec.h"
#include "devices/BindSettings.h"
#include "devices/LedMessages.h"

#include <QDateTime>

namespace DeviceFrames {

namespace {

char Bcd(int value) { return char((value / 10) << 4 | value % 10); }

void AppendBigEndian(QByteArray& bytes, uint32_t value, int size)
{
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        bytes.append(char(value >> shift));
}

QByteArray Bytes(const QString& text, int maxBytes) { return ToGbk(CutToGbkBytes(text, maxBytes)); }

}  // namespace

QByteArray Command(uint8_t address, uint8_t command, const QByteArray& data)
{
    Q_ASSERT(data.size() <= Frame::MaxVarDataLength);
    QByteArray frame;
    frame.reserve(int(data.size()) + Frame::VarOverhead);
    frame.append(char(Frame::Sync));
    frame.append("\xC1\x01\x03", 3);
    frame.append(char(address));
    frame.append(char(command));
    frame.append(char(data.size()));
    frame.append(data);
    frame.append(2, '\0');
    Frame::Seal(reinterpret_cast<uint8_t*>(frame.data()), int(frame.size()));
    return frame;
}

QByteArray LedMessageFrame(uint8_t address, int position, const TLedMessage& m)
{
    QByteArray data;
    data.append(char(position - 1));
    data.append(char(m.DisplayMode));
    data.append(char(m.MoveInterval));
    data.append(char(m.StopTime));
    data.append(char((m.Color & 0x03) | (m.DataMode ? 0x80 : 0x00)));
    data.append(Bytes(m.Text, MaxLedTextBytes));
    return Command(address, LedMessage, data);
}

QByteArray LedEndFrame(uint8_t address, int count)
{
    const char data[] = {char(count), char(0xFF), 0x01, 0x00, 0x00};
    return Command(address, LedMessage, QByteArray(data, sizeof data));
}

QByteArray ClockFrame(const QDateTime& now)
{
    const QDate date = now.date();
    const QTime time = now.time();
    QByteArray data;
    data.append(Bcd(date.year() - 2000));
    data.append(Bcd(date.month()));
    data.append(Bcd(date.day()));
    data.append(char(date.dayOfWeek()));  // Qt counts 1 = Monday, as the display does
    data.append(Bcd(time.hour()));
    data.append(Bcd(time.minute()));
    data.append(Bcd(time.second()));
    // The clock frame names no device: every display on the line takes it.
    return Command(0, LedClock, data);
}

QByteArray SizeQuery(uint8_t address) { return Command(address, MemSizeQuery, {}); }

QByteArray BlockReadRequest(uint8_t address, uint32_t block)
{
    QByteArray data;
    AppendBigEndian(data, block, 4);
    return Command(address, MemBlockRead, data);
}

QByteArray BlockWriteRequest(uint8_t address, uint32_t block, const QByteArray& image)
{
    QByteArray data;
    AppendBigEndian(data, block, 4);
    QByteArray bytes = block < uint32_t(image.size()) ? image.mid(qsizetype(block), MemBlockSize) : QByteArray();
    bytes.append(MemBlockSize - bytes.size(), char(MemFillByte));
    data.append(bytes);
    return Command(address, MemBlockWrite, data);
}

uint32_t ReplyBlockAddress(const uint8_t* frame)
{
    return uint32_t(frame[7]) << 24 | uint32_t(frame[8]) << 16 | uint32_t(frame[9]) << 8 | frame[10];
}

QByteArray BindFrame(const TBindButton& b)
{
    QByteArray data;
    AppendBigEndian(data, ButtonAddressValue(b.ButtonAddress), 2);
    data.append(char(0xAA));
    AppendBigEndian(data, InternalCodeValue(b.InternalCode), 3);
    data.append(char(b.Tone));
    data.append(char(b.PagerGroup));
    data.append(char(b.PagerAddress));
    data.append(char(b.Alarm ? 1 : 0));
    data.append(Bytes(b.Text, MaxBindTextBytes));
    return Command(b.DeviceAddress, BindButton, data);
}

QByteArray KeyTextFrame(const TKeyText& k)
{
    QByteArray data;
    data.append(char(k.Key));
    data.append(Bytes(k.Text, MaxKeyTextBytes));
    data.append('\r');
    return Command(k.DeviceAddress, KeyText, data);
}

void Send(ISerialLine& line, const QByteArray& frame)
{
    line.SendFrame(reinterpret_cast<const uint8_t*>(frame.constData()), int(frame.size()));
}

}  // namespace DeviceFrames
