#pragma once
// The arithmetic that turns the chip's register values into readings.
#include <cstdint>

// An absent input reads 255; readings take that as 0.
int32_t AbsentAsZero(int32_t value);

// A Winbond temperature from its high and low byte: twice the high byte plus
// bit 7 of the low byte (half degrees dropped).
int32_t TemperatureFromWord(uint8_t high, uint8_t low);

// The temperature read from the two ports: the first byte as a signed number
// plus half a degree for bit 7 of the second, truncated toward zero.
int32_t TemperatureFromPortBytes(uint8_t whole, uint8_t fraction);

// Fan speed from its count and the divisor fields d1 (fan 1) and d2 (fan 2)
// as read back from the divisor register: the count itself when either field
// is 0, otherwise 675000 / (d × count) for fans 1 and 2 and 337500 / count for
// fan 3. A count of 0 gives 0.
int32_t FanSpeed(int32_t fan, int32_t count, int32_t d1, int32_t d2);

// Clamps a channel or fan number to first..last, taking anything outside as first.
int32_t ChannelOrFirst(int32_t channel, int32_t first, int32_t last);
