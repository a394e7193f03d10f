#pragma once
// The envelope every frame on the receiver line has, in both directions:
// AA, class byte, three header bytes, command, data..., checksum, 55.
#include <cstdint>

namespace Frame {
constexpr uint8_t Sync = 0xAA;
constexpr uint8_t End = 0x55;
constexpr int ShortLength = 9;
constexpr int MidLength = 17;
constexpr int VarHeaderLength = 7;     // bytes up to and including the length byte
constexpr int VarOverhead = 9;         // total length = L + 9
constexpr int MaxVarDataLength = 246;  // keeps a frame within 255 bytes
constexpr int MaxLength = 255;

// Class of a frame by the high nibble of its class byte.
constexpr uint8_t ShortClass = 0x0;
constexpr uint8_t MidClass = 0x4;
constexpr uint8_t VarClass = 0xC;

// Sum of bytes [0, n-2) modulo 256: the checksum of a frame of length n.
uint8_t Checksum(const uint8_t* frame, int n);
// End byte 0x55 and a matching checksum.
bool IsValid(const uint8_t* frame, int n);
// Writes the checksum and the end byte into the last two bytes of a frame of length n.
void Seal(uint8_t* frame, int n);
}  // namespace Frame
