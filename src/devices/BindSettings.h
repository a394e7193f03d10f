#pragma once
// The two single-frame settings of the bind tool: the binding of one call
// button and the text the device shows for one key value. Nothing is stored.
#include <QString>
#include <cstdint>

// Entry limits of a number field.
struct TRange {
    int Min;
    int Max;
    bool Contains(int v) const { return v >= Min && v <= Max; }
};

constexpr TRange BindDeviceRange{1, 99};
constexpr TRange ToneRange{1, 12};
constexpr TRange PagerGroupRange{1, 29};
constexpr TRange PagerAddressRange{1, 99};
constexpr TRange KeyValueRange{1, 4};
constexpr int MaxButtonAddressDigits = 4;
constexpr int MaxInternalCodeDigits = 6;
constexpr int MaxBindTextBytes = 16;
constexpr int MaxKeyTextBytes = 7;

struct TBindButton {
    QString ButtonAddress = QStringLiteral("0001");  // decimal digits, each sent as one nibble
    QString InternalCode = QStringLiteral("FFFFFF");  // hexadecimal, 24 bits
    uint8_t Tone = 12;
    uint8_t PagerGroup = 1;
    uint8_t PagerAddress = 1;
    bool Alarm = false;
    QString Text;  // up to 16 GBK bytes
    uint8_t DeviceAddress = 1;
};

struct TKeyText {
    uint8_t Key = 1;
    QString Text = QStringLiteral("CALL");  // up to 7 GBK bytes
    uint8_t DeviceAddress = 1;
};

// What may be typed: up to 4 decimal digits; up to 6 hexadecimal digits.
bool IsButtonAddressEntry(const QString& text);
bool IsInternalCodeEntry(const QString& text);
// The address text read as a hexadecimal number ("1234" gives 0x1234); 0 when it is no number.
uint16_t ButtonAddressValue(const QString& text);
// The code text read as a hexadecimal number; 0xFFFFFF when it is no number.
uint32_t InternalCodeValue(const QString& text);
