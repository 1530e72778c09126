#include "chipwatch/core/ChipConversions.h"

int32_t AbsentAsZero(int32_t value) { return value == 255 ? 0 : value; }

int32_t TemperatureFromWord(uint8_t high, uint8_t low) { return (high * 256 + low) / 128; }

int32_t TemperatureFromPortBytes(uint8_t whole, uint8_t fraction) {
  int32_t degrees = static_cast<int8_t>(whole);
  if ((fraction & 0x80) == 0) return degrees;
  // degrees + 0.5 truncated toward zero, in integers.
  return (2 * degrees + 1) / 2;
}

int32_t FanSpeed(int32_t fan, int32_t count, int32_t d1, int32_t d2) {
  if (count == 0) return 0;
  if (d1 == 0 || d2 == 0) return count;
  switch (fan) {
    case 1:
      return 675000 / (d1 * count);
    case 2:
      return 675000 / (d2 * count);
    default:
      return 337500 / count;
  }
}

int32_t ChannelOrFirst(int32_t channel, int32_t first, int32_t last) {
  return (channel < first || channel > last) ? first : channel;
}
