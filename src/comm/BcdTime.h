#pragma once
// Times of day as the receiver sends them: three BCD bytes, hours first.
#include <QTime>
#include <cstdint>

// 0x10 0x25 0x07 gives 10:25:07; bytes that spell no valid time of day
// (hours 0x25, non-decimal digits such as 0x1A) give 00:00:00.
QTime BcdTime(uint8_t hours, uint8_t minutes, uint8_t seconds);
