#include "sensors/core/HardwareValues.h"

#include "sensors/core/CheckedMath.h"

int32_t CompensatedTemperature(HardwareReader& reader, const HardwareSettings& settings,
                               int32_t channel) {
  return CheckedAdd(reader.GetTemperature(channel), settings.TempComp[channel]);
}

int32_t CoreChannel(const HardwareSettings& settings) {
  return settings.CoreOnPort1 ? kCoreChannelPort1 : kCoreChannelPort2;
}

std::optional<int32_t> FanSpeed(HardwareReader& reader, const HardwareSettings& settings,
                                int32_t fan) {
  switch (settings.FanType[fan]) {
    case 1: return CheckedMul(reader.GetFan(fan), 2);
    case 2: return reader.GetFan(fan);
    case 3: return RoundQuotient(reader.GetFan(fan), 2);
    default: return std::nullopt;
  }
}
