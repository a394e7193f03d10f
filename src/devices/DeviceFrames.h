#pragma once
// Command frames the device tools send: every one is a variable frame
// AA C1 01 03 address command L data... checksum 55.
#include <QByteArray>
#include <cstdint>

class ISerialLine;
class QDateTime;
struct TLedMessage;
struct TBindButton;
struct TKeyText;

namespace DeviceFrames {

// Command codes (byte 5) of the frames sent.
constexpr uint8_t LedMessage = 0x53;
constexpr uint8_t LedClock = 0x55;
constexpr uint8_t MemSizeQuery = 0x68;
constexpr uint8_t MemBlockRead = 0x67;
constexpr uint8_t MemBlockWrite = 0x66;
constexpr uint8_t BindButton = 0x82;
constexpr uint8_t KeyText = 0x85;

constexpr int MemBlockSize = 32;
// Bytes of a block write that lie past the end of the image: the erased state
// of the device's memory, never some other unit's leftovers.
constexpr uint8_t MemFillByte = 0xFF;

// The frame for a command to the device at address with these data bytes (at most 246).
QByteArray Command(uint8_t address, uint8_t command, const QByteArray& data);

// The LED message at position (device slot position - 1); its text is cut to 32 bytes.
QByteArray LedMessageFrame(uint8_t address, int position, const TLedMessage& message);
// After count messages: the slot after the last one with display mode 0xFF and no text.
QByteArray LedEndFrame(uint8_t address, int count);
// The display's clock, for a moment of the years 2000-2099 (BCD, weekday 1 = Monday).
QByteArray ClockFrame(const QDateTime& now);

QByteArray SizeQuery(uint8_t address);
QByteArray BlockReadRequest(uint8_t address, uint32_t block);
// Image bytes block .. block+31; those past the image's end are MemFillByte.
QByteArray BlockWriteRequest(uint8_t address, uint32_t block, const QByteArray& image);
// The block address a memory reply repeats in bytes 7-10.
uint32_t ReplyBlockAddress(const uint8_t* frame);

// Texts are cut to their limits (16 and 7 bytes).
QByteArray BindFrame(const TBindButton& binding);
QByteArray KeyTextFrame(const TKeyText& keyText);

// Hands a frame to the line. A failed send is not reported: the reply watch
// tells the consequence.
void Send(ISerialLine& line, const QByteArray& frame);

}  // namespace DeviceFrames
