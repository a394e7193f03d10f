#pragma once
// What the device tool tests share: a line that records the frames sent,
// frames written as hex text, and device replies built by hand.
#include "comm/SerialLine.h"

#include <QByteArray>
#include <QStringList>

// "AA C1 01" for those bytes.
inline QString Hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ').toUpper()); }

inline QByteArray FromHex(const char* text) { return QByteArray::fromHex(QByteArray(text)); }

class RecordingLine final : public ISerialLine {
public:
    bool SendFrame(const uint8_t* bytes, int n) override
    {
        sent << Hex(QByteArray(reinterpret_cast<const char*>(bytes), n));
        return !failing;
    }
    // The frames sent since the last call, and forgets them.
    QStringList Take() { return std::exchange(sent, {}); }
    QStringList sent;
    bool failing = false;
};

// A device's reply: AA C0 00 00 01 command L data sum 55.
inline QByteArray Reply(uint8_t command, const QByteArray& data)
{
    QByteArray f = FromHex("AAC0000001");
    f.append(char(command));
    f.append(char(data.size()));
    f.append(data);
    unsigned sum = 0;
    for (char c : f)
        sum += uint8_t(c);
    f.append(char(sum));
    f.append(char(0x55));
    return f;
}

inline QByteArray BigEndian(quint32 v)
{
    const char b[] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(b, 4);
}
