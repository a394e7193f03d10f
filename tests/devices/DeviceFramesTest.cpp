// Every frame the device tools send, byte for byte, from the worked examples
// of the line protocol, and the entry rules that feed them.
#include "DeviceTestSupport.h"
#include "devices/BindSettings.h"
#include "devices/DeviceFrames.h"
#include "devices/LedMessages.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

TLedMessage Led(const QString& text, uint8_t color = 0, uint8_t dataMode = 0)
{
    TLedMessage m;
    m.Text = text;
    m.Color = color;
    m.DataMode = dataMode;
    return m;
}

TBindButton Button(const QString& address, const QString& code)
{
    TBindButton b;
    b.ButtonAddress = address;
    b.InternalCode = code;
    return b;
}

}  // namespace

TEST(DeviceFrames, MatchTheWorkedExamples)
{
    using namespace DeviceFrames;
    const struct {
        const char* what;
        QByteArray frame;
        const char* expected;
    } cases[] = {
        {"message ABC", LedMessageFrame(1, 1, Led("ABC")), "AA C1 01 03 01 53 08 00 00 01 01 00 41 42 43 93 55"},
        {"end after one", LedEndFrame(1, 1), "AA C1 01 03 01 53 05 01 FF 01 00 00 C9 55"},
        {"colour 2, time mode", LedMessageFrame(1, 3, Led("A", 2, 1)).mid(7, 5),
         "02 00 01 01 82"},
        {"Saturday clock", ClockFrame(QDateTime(QDate(2024, 3, 9), QTime(7, 5, 30))),
         "AA C1 01 03 00 55 07 24 03 09 06 07 05 30 3D 55"},
        {"size query", SizeQuery(1), "AA C1 01 03 01 68 00 D8 55"},
        {"block 32 request", BlockReadRequest(1, 32), "AA C1 01 03 01 67 04 00 00 00 20 FB 55"},
        {"default binding", BindFrame(TBindButton{}),
         "AA C1 01 03 01 82 0A 00 01 AA FF FF FF 0C 01 01 00 B2 55"},
        {"default key text", KeyTextFrame(TKeyText{}), "AA C1 01 03 01 85 06 01 43 41 4C 4C 0D 25 55"},
        {"empty address and code", BindFrame(Button("", "")).mid(7, 6), "00 00 AA FF FF FF"},
        {"address 12", BindFrame(Button("12", "a1b")).mid(7, 6), "00 12 AA 00 0A 1B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hex(c.frame), QLatin1String(c.expected)) << c.what;
}

TEST(DeviceFrames, TextsNeverOverflowTheirFrames)
{
    // A text from a file may be longer than the display takes: the frame carries 32 bytes, never a
    // length byte past the envelope, and never half a Chinese character.
    const QByteArray longText = DeviceFrames::LedMessageFrame(1, 1, Led(QString(300, QLatin1Char('x'))));
    EXPECT_EQ(longText.size(), 32 + 14);
    EXPECT_EQ(uint8_t(longText[6]), 32 + 5);
    const QByteArray chinese = DeviceFrames::LedMessageFrame(1, 1, Led(QString(17, QChar(0x4E2D)) + "a"));
    EXPECT_EQ(uint8_t(chinese[6]), 32 + 5);

    TBindButton b;
    b.Text = QString(20, QLatin1Char('y'));
    EXPECT_EQ(DeviceFrames::BindFrame(b).size(), 16 + 19);
    EXPECT_EQ(DeviceFrames::KeyTextFrame({2, QStringLiteral("TOO LONG TEXT"), 7}).size(), 7 + 11);
}

TEST(DeviceFrames, LastWriteBlockIsFilledWithErasedBytes)
{
    QByteArray image(40, '\x11');
    const QByteArray frame = DeviceFrames::BlockWriteRequest(9, 32, image);
    ASSERT_EQ(frame.size(), 45);
    EXPECT_EQ(Hex(frame.left(11)), "AA C1 01 03 09 66 24 00 00 00 20");
    EXPECT_EQ(frame.mid(11, 32), QByteArray(8, '\x11') + QByteArray(24, '\xFF'));
}

TEST(BindSettings, EntryRules)
{
    EXPECT_TRUE(IsButtonAddressEntry("0123"));
    EXPECT_TRUE(IsButtonAddressEntry(""));
    EXPECT_FALSE(IsButtonAddressEntry("12345"));
    EXPECT_FALSE(IsButtonAddressEntry("12a"));
    EXPECT_TRUE(IsInternalCodeEntry("aBc123"));
    EXPECT_FALSE(IsInternalCodeEntry("ABC1234"));
    EXPECT_FALSE(IsInternalCodeEntry("G"));
    EXPECT_EQ(ButtonAddressValue("1234"), 0x1234);
    EXPECT_EQ(ButtonAddressValue("9999"), 0x9999);
    EXPECT_EQ(InternalCodeValue("00000a"), 0x00000Au);
}
