// Any bytes as an LED message file: every message read makes a well-formed
// upload frame, and the list written back and read again is the list read.
#include "comm/FrameEnvelope.h"
#include "core/IniFile.h"
#include "devices/DeviceFrames.h"
#include "devices/LedMessages.h"

#include <cstdlib>

namespace {
void Require(bool condition)
{
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile ini;
    ini.Parse(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const TLedList list = ReadDataFromFile(ini);
    Require(list.size() <= MaxLedMessages);
    for (size_t i = 0; i < list.size(); ++i) {
        const QByteArray frame = DeviceFrames::LedMessageFrame(1, static_cast<int>(i) + 1, list[i]);
        const auto* bytes = reinterpret_cast<const uint8_t*>(frame.constData());
        Require(frame.size() <= Frame::MaxLength && frame.size() == bytes[6] + Frame::VarOverhead);
        Require(Frame::IsValid(bytes, static_cast<int>(frame.size())));
    }
    SaveDataToFile(ini, list);
    IniFile written;
    written.Parse(ini.ToBytes());
    Require(ReadDataFromFile(written) == list);
    return 0;
}
