#include "comm/FrameHandler.h"

#include "comm/CallOps.h"
#include "comm/BcdTime.h"
#include "comm/CommTexts.h"
#include "comm/DeviceReplies.h"
#include "comm/FrameEnvelope.h"
#include "comm/SerialLine.h"
#include "core/GbkCodec.h"
#include "core/LogCategories.h"
#include "core/ResStrings.h"

#include <QByteArray>
#include <algorithm>

namespace {

constexpr uint8_t MidCall = 0x91;
constexpr uint8_t MidCancel = 0x92;
constexpr uint8_t VarCall = 0x81;
constexpr uint8_t CancelKey = 0x0A;

// A variable call frame carries address, key and time in data bytes 7-12.
constexpr int VarCallMinLength = 15;
// Its call point name runs from byte 20 to the last data byte, when L >= 14.
constexpr int VarNameOffset = 20;
constexpr int VarNameMinLength = 14 + Frame::VarOverhead;


uint16_t Address(const uint8_t* frame) { return uint16_t(frame[7] << 8 | frame[8]); }

// Position of a call from a mid frame whose address is on no layout.
QString UnplacedMidText(uint16_t address)
{
    return LoadResStr(TxtCommUnplaced).replace(QLatin1String("%x"), QString::number(address, 16).toUpper());
}

// Position of a call from a variable frame whose address is on no layout:
// the name it carries, then the address in four hex digits. A receiver pads
// the name field with NUL bytes or blanks; neither belongs to the name.
QString UnplacedVarText(const uint8_t* frame, int n, uint16_t address)
{
    QString name;
    if (n >= VarNameMinLength) {
        QByteArray field(reinterpret_cast<const char*>(frame + VarNameOffset), n - 2 - VarNameOffset);
        field.truncate(field.indexOf('\0') < 0 ? field.size() : field.indexOf('\0'));
        while (field.endsWith(' '))
            field.chop(1);
        name = FromGbk(field);
    }
    return name + QLatin1Char('(') + QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper() +
           QLatin1Char(')');
}

}  // namespace

bool TFrameHandler::Accept(const uint8_t* frame, int n)
{
    if (Frame::IsValid(frame, n)) {
        Frames.Add();
        return true;
    }
    Dropped.Add();
    qCDebug(LogComm, "dropped a frame of %d bytes for its checksum or end byte: %s", n,
            QByteArray::fromRawData(reinterpret_cast<const char*>(frame), n).toHex(' ').constData());
    return false;
}

void TFrameHandler::AcksNotWritten(uint64_t n)
{
    Acks.Subtract(n);
    AckFailed.Add(n);
    qCDebug(LogComm, "%llu acknowledgements not written: the port did not take them",
            static_cast<unsigned long long>(n));
}

void TFrameHandler::SendAck(const uint8_t* frame, int n, const uint8_t (&head)[5])
{
    uint8_t ack[Frame::MaxLength];
    std::copy(std::begin(head), std::end(head), ack);
    ack[5] = uint8_t((frame[5] & 0x0F) | 0xA0);
    std::copy(frame + 6, frame + n - 2, ack + 6);
    Frame::Seal(ack, n);
    // A failed send stops nothing: every class of frame, mid frames included,
    // is still acted on, and later frames are handled as usual.
    if (line_.SendFrame(ack, n)) {
        Acks.Add();
        return;
    }
    AckFailed.Add();
    qCDebug(LogComm, "acknowledgement of command 0x%02x not written", frame[5]);
}

void TFrameHandler::HandleShortFrame(const uint8_t* frame)
{
    if (!Accept(frame, Frame::ShortLength))
        return;
    SendAck(frame, Frame::ShortLength, {Frame::Sync, 0x41, 0x01, 0x02, frame[2]});
}

void TFrameHandler::HandleMidFrame(const uint8_t* frame)
{
    if (!Accept(frame, Frame::MidLength))
        return;
    SendAck(frame, Frame::MidLength, {Frame::Sync, 0x41, 0x01, 0x02, frame[2]});

    const uint16_t address = Address(frame);
    switch (frame[5]) {
    case MidCall:
        calls_.OpenCall(address, frame[9], BcdTime(frame[12], frame[13], frame[14]), UnplacedMidText(address));
        break;
    case MidCancel:
        calls_.CloseCallsAt(address, frame[6], BcdTime(frame[12], frame[13], frame[14]));
        break;
    default:
        break;
    }
}

void TFrameHandler::HandleVarFrame(const uint8_t* frame, int n)
{
    if (n < Frame::VarOverhead || n > Frame::MaxLength || !Accept(frame, n))
        return;
    if (frame[5] == VarCall)
        HandleVarCall(frame, n);
    else
        replies_.Route(frame, n);
}

void TFrameHandler::HandleVarCall(const uint8_t* frame, int n)
{
    SendAck(frame, n, {Frame::Sync, 0xC1, frame[4], uint8_t(frame[1] & 0x0F), frame[2]});
    // A frame too short to carry address, key and time has no call to act on.
    if (n < VarCallMinLength)
        return;

    const uint16_t address = Address(frame);
    const QTime time = BcdTime(frame[10], frame[11], frame[12]);
    if (frame[9] == CancelKey) {
        // Byte 6 of this frame is its length byte, and no other byte is known
        // to name the cancel unit: report none, so the waiter recorded with
        // each call is logged as its server.
        calls_.CloseCallsAt(address, 0, time);
    } else {
        calls_.OpenCall(address, frame[9], time, UnplacedVarText(frame, n, address));
    }
}
